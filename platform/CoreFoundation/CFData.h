// Byte buffers.
#pragma once

#include "CFBase.h"

CF_EXTERN_C_BEGIN

typedef const struct __CFData* CFDataRef;

CFTypeID CFDataGetTypeID(void);

CFDataRef CFDataCreate(CFAllocatorRef allocator, const UInt8* bytes, CFIndex length);

CFIndex CFDataGetLength(CFDataRef theData);
const UInt8* CFDataGetBytePtr(CFDataRef theData);                     // null for null or empty data
void CFDataGetBytes(CFDataRef theData, CFRange range, UInt8* buffer); // range clipped to the data

CF_EXTERN_C_END
