// Private: conversions between UTF-16 text and the byte encodings of CFString.
#pragma once

#include "CFString.h"

#include <iconv.h>
#include <string>
#include <string_view>

namespace cf {

bool isSupportedEncoding(CFStringEncoding encoding);

// Decodes bytes; false when they are not valid in the encoding. Byte-order marks are the
// caller's concern (the UTF-16 forms here take an explicit order).
bool decodeBytes(std::string_view bytes, CFStringEncoding encoding, std::u16string& out);

// Encodes text one character at a time, so that a caller can stop or substitute at the first
// character that cannot be represented.
class Encoder {
  public:
    explicit Encoder(CFStringEncoding encoding);
    ~Encoder();
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;

    bool valid() const { return valid_; }
    // Appends one character (a code point, or a lone surrogate) to out; false when the
    // encoding cannot represent it (out is then unchanged).
    bool append(char32_t character, std::string& out);
    // The whole text; false (out unspecified) when any character cannot be represented.
    bool appendAll(std::u16string_view text, std::string& out);

  private:
    CFStringEncoding encoding_;
    iconv_t converter_ = reinterpret_cast<iconv_t>(-1);
    bool valid_ = false;
};

// Walks UTF-16 text by characters: a surrogate pair is one character, a lone surrogate is
// returned as itself. Returns the number of units the character at index takes.
size_t characterAt(std::u16string_view text, size_t index, char32_t& character);

} // namespace cf
