#include "StringsTable.h"

#include "CFInternal.h"
#include "CFRef.h"
#include "StringEncodings.h"

#include <cstdio>
#include <optional>

namespace cf {

namespace {

class Parser {
  public:
    explicit Parser(std::u16string text) : text_(std::move(text)) {}

    // Fills table; false with error set on the first fault.
    bool parse(CFMutableDictionaryRef table) {
        while (skipSpaceAndComments()) {
            auto key = token();
            if (!key) return false;
            std::u16string value = *key; // "key"; alone means the key is its own text
            skipSpaceAndComments();
            if (peek() == u'=') {
                ++pos_;
                skipSpaceAndComments();
                auto parsed = token();
                if (!parsed) return false;
                value = *parsed;
                skipSpaceAndComments();
            }
            if (peek() != u';') return fail("missing ';'");
            ++pos_;
            CFRef<CFStringRef> keyString(makeString(*key));
            CFRef<CFStringRef> valueString(makeString(value));
            CFDictionarySetValue(table, keyString.get(), valueString.get());
        }
        return error_.empty();
    }
    std::string error() const { return error_ + " at line " + std::to_string(line()); }

  private:
    char16_t peek(size_t ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : 0;
    }
    bool fail(const char* message) {
        if (error_.empty()) error_ = message;
        return false;
    }
    size_t line() const {
        size_t count = 1;
        for (size_t i = 0; i < pos_ && i < text_.size(); ++i)
            count += text_[i] == u'\n';
        return count;
    }

    // Skips blanks and comments; false at the end of the text (or on an unclosed comment).
    bool skipSpaceAndComments() {
        while (pos_ < text_.size()) {
            const char16_t c = text_[pos_];
            if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == 0xFEFF) {
                ++pos_;
            } else if (c == u'/' && peek(1) == u'*') {
                const size_t end = text_.find(u"*/", pos_ + 2);
                if (end == std::u16string::npos) return fail("unclosed comment");
                pos_ = end + 2;
            } else if (c == u'/' && peek(1) == u'/') {
                while (pos_ < text_.size() && text_[pos_] != u'\n')
                    ++pos_;
            } else {
                return true;
            }
        }
        return false;
    }

    static bool isWordCharacter(char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
               std::u16string_view(u"_$+/:.-").find(c) != std::u16string_view::npos;
    }

    std::optional<std::u16string> token() {
        if (peek() != u'"') {
            std::u16string word;
            while (isWordCharacter(peek()))
                word.push_back(text_[pos_++]);
            if (word.empty()) return fail("expected a string"), std::nullopt;
            return word;
        }
        ++pos_;
        std::u16string out;
        while (pos_ < text_.size() && text_[pos_] != u'"') {
            char16_t c = text_[pos_++];
            if (c == u'\\') {
                if (pos_ >= text_.size()) break;
                c = text_[pos_++];
                switch (c) {
                case u'n':
                    c = u'\n';
                    break;
                case u't':
                    c = u'\t';
                    break;
                case u'r':
                    c = u'\r';
                    break;
                case u'a':
                    c = u'\a';
                    break;
                case u'b':
                    c = u'\b';
                    break;
                case u'f':
                    c = u'\f';
                    break;
                case u'v':
                    c = u'\v';
                    break;
                case u'U':
                case u'u': {
                    unsigned value = 0;
                    for (int i = 0; i < 4; ++i) {
                        const char16_t h = peek();
                        const int digit = h >= u'0' && h <= u'9'   ? h - u'0'
                                          : h >= u'a' && h <= u'f' ? h - u'a' + 10
                                          : h >= u'A' && h <= u'F' ? h - u'A' + 10
                                                                   : -1;
                        if (digit < 0) return fail("bad \\U escape"), std::nullopt;
                        value = value * 16 + unsigned(digit);
                        ++pos_;
                    }
                    c = char16_t(value);
                    break;
                }
                default:
                    if (c >= u'0' && c <= u'7') { // up to three octal digits
                        unsigned value = c - u'0';
                        for (int i = 0; i < 2 && peek() >= u'0' && peek() <= u'7'; ++i)
                            value = value * 8 + (text_[pos_++] - u'0');
                        c = char16_t(value);
                    }
                    break; // \" \\ \' and any other character stand for themselves
                }
            }
            out.push_back(c);
        }
        if (peek() != u'"') return fail("unterminated string"), std::nullopt;
        ++pos_;
        return out;
    }

    std::u16string text_;
    size_t pos_ = 0;
    std::string error_;
};

bool decodeTableText(const std::string& bytes, std::u16string& text) {
    if (bytes.size() >= 2 && ((unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE))
        return decodeBytes(std::string_view(bytes).substr(2), kCFStringEncodingUTF16LE, text);
    if (bytes.size() >= 2 && ((unsigned char)bytes[0] == 0xFE && (unsigned char)bytes[1] == 0xFF))
        return decodeBytes(std::string_view(bytes).substr(2), kCFStringEncodingUTF16BE, text);
    std::string_view utf8(bytes);
    if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
    return decodeBytes(utf8, kCFStringEncodingUTF8, text);
}

} // namespace

CFDictionaryRef createStringsTable(const std::string& bytes, const std::string& origin) {
    std::u16string text;
    if (!decodeTableText(bytes, text)) {
        std::fprintf(stderr, "CFBundle: strings table %s is neither UTF-8 nor UTF-16\n",
                     origin.c_str());
        return nullptr;
    }
    const size_t first = text.find_first_not_of(u" \t\r\n\uFEFF");
    if (first != std::u16string::npos && text[first] == u'<') {
        if (CFDictionaryRef table = createDictionaryFromPropertyList(bytes, 0)) return table;
        std::fprintf(stderr, "CFBundle: strings table %s is not a dictionary\n", origin.c_str());
        return nullptr;
    }
    CFRef<CFMutableDictionaryRef> table(CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks));
    Parser parser(std::move(text));
    if (!parser.parse(table.get())) {
        std::fprintf(stderr, "CFBundle: malformed strings table %s: %s\n", origin.c_str(),
                     parser.error().c_str());
        return nullptr;
    }
    return table.release();
}

} // namespace cf
