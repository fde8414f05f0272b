#include "QrolTextFields.h"

#include <CFRef.h>
#include <CFString.h>

#include <algorithm>
#include <cstring>

std::optional<std::u16string> UTF16FromUTF8(std::string_view text) {
    const CFRef<CFStringRef> string(
        CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false));
    if (!string) return std::nullopt;
    std::u16string units(static_cast<size_t>(CFStringGetLength(string.get())), u'\0');
    CFStringGetCharacters(string.get(), CFRangeMake(0, static_cast<CFIndex>(units.size())),
                          reinterpret_cast<UniChar*>(units.data()));
    return units;
}

void StoreUTF16LEField(std::u16string_view text, UInt8* field, size_t size) {
    std::memset(field, 0, size);
    size_t count = std::min(text.size(), size / 2 - 1);
    // A high surrogate whose low half does not fit is left out with it.
    if (count > 0 && count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF)
        --count;
    for (size_t i = 0; i < count; ++i) {
        field[2 * i] = static_cast<UInt8>(text[i] & 0xFF);
        field[2 * i + 1] = static_cast<UInt8>(text[i] >> 8);
    }
}
