// Strings: immutable and mutable sequences of UTF-16 units, with real encoding conversions.
// A byte sequence that is not valid in its encoding gives null; a text that cannot be
// represented in the requested encoding makes the conversion fail.
#pragma once

#include "CFArray.h"
#include "CFBase.h"

#include <cstdarg>

CF_EXTERN_C_BEGIN

typedef UInt32 CFStringEncoding;

enum : CFStringEncoding {
    kCFStringEncodingMacRoman = 0,
    kCFStringEncodingMacJapanese = 1,
    kCFStringEncodingUnicode = 0x0100, // UTF-16 in host order; a byte-order mark is honoured
    kCFStringEncodingUTF16 = 0x0100,
    kCFStringEncodingISOLatin1 = 0x0201,
    kCFStringEncodingDOSJapanese = 0x0421,
    kCFStringEncodingWindowsLatin1 = 0x0500,
    kCFStringEncodingASCII = 0x0600,
    kCFStringEncodingShiftJIS = 0x0A01,
    kCFStringEncodingUTF8 = 0x08000100,
    kCFStringEncodingUTF16BE = 0x10000100,
    kCFStringEncodingUTF16LE = 0x14000100,
    kCFStringEncodingInvalidId = 0xffffffffU,
};

typedef CFOptionFlags CFStringCompareFlags;
enum : CFStringCompareFlags {
    kCFCompareCaseInsensitive = 1,
    kCFCompareBackwards = 4, // find only: search from the end
    kCFCompareAnchored = 8,  // find only: match at the start (or the end, with backwards)
};

// A constant string made from a literal (UTF-8); it is never freed.
CFStringRef __CFStringMakeConstantString(const char* cStr);
#define CFSTR(cStr) __CFStringMakeConstantString("" cStr "")

CFTypeID CFStringGetTypeID(void);

// Creation. Null input gives null.
CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                      CFStringEncoding encoding);
// isExternalRepresentation: a leading byte-order mark is expected (and removed); without one,
// UTF-16 is read big-endian. Otherwise UTF-16 is host order unless a mark says otherwise.
CFStringRef CFStringCreateWithBytes(CFAllocatorRef alloc, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean isExternalRepresentation);
CFStringRef CFStringCreateWithCharacters(CFAllocatorRef alloc, const UniChar* chars,
                                         CFIndex numChars);
CFStringRef CFStringCreateWithSubstring(CFAllocatorRef alloc, CFStringRef str, CFRange range);
CFStringRef CFStringCreateCopy(CFAllocatorRef alloc, CFStringRef str);
// Formats: %@ (an object's description), %d %i %u %x %X %o %c %s %f %e %g %p and their length
// modifiers, %C and %S (UTF-16 unit and text), %%; widths, precisions and flags as printf.
CFStringRef CFStringCreateWithFormat(CFAllocatorRef alloc, CFTypeRef formatOptions,
                                     CFStringRef format, ...);
CFStringRef CFStringCreateWithFormatAndArguments(CFAllocatorRef alloc, CFTypeRef formatOptions,
                                                 CFStringRef format, va_list arguments);
// Splits at every occurrence of the separator; an empty string gives an empty array.
CFArrayRef CFStringCreateArrayBySeparatingStrings(CFAllocatorRef alloc, CFStringRef str,
                                                  CFStringRef separator);

// Access.
CFIndex CFStringGetLength(CFStringRef str);
UniChar CFStringGetCharacterAtIndex(CFStringRef str, CFIndex idx); // 0 outside the string
void CFStringGetCharacters(CFStringRef str, CFRange range, UniChar* buffer);
// Writes the text and one terminating zero byte; false when they do not fit in bufferSize
// bytes or the text cannot be represented in the encoding (the buffer is then untouched).
Boolean CFStringGetCString(CFStringRef str, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding);
// Converts the characters of range, stopping at the first one that cannot be represented
// (or writing lossByte for it when lossByte is not 0), or when the buffer is full. Returns the
// number of characters converted; usedBufLen receives the bytes written. A null buffer
// measures.
CFIndex CFStringGetBytes(CFStringRef str, CFRange range, CFStringEncoding encoding, UInt8 lossByte,
                         Boolean isExternalRepresentation, UInt8* buffer, CFIndex maxBufLen,
                         CFIndex* usedBufLen);
CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding);

// Comparing and searching.
CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2,
                                   CFStringCompareFlags compareOptions);
// Compares the characters of rangeToCompare in theString1 with the whole of theString2; a
// range outside theString1 orders it before.
CFComparisonResult CFStringCompareWithOptions(CFStringRef theString1, CFStringRef theString2,
                                              CFRange rangeToCompare,
                                              CFStringCompareFlags compareOptions);
CFRange CFStringFind(CFStringRef theString, CFStringRef stringToFind,
                     CFStringCompareFlags compareOptions); // {kCFNotFound, 0} when absent
Boolean CFStringFindWithOptions(CFStringRef theString, CFStringRef stringToFind,
                                CFRange rangeToSearch, CFStringCompareFlags searchOptions,
                                CFRange* result);

// Encodings.
Boolean CFStringIsEncodingAvailable(CFStringEncoding encoding);
// The encoding of fewest bytes that represents the text: ASCII, then Mac OS Roman, else UTF-16.
CFStringEncoding CFStringGetSmallestEncoding(CFStringRef str);

// Mutable strings. maxLength is accepted and not enforced (0 means unlimited on the Mac too).
CFMutableStringRef CFStringCreateMutable(CFAllocatorRef alloc, CFIndex maxLength);
CFMutableStringRef CFStringCreateMutableCopy(CFAllocatorRef alloc, CFIndex maxLength,
                                             CFStringRef theString);
void CFStringAppend(CFMutableStringRef theString, CFStringRef appendedString);
void CFStringAppendCharacters(CFMutableStringRef theString, const UniChar* chars, CFIndex numChars);
void CFStringAppendFormatAndArguments(CFMutableStringRef theString, CFTypeRef formatOptions,
                                      CFStringRef format, va_list arguments);
void CFStringDelete(CFMutableStringRef theString, CFRange range);
void CFStringReplace(CFMutableStringRef theString, CFRange range, CFStringRef replacement);

CF_EXTERN_C_END
