// URLs: file URLs made from paths, and general URLs such as printer device URIs.
#pragma once

#include "CFBase.h"

CF_EXTERN_C_BEGIN

typedef const struct __CFURL* CFURLRef;

typedef CFIndex CFURLPathStyle;
enum : CFURLPathStyle { kCFURLPOSIXPathStyle = 0 };

// Null when the text is not a URL (characters outside the URL alphabet, such as blanks, or a
// malformed percent escape). A relative text is resolved against baseURL when one is given.
CFURLRef CFURLCreateWithString(CFAllocatorRef allocator, CFStringRef URLString, CFURLRef baseURL);
CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef allocator, const UInt8* buffer,
                                                 CFIndex bufLen, Boolean isDirectory);

CFStringRef CFURLCopyScheme(CFURLRef anURL);   // null when there is none
CFStringRef CFURLCopyHostName(CFURLRef anURL); // percent escapes removed; null when none
CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle);
// The path as a NUL-terminated file-system name; false when it does not fit in maxBufLen.
Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean resolveAgainstBase, UInt8* buffer,
                                         CFIndex maxBufLen);

// File references (Files.h). False when the URL names no existing file or its path is too long.
struct FSRef;
Boolean CFURLGetFSRef(CFURLRef url, struct FSRef* fsRef);
// A file URL for the referenced file (a directory URL for a folder); null for null.
CFURLRef CFURLCreateFromFSRef(CFAllocatorRef allocator, const struct FSRef* fsRef);

CF_EXTERN_C_END
