// The plug-in's factory and the object it makes: an IUnknown through which the print dialog
// asks for the print-dialog-extension interface.
#pragma once

#include <CFPlugInCOM.h>

// The factory object. Its function table is part of the object itself; the factory UUID is the
// object's own and is released with it. Pointers are pointer-sized on this platform.
struct NVPDEFactoryObject {
    IUnknownVTbl* vtable; // points to functions below
    IUnknownVTbl functions;
    CFUUIDRef factoryID;
    UInt32 refCount; // 1 at creation
};

// For the plug-in type only: a new factory object registered as an instance of the factory;
// null for any other type or when it cannot be made.
extern "C" void* NVPDEPluginFactory(CFAllocatorRef allocator, CFUUIDRef typeID);

// IUnknown: the factory object itself with one more reference; the print-dialog-extension
// interface: a new interface object with one reference (E_UNEXPECTED and null when it cannot be
// made); anything else, or an identifier that cannot be read: E_NOINTERFACE and null.
HRESULT QueryInterface(void* thisPointer, REFIID iid, LPVOID* ppv);
// The new count; 0 for null.
ULONG IUnknownAddRef(void* thisPointer);
// The new count; 0 for null or a count already 0. At 0 the instance leaves the factory's
// registration and the object is freed.
ULONG IUnknownRelease(void* thisPointer);
