// Text conversions between UTF-8 (the device's answers, paths) and the library's strings.
#pragma once

#include <CFString.h>

#include <optional>
#include <string>
#include <string_view>

namespace qrol {

// The UTF-16 units of UTF-8 text; nullopt when the bytes are not UTF-8.
std::optional<std::u16string> utf16FromUTF8(std::string_view text);

// The string as UTF-8; nullopt when it cannot be converted.
std::optional<std::string> utf8FromString(CFStringRef string);

} // namespace qrol
