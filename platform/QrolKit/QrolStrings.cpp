#include "QrolStrings.h"

#include <CFRef.h>

namespace qrol {

std::optional<std::u16string> utf16FromUTF8(std::string_view text) {
    const CFRef<CFStringRef> string(
        CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(text.data()),
                                static_cast<CFIndex>(text.size()), kCFStringEncodingUTF8, false));
    if (!string) return std::nullopt;
    std::u16string units(static_cast<size_t>(CFStringGetLength(string.get())), u'\0');
    CFStringGetCharacters(string.get(), CFRangeMake(0, static_cast<CFIndex>(units.size())),
                          reinterpret_cast<UniChar*>(units.data()));
    return units;
}

std::optional<std::string> utf8FromString(CFStringRef string) {
    const CFIndex size =
        CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), kCFStringEncodingUTF8) + 1;
    std::string text(static_cast<size_t>(size), '\0');
    if (!CFStringGetCString(string, text.data(), size, kCFStringEncodingUTF8)) return std::nullopt;
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

} // namespace qrol
