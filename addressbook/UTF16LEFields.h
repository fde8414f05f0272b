// Conversions between strings and the fixed-width UTF-16LE text fields of the address-book
// framework's records (name 66 bytes, fax number 102, company 130, memo 510). A field of size S
// holds at most S / 2 - 1 units followed by a zero unit.
#pragma once

#include <CFString.h>
#include <MacTypes.h>

// The number of units before the first zero unit among those that begin before byte size - 1;
// -1 when none of them is zero (also for sizes 0 and 1).
SInt32 UniCharLength(const UInt8* field, UInt32 size);

// Writes the string's units little-endian into the field followed by ONE zero byte (a
// zero-filled field completes the terminating unit); true when text and byte fitted in size
// bytes. On failure the field's content is unspecified.
bool CFStringGetUTF16LECString(CFStringRef string, UInt8* field, SInt32 size);

// A new string (the caller releases it) of the units before the first zero unit; null for an
// empty field, a field without a zero unit, or text that is not valid UTF-16.
CFStringRef CreateCFStringFromUTF16LEString(const UInt8* field, UInt32 size);
