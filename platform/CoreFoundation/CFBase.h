// Object model of the CoreFoundation stand-in: reference-counted objects with type IDs.
// Whoever creates or copies an object releases it; "Get" functions return borrowed references.
// Null arguments give neutral results (null, 0, false) instead of crashing.
#pragma once

#include "MacTypes.h"

#include <cstddef>

#define CF_EXTERN_C_BEGIN extern "C" {
#define CF_EXTERN_C_END }

CF_EXTERN_C_BEGIN

typedef const void* CFTypeRef;
typedef unsigned long CFTypeID;
typedef unsigned long CFOptionFlags;
typedef unsigned long CFHashCode;
typedef long CFIndex;

typedef const struct __CFAllocator* CFAllocatorRef;
typedef const struct __CFString* CFStringRef;
typedef struct __CFString* CFMutableStringRef;
typedef CFTypeRef CFPropertyListRef;

typedef struct {
    CFIndex location;
    CFIndex length;
} CFRange;

static inline CFRange CFRangeMake(CFIndex location, CFIndex length) {
    CFRange range = {location, length};
    return range;
}

enum { kCFNotFound = -1 };

typedef enum : CFIndex {
    kCFCompareLessThan = -1,
    kCFCompareEqualTo = 0,
    kCFCompareGreaterThan = 1
} CFComparisonResult;

typedef CFComparisonResult (*CFComparatorFunction)(const void* val1, const void* val2,
                                                   void* context);

// Allocators are accepted everywhere for source compatibility; all memory comes from the heap.
extern const CFAllocatorRef kCFAllocatorDefault;
extern const CFAllocatorRef kCFAllocatorSystemDefault;
extern const CFAllocatorRef kCFAllocatorMalloc;
extern const CFAllocatorRef kCFAllocatorNull;

CFTypeRef CFRetain(CFTypeRef cf);   // null gives null
void CFRelease(CFTypeRef cf);       // null is ignored
CFTypeID CFGetTypeID(CFTypeRef cf); // 0 for null
Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2);
CFHashCode CFHash(CFTypeRef cf);
// A readable description: a string's own text, a number's value, "true"/"false", ...
CFStringRef CFCopyDescription(CFTypeRef cf);

CF_EXTERN_C_END
