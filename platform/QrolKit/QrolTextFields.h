// The fixed-width text fields of the records: zero-terminated UTF-16LE in a field of fixed size.
#pragma once

#include <MacTypes.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The UTF-16 units of UTF-8 text; nullopt when the bytes are not UTF-8.
std::optional<std::u16string> UTF16FromUTF8(std::string_view text);

// Fills a field of size bytes (even, at least 2) with as much of text as fits before its
// terminating zero unit, cut between characters (a surrogate pair is never split); every byte
// after the text is zero.
void StoreUTF16LEField(std::u16string_view text, UInt8* field, size_t size);
