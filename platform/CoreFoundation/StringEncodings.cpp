#include "StringEncodings.h"

#include <bit>

namespace cf {

namespace {

// The iconv name of each encoding converted by iconv; the Unicode forms, ASCII and Latin 1 are
// converted here directly.
const char* iconvName(CFStringEncoding encoding) {
    switch (encoding) {
    case kCFStringEncodingMacRoman:
        return "MACINTOSH";
    case kCFStringEncodingMacJapanese:
    case kCFStringEncodingDOSJapanese:
        return "CP932"; // the Shift-JIS family with the vendor extensions and a plain backslash
    case kCFStringEncodingShiftJIS:
        return "SHIFT_JIS";
    case kCFStringEncodingWindowsLatin1:
        return "CP1252";
    default:
        return nullptr;
    }
}

bool decodeUTF8(std::string_view bytes, std::u16string& out) {
    out.clear();
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        size_t extra;
        char32_t cp;
        char32_t minimum;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += extra + 1;
    }
    return true;
}

bool decodeUTF16(std::string_view bytes, bool bigEndian, std::u16string& out) {
    if (bytes.size() % 2) return false;
    out.resize(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
        const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<char16_t>(bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0));
    }
    return true;
}

bool decodeWithIconv(std::string_view bytes, const char* name, std::u16string& out) {
    iconv_t converter = iconv_open("UTF-16LE", name);
    if (converter == reinterpret_cast<iconv_t>(-1)) return false;
    std::string wide(bytes.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = wide.data();
    size_t outLeft = wide.size();
    const size_t result = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return false;
    wide.resize(wide.size() - outLeft);
    return decodeUTF16(wide, false, out);
}

constexpr bool hostIsBigEndian() {
    return std::endian::native == std::endian::big;
}

void appendUTF16Unit(char16_t unit, bool bigEndian, std::string& out) {
    if (bigEndian) {
        out.push_back(static_cast<char>(unit >> 8));
        out.push_back(static_cast<char>(unit & 0xFF));
    } else {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
}

} // namespace

bool isSupportedEncoding(CFStringEncoding encoding) {
    switch (encoding) {
    case kCFStringEncodingUTF8:
    case kCFStringEncodingUTF16:
    case kCFStringEncodingUTF16LE:
    case kCFStringEncodingUTF16BE:
    case kCFStringEncodingASCII:
    case kCFStringEncodingISOLatin1:
        return true;
    default:
        return iconvName(encoding) != nullptr;
    }
}

bool decodeBytes(std::string_view bytes, CFStringEncoding encoding, std::u16string& out) {
    switch (encoding) {
    case kCFStringEncodingUTF8:
        return decodeUTF8(bytes, out);
    case kCFStringEncodingUTF16:
        return decodeUTF16(bytes, hostIsBigEndian(), out);
    case kCFStringEncodingUTF16LE:
        return decodeUTF16(bytes, false, out);
    case kCFStringEncodingUTF16BE:
        return decodeUTF16(bytes, true, out);
    case kCFStringEncodingASCII:
    case kCFStringEncodingISOLatin1:
        out.clear();
        for (const char byte : bytes) {
            const auto value = static_cast<unsigned char>(byte);
            if (encoding == kCFStringEncodingASCII && value >= 0x80) return false;
            out.push_back(value);
        }
        return true;
    default:
        const char* name = iconvName(encoding);
        return name && decodeWithIconv(bytes, name, out);
    }
}

size_t characterAt(std::u16string_view text, size_t index, char32_t& character) {
    const char16_t unit = text[index];
    if (unit >= 0xD800 && unit <= 0xDBFF && index + 1 < text.size() && text[index + 1] >= 0xDC00 &&
        text[index + 1] <= 0xDFFF) {
        character = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[index + 1] - 0xDC00);
        return 2;
    }
    character = unit;
    return 1;
}

Encoder::Encoder(CFStringEncoding encoding) : encoding_(encoding) {
    if (const char* name = iconvName(encoding)) {
        converter_ = iconv_open(name, "UTF-32LE");
        valid_ = converter_ != reinterpret_cast<iconv_t>(-1);
    } else {
        valid_ = isSupportedEncoding(encoding);
    }
}

Encoder::~Encoder() {
    if (converter_ != reinterpret_cast<iconv_t>(-1)) iconv_close(converter_);
}

bool Encoder::append(char32_t character, std::string& out) {
    if (!valid_) return false;
    const bool loneSurrogate = character >= 0xD800 && character <= 0xDFFF;
    switch (encoding_) {
    case kCFStringEncodingUTF16:
    case kCFStringEncodingUTF16LE:
    case kCFStringEncodingUTF16BE: {
        const bool bigEndian = encoding_ == kCFStringEncodingUTF16BE ||
                               (encoding_ == kCFStringEncodingUTF16 && hostIsBigEndian());
        if (character >= 0x10000) {
            appendUTF16Unit(static_cast<char16_t>(0xD800 + ((character - 0x10000) >> 10)),
                            bigEndian, out);
            appendUTF16Unit(static_cast<char16_t>(0xDC00 + ((character - 0x10000) & 0x3FF)),
                            bigEndian, out);
        } else {
            appendUTF16Unit(static_cast<char16_t>(character), bigEndian, out);
        }
        return true;
    }
    case kCFStringEncodingUTF8:
        if (loneSurrogate) return false;
        if (character < 0x80) {
            out.push_back(static_cast<char>(character));
        } else if (character < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (character >> 6)));
            out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
        } else if (character < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (character >> 12)));
            out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (character >> 18)));
            out.push_back(static_cast<char>(0x80 | ((character >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
        }
        return true;
    case kCFStringEncodingASCII:
    case kCFStringEncodingISOLatin1:
        if (character >= (encoding_ == kCFStringEncodingASCII ? 0x80u : 0x100u)) return false;
        out.push_back(static_cast<char>(character));
        return true;
    default: {
        if (loneSurrogate) return false;
        char input[4];
        for (int i = 0; i < 4; ++i)
            input[i] = static_cast<char>((character >> (8 * i)) & 0xFF);
        char output[16];
        char* in = input;
        size_t inLeft = sizeof input;
        char* outPtr = output;
        size_t outLeft = sizeof output;
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter_, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return false;
        out.append(output, sizeof output - outLeft);
        return true;
    }
    }
}

bool Encoder::appendAll(std::u16string_view text, std::string& out) {
    for (size_t i = 0; i < text.size();) {
        char32_t character;
        i += characterAt(text, i, character);
        if (!append(character, out)) return false;
    }
    return true;
}

} // namespace cf
