// Relocatable memory blocks (handles). A Handle points to a master pointer that points to the
// block's bytes; *handle stays valid until the block is resized or disposed.
#pragma once

#include <MacTypes.h>

extern "C" {

typedef long Size;
typedef unsigned long ByteCount;
typedef unsigned long ItemCount;

Handle NewHandle(Size byteCount);                // zero-filled; null when out of memory
Size GetHandleSize(Handle handle);               // 0 for null
void SetHandleSize(Handle handle, Size newSize); // keeps the leading bytes, zero-fills growth
void HLock(Handle handle);                       // blocks never move here; kept for callers
void HUnlock(Handle handle);
void DisposeHandle(Handle handle); // null is ignored
}
