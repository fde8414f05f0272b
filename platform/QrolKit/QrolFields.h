// The fixed-width text fields of the records: zero-terminated UTF-16LE of a fixed byte size.
// Written byte by byte, so the layout is little-endian on any host.
#pragma once

#include <MacTypes.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qrol {

// The units before the first zero unit; nullopt when the field holds no zero unit.
std::optional<std::u16string> readField(const UInt8* field, size_t size);

// Fills the field with text and zeroes. A text longer than the field's room (size / 2 - 1
// units) is cut there, one unit earlier when the cut would split a surrogate pair.
void writeField(UInt8* field, size_t size, std::u16string_view text);

} // namespace qrol
