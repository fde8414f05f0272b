// Plug-ins: bundles whose Info declares factories ("CFPlugInFactories": factory UUID string to
// exported function name) and the types they make ("CFPlugInTypes": type UUID string to an
// array of factory UUID strings). A factory function has the form
//   void* Factory(CFAllocatorRef allocator, CFUUIDRef typeID);
#pragma once

#include "CFArray.h"
#include "CFBundle.h"
#include "CFUUID.h"

CF_EXTERN_C_BEGIN

typedef struct __CFBundle* CFPlugInRef;
typedef void* (*CFPlugInFactoryFunction)(CFAllocatorRef allocator, CFUUIDRef typeUUID);

extern const CFStringRef kCFPlugInFactoriesKey; // "CFPlugInFactories"
extern const CFStringRef kCFPlugInTypesKey;     // "CFPlugInTypes"

// The plug-in bundle at the URL, its factories registered; null when it is no bundle.
CFPlugInRef CFPlugInCreate(CFAllocatorRef allocator, CFURLRef plugInURL);

// The plug-in's factory UUIDs that make typeUUID (the caller releases the array; never null).
CFArrayRef CFPlugInFindFactoriesForPlugInTypeInPlugIn(CFUUIDRef typeUUID, CFPlugInRef plugIn);
// Loads the factory's plug-in, calls its factory function; null when any step fails (with a
// message on standard error).
void* CFPlugInInstanceCreate(CFAllocatorRef allocator, CFUUIDRef factoryUUID, CFUUIDRef typeUUID);

// Instances made by a factory announce themselves, and leave when they are freed.
void CFPlugInAddInstanceForFactory(CFUUIDRef factoryID);
void CFPlugInRemoveInstanceForFactory(CFUUIDRef factoryID);
CFIndex _CFPlugInGetInstanceCountForFactory(CFUUIDRef factoryID);

CF_EXTERN_C_END
