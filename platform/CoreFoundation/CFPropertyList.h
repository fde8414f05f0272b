// Property lists in the XML format: strings, numbers, booleans, data, arrays and dictionaries.
#pragma once

#include "CFData.h"

CF_EXTERN_C_BEGIN

typedef CFOptionFlags CFPropertyListMutabilityOptions;
enum : CFPropertyListMutabilityOptions {
    kCFPropertyListImmutable = 0,
    kCFPropertyListMutableContainers = 1,
    kCFPropertyListMutableContainersAndLeaves = 2,
};

typedef CFIndex CFPropertyListFormat;
enum : CFPropertyListFormat { kCFPropertyListXMLFormat_v1_0 = 100 };

typedef const struct __CFError* CFErrorRef;

// Parses XML property-list data; null (with a message on standard error) when it is malformed.
// The error argument is accepted and left null.
CFPropertyListRef CFPropertyListCreateWithData(CFAllocatorRef allocator, CFDataRef data,
                                               CFOptionFlags options, CFPropertyListFormat* format,
                                               CFErrorRef* error);
// Serialises as XML; null when the value holds a type that property lists cannot carry.
CFDataRef CFPropertyListCreateData(CFAllocatorRef allocator, CFPropertyListRef propertyList,
                                   CFPropertyListFormat format, CFOptionFlags options,
                                   CFErrorRef* error);

CF_EXTERN_C_END
