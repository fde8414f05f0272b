#include "QrolFields.h"

#include <algorithm>
#include <cstring>

namespace qrol {

std::optional<std::u16string> readField(const UInt8* field, size_t size) {
    std::u16string text;
    for (size_t offset = 0; offset + 1 < size; offset += 2) {
        const char16_t unit = char16_t(field[offset] | (field[offset + 1] << 8));
        if (unit == 0) return text;
        text.push_back(unit);
    }
    return std::nullopt;
}

void writeField(UInt8* field, size_t size, std::u16string_view text) {
    std::memset(field, 0, size);
    const size_t room = size / 2 > 0 ? size / 2 - 1 : 0;
    size_t count = std::min(text.size(), room);
    const bool splitsPair =
        count > 0 && count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF;
    if (splitsPair) --count;
    for (size_t i = 0; i < count; ++i) {
        field[2 * i] = UInt8(text[i] & 0xFF);
        field[2 * i + 1] = UInt8(text[i] >> 8);
    }
}

} // namespace qrol
