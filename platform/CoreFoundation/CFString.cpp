#include "CFArray.h"
#include "CFInternal.h"
#include "CoreFoundationTesting.h"
#include "StringEncodings.h"

#include <QChar>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <unordered_map>

struct __CFString : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDString;
    explicit __CFString(std::u16string text, bool isMutable = false)
        : Object(kTypeID), chars(std::move(text)), isMutable(isMutable) {}

    bool equals(const Object& other) const override {
        return chars == static_cast<const __CFString&>(other).chars;
    }
    CFHashCode hash() const override {
        CFHashCode h = 14695981039346656037ull; // FNV-1a over the UTF-16 units
        for (char16_t unit : chars)
            h = (h ^ unit) * 1099511628211ull;
        return h;
    }
    std::u16string describe() const override { return chars; }

    std::u16string chars;
    const bool isMutable;
};

namespace cf {

CFStringRef makeString(std::u16string text) {
    return new __CFString(std::move(text));
}

std::u16string_view chars(CFStringRef string) {
    const auto* s = as<__CFString>(string);
    return s ? std::u16string_view(s->chars) : std::u16string_view();
}

std::u16string fromUTF8(std::string_view text) {
    std::u16string out;
    if (decodeBytes(text, kCFStringEncodingUTF8, out)) return out;
    out.clear(); // decode what is valid, a replacement character for each bad byte
    for (size_t i = 0; i < text.size();) {
        size_t length = 1;
        std::u16string piece;
        for (; length <= 4 && i + length <= text.size(); ++length)
            if (decodeBytes(text.substr(i, length), kCFStringEncodingUTF8, piece)) break;
        if (length > 4 || i + length > text.size()) {
            out.push_back(0xFFFD);
            ++i;
        } else {
            out += piece;
            i += length;
        }
    }
    return out;
}

std::string toUTF8(std::u16string_view text) {
    Encoder encoder(kCFStringEncodingUTF8);
    std::string out;
    for (size_t i = 0; i < text.size();) {
        char32_t character;
        i += characterAt(text, i, character);
        if (!encoder.append(character, out)) encoder.append(0xFFFD, out);
    }
    return out;
}

std::string toUTF8(CFStringRef string) {
    return toUTF8(chars(string));
}

} // namespace cf

using cf::as;

namespace {

__CFString* string(CFTypeRef ref) {
    return as<__CFString>(ref);
}

// Clips a range to a text of the given length.
bool clip(CFRange range, size_t length, size_t& start, size_t& count) {
    if (range.location < 0 || range.length < 0 || size_t(range.location) > length) return false;
    start = size_t(range.location);
    count = std::min(size_t(range.length), length - start);
    return true;
}

char16_t fold(char16_t unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) return unit;
    return QChar(unit).toCaseFolded().unicode();
}

std::u16string folded(std::u16string_view text, CFStringCompareFlags options) {
    std::u16string out(text);
    if (options & kCFCompareCaseInsensitive)
        std::transform(out.begin(), out.end(), out.begin(), fold);
    return out;
}

// The part of a printf conversion that this formatter hands to snprintf.
struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    std::string length;
    char type = 0;

    std::string specifier(const char* lengthOverride) const {
        std::string specifier = "%" + flags;
        if (width >= 0) specifier += std::to_string(width);
        if (precision >= 0) specifier += "." + std::to_string(precision);
        return specifier + lengthOverride + type;
    }
};

template <class Value> std::u16string printed(const std::string& specifier, Value value) {
    char small[128];
    const int needed = std::snprintf(small, sizeof small, specifier.c_str(), value);
    if (needed < 0) return {};
    if (size_t(needed) < sizeof small) return cf::fromUTF8(small);
    std::string large(size_t(needed) + 1, '\0');
    std::snprintf(large.data(), large.size(), specifier.c_str(), value);
    large.resize(size_t(needed));
    return cf::fromUTF8(large);
}

std::u16string padded(std::u16string text, const Conversion& c) {
    if (c.precision >= 0 && text.size() > size_t(c.precision)) text.resize(size_t(c.precision));
    if (c.width > 0 && text.size() < size_t(c.width)) {
        const std::u16string fill(size_t(c.width) - text.size(), u' ');
        text = c.flags.find('-') != std::string::npos ? text + fill : fill + text;
    }
    return text;
}

std::u16string format(std::u16string_view fmt, va_list arguments) {
    va_list ap;
    va_copy(ap, arguments);
    std::u16string out;
    size_t i = 0;
    auto at = [&](size_t k) -> char16_t { return k < fmt.size() ? fmt[k] : 0; };
    while (i < fmt.size()) {
        if (fmt[i] != u'%') {
            out.push_back(fmt[i++]);
            continue;
        }
        const size_t start = i++;
        Conversion c;
        while (at(i) && std::u16string_view(u"-+ #0'").find(at(i)) != std::u16string_view::npos)
            c.flags.push_back(char(fmt[i++]));
        if (at(i) == u'*') {
            c.width = va_arg(ap, int);
            if (c.width < 0) c.flags.push_back('-'), c.width = -c.width;
            ++i;
        } else {
            while (at(i) >= u'0' && at(i) <= u'9')
                c.width = std::max(c.width, 0) * 10 + (fmt[i++] - u'0');
        }
        if (at(i) == u'.') {
            ++i;
            c.precision = 0;
            if (at(i) == u'*') {
                c.precision = va_arg(ap, int);
                ++i;
            } else {
                while (at(i) >= u'0' && at(i) <= u'9')
                    c.precision = c.precision * 10 + (fmt[i++] - u'0');
            }
        }
        while (at(i) && std::u16string_view(u"hlqLzjt").find(at(i)) != std::u16string_view::npos)
            c.length.push_back(char(fmt[i++]));
        c.type = char(at(i));
        if (at(i)) ++i;
        const bool isLong = c.length == "l" || c.length == "ll" || c.length == "q" ||
                            c.length == "z" || c.length == "j" || c.length == "t";
        switch (c.type) {
        case '%':
            out.push_back(u'%');
            break;
        case '@': {
            CFTypeRef object = va_arg(ap, CFTypeRef);
            CFStringRef description = CFCopyDescription(object);
            out += padded(description ? std::u16string(cf::chars(description)) : u"(null)", c);
            if (description) CFRelease(description);
            break;
        }
        case 's': {
            const char* text = va_arg(ap, const char*);
            out += padded(text ? cf::fromUTF8(text) : u"(null)", c);
            break;
        }
        case 'S': {
            const UniChar* text = va_arg(ap, const UniChar*);
            std::u16string value = u"(null)";
            if (text) {
                value.clear();
                for (; *text; ++text)
                    value.push_back(*text);
            }
            out += padded(value, c);
            break;
        }
        case 'c':
        case 'C':
            out += padded(std::u16string(1, char16_t(va_arg(ap, int))), c);
            break;
        case 'd':
        case 'i':
            out += printed(c.specifier("ll"),
                           isLong ? va_arg(ap, long long) : (long long)va_arg(ap, int));
            break;
        case 'u':
        case 'o':
        case 'x':
        case 'X': {
            unsigned long long value =
                isLong ? va_arg(ap, unsigned long long) : va_arg(ap, unsigned);
            if (c.length == "hh") value &= 0xFF;
            if (c.length == "h") value &= 0xFFFF;
            out += printed(c.specifier("ll"), value);
            break;
        }
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            if (c.length == "L")
                out += printed(c.specifier("L"), va_arg(ap, long double));
            else
                out += printed(c.specifier(""), va_arg(ap, double));
            break;
        case 'p':
            out += printed(c.specifier(""), va_arg(ap, void*));
            break;
        default: // not a conversion: keep the text as written
            out.append(fmt.substr(start, i - start));
            break;
        }
    }
    va_end(ap);
    return out;
}

} // namespace

CFStringRef __CFStringMakeConstantString(const char* cStr) {
    static std::mutex mutex;
    static auto* constants = new std::unordered_map<std::string, __CFString*>();
    if (!cStr) return nullptr;
    std::lock_guard lock(mutex);
    auto& constant = (*constants)[cStr];
    if (!constant) {
        constant = new __CFString(cf::fromUTF8(cStr));
        constant->immortal = true;
    }
    return constant;
}

CFTypeID CFStringGetTypeID(void) {
    return cf::kTypeIDString;
}

CFStringRef CFStringCreateWithBytes(CFAllocatorRef, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean isExternalRepresentation) {
    if ((!bytes && numBytes) || numBytes < 0) return nullptr;
    std::string_view data(reinterpret_cast<const char*>(bytes), size_t(numBytes));
    if (encoding == kCFStringEncodingUTF16 && data.size() >= 2) {
        const auto b0 = (unsigned char)data[0], b1 = (unsigned char)data[1];
        if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0xFF && b1 == 0xFE)) {
            encoding = b0 == 0xFE ? kCFStringEncodingUTF16BE : kCFStringEncodingUTF16LE;
            data.remove_prefix(2);
        } else if (isExternalRepresentation) {
            encoding = kCFStringEncodingUTF16BE;
        }
    } else if (encoding == kCFStringEncodingUTF8 && isExternalRepresentation &&
               data.starts_with("\xEF\xBB\xBF")) {
        data.remove_prefix(3);
    }
    std::u16string text;
    if (!cf::decodeBytes(data, encoding, text)) return nullptr;
    return cf::makeString(std::move(text));
}

CFStringRef CFStringCreateWithCString(CFAllocatorRef alloc, const char* cStr,
                                      CFStringEncoding encoding) {
    if (!cStr) return nullptr;
    return CFStringCreateWithBytes(alloc, reinterpret_cast<const UInt8*>(cStr),
                                   CFIndex(std::strlen(cStr)), encoding, false);
}

CFStringRef CFStringCreateWithCharacters(CFAllocatorRef, const UniChar* chars, CFIndex numChars) {
    if ((!chars && numChars) || numChars < 0) return nullptr;
    return cf::makeString(
        std::u16string(reinterpret_cast<const char16_t*>(chars), size_t(numChars)));
}

CFStringRef CFStringCreateWithSubstring(CFAllocatorRef, CFStringRef str, CFRange range) {
    const auto text = cf::chars(str);
    size_t start, count;
    if (!string(str) || !clip(range, text.size(), start, count)) return nullptr;
    return cf::makeString(std::u16string(text.substr(start, count)));
}

CFStringRef CFStringCreateCopy(CFAllocatorRef, CFStringRef str) {
    const __CFString* s = string(str);
    if (!s) return nullptr;
    if (!s->isMutable) return static_cast<CFStringRef>(CFRetain(str));
    return cf::makeString(s->chars);
}

CFStringRef CFStringCreateWithFormatAndArguments(CFAllocatorRef, CFTypeRef, CFStringRef fmt,
                                                 va_list arguments) {
    if (!string(fmt)) return nullptr;
    return cf::makeString(format(cf::chars(fmt), arguments));
}

CFStringRef CFStringCreateWithFormat(CFAllocatorRef alloc, CFTypeRef options, CFStringRef fmt,
                                     ...) {
    va_list arguments;
    va_start(arguments, fmt);
    CFStringRef result = CFStringCreateWithFormatAndArguments(alloc, options, fmt, arguments);
    va_end(arguments);
    return result;
}

CFArrayRef CFStringCreateArrayBySeparatingStrings(CFAllocatorRef, CFStringRef str,
                                                  CFStringRef separator) {
    if (!string(str) || !string(separator)) return nullptr;
    CFMutableArrayRef pieces = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    const auto text = cf::chars(str);
    const auto sep = cf::chars(separator);
    if (!text.empty()) {
        size_t from = 0;
        while (true) {
            const size_t found = sep.empty() ? std::u16string_view::npos : text.find(sep, from);
            CFStringRef piece = cf::makeString(std::u16string(text.substr(from, found - from)));
            CFArrayAppendValue(pieces, piece);
            CFRelease(piece);
            if (found == std::u16string_view::npos) break;
            from = found + sep.size();
        }
    }
    return pieces;
}

CFIndex CFStringGetLength(CFStringRef str) {
    return CFIndex(cf::chars(str).size());
}

UniChar CFStringGetCharacterAtIndex(CFStringRef str, CFIndex idx) {
    const auto text = cf::chars(str);
    return idx >= 0 && size_t(idx) < text.size() ? text[size_t(idx)] : 0;
}

void CFStringGetCharacters(CFStringRef str, CFRange range, UniChar* buffer) {
    const auto text = cf::chars(str);
    size_t start, count;
    if (!buffer || !clip(range, text.size(), start, count)) return;
    std::copy_n(text.begin() + long(start), count, buffer);
}

Boolean CFStringGetCString(CFStringRef str, char* buffer, CFIndex bufferSize,
                           CFStringEncoding encoding) {
    if (!string(str) || !buffer || bufferSize <= 0) return false;
    cf::Encoder encoder(encoding);
    std::string bytes;
    if (!encoder.valid() || !encoder.appendAll(cf::chars(str), bytes)) return false;
    if (bytes.size() + 1 > size_t(bufferSize)) return false;
    std::memcpy(buffer, bytes.data(), bytes.size());
    buffer[bytes.size()] = '\0';
    return true;
}

CFIndex CFStringGetBytes(CFStringRef str, CFRange range, CFStringEncoding encoding, UInt8 lossByte,
                         Boolean isExternalRepresentation, UInt8* buffer, CFIndex maxBufLen,
                         CFIndex* usedBufLen) {
    if (usedBufLen) *usedBufLen = 0;
    const auto text = cf::chars(str);
    size_t start, count;
    cf::Encoder encoder(encoding);
    if (!string(str) || !clip(range, text.size(), start, count) || !encoder.valid()) return 0;
    const size_t capacity = buffer ? size_t(std::max<CFIndex>(maxBufLen, 0)) : SIZE_MAX;
    std::string out;
    const bool utf16 = encoding == kCFStringEncodingUTF16;
    if (utf16 && isExternalRepresentation) encoder.append(0xFEFF, out);
    if (out.size() > capacity) return 0;
    size_t converted = 0;
    while (converted < count) {
        char32_t character;
        const size_t units = cf::characterAt(text.substr(start, count), converted, character);
        const size_t before = out.size();
        if (!encoder.append(character, out)) {
            if (!lossByte) break;
            out.push_back(char(lossByte));
        }
        if (out.size() > capacity) {
            out.resize(before);
            break;
        }
        converted += units;
    }
    if (buffer) std::memcpy(buffer, out.data(), out.size());
    if (usedBufLen) *usedBufLen = CFIndex(out.size());
    return CFIndex(converted);
}

CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding) {
    if (length < 0) return kCFNotFound;
    CFIndex factor = 1;
    switch (encoding) {
    case kCFStringEncodingUTF8:
        factor = 3; // a UTF-16 unit takes at most 3 bytes; a surrogate pair 4 for its 2 units
        break;
    case kCFStringEncodingUTF16:
    case kCFStringEncodingUTF16LE:
    case kCFStringEncodingUTF16BE:
    case kCFStringEncodingMacJapanese:
    case kCFStringEncodingDOSJapanese:
    case kCFStringEncodingShiftJIS:
        factor = 2;
        break;
    default:
        break;
    }
    return length > LONG_MAX / factor ? CFIndex(kCFNotFound) : length * factor;
}

namespace {

CFComparisonResult compareFolded(std::u16string_view a, std::u16string_view b,
                                 CFStringCompareFlags options) {
    const int order = folded(a, options).compare(folded(b, options));
    return order < 0 ? kCFCompareLessThan : order > 0 ? kCFCompareGreaterThan : kCFCompareEqualTo;
}

} // namespace

CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2,
                                   CFStringCompareFlags compareOptions) {
    return compareFolded(cf::chars(theString1), cf::chars(theString2), compareOptions);
}

CFComparisonResult CFStringCompareWithOptions(CFStringRef theString1, CFStringRef theString2,
                                              CFRange rangeToCompare,
                                              CFStringCompareFlags compareOptions) {
    size_t start, count;
    if (!string(theString1) || !clip(rangeToCompare, cf::chars(theString1).size(), start, count))
        return kCFCompareLessThan;
    return compareFolded(cf::chars(theString1).substr(start, count), cf::chars(theString2),
                         compareOptions);
}

Boolean CFStringFindWithOptions(CFStringRef theString, CFStringRef stringToFind,
                                CFRange rangeToSearch, CFStringCompareFlags searchOptions,
                                CFRange* result) {
    size_t start, count;
    if (!string(theString) || !string(stringToFind) ||
        !clip(rangeToSearch, cf::chars(theString).size(), start, count))
        return false;
    const std::u16string text = folded(cf::chars(theString).substr(start, count), searchOptions);
    const std::u16string needle = folded(cf::chars(stringToFind), searchOptions);
    if (needle.empty() || needle.size() > text.size()) return false;
    const size_t last = text.size() - needle.size();
    size_t found = std::u16string::npos;
    const bool backwards = searchOptions & kCFCompareBackwards;
    if (searchOptions & kCFCompareAnchored) {
        const size_t at = backwards ? last : 0;
        if (text.compare(at, needle.size(), needle) == 0) found = at;
    } else {
        found = backwards ? text.rfind(needle) : text.find(needle);
    }
    if (found == std::u16string::npos) return false;
    if (result) *result = CFRangeMake(CFIndex(start + found), CFIndex(needle.size()));
    return true;
}

CFRange CFStringFind(CFStringRef theString, CFStringRef stringToFind,
                     CFStringCompareFlags compareOptions) {
    CFRange result = CFRangeMake(kCFNotFound, 0);
    CFStringFindWithOptions(theString, stringToFind, CFRangeMake(0, CFStringGetLength(theString)),
                            compareOptions, &result);
    return result;
}

namespace {
std::mutex unavailableMutex;
std::set<CFStringEncoding> unavailableEncodings; // made unavailable by a test
} // namespace

void _CFStringSetEncodingUnavailableForTesting(CFStringEncoding encoding, Boolean unavailable) {
    std::lock_guard lock(unavailableMutex);
    if (unavailable)
        unavailableEncodings.insert(encoding);
    else
        unavailableEncodings.erase(encoding);
}

Boolean CFStringIsEncodingAvailable(CFStringEncoding encoding) {
    {
        std::lock_guard lock(unavailableMutex);
        if (unavailableEncodings.contains(encoding)) return false;
    }
    return cf::Encoder(encoding).valid();
}

CFStringEncoding CFStringGetSmallestEncoding(CFStringRef str) {
    for (CFStringEncoding encoding : {kCFStringEncodingASCII, kCFStringEncodingMacRoman}) {
        std::string bytes;
        if (cf::Encoder(encoding).appendAll(cf::chars(str), bytes)) return encoding;
    }
    return kCFStringEncodingUnicode;
}

CFMutableStringRef CFStringCreateMutable(CFAllocatorRef, CFIndex) {
    return new __CFString(std::u16string(), true);
}

CFMutableStringRef CFStringCreateMutableCopy(CFAllocatorRef, CFIndex, CFStringRef theString) {
    if (!string(theString)) return nullptr;
    return new __CFString(std::u16string(cf::chars(theString)), true);
}

void CFStringAppend(CFMutableStringRef theString, CFStringRef appendedString) {
    if (__CFString* s = cf::asMutable<__CFString>(theString)) s->chars += cf::chars(appendedString);
}

void CFStringAppendCharacters(CFMutableStringRef theString, const UniChar* chars,
                              CFIndex numChars) {
    if (__CFString* s = cf::asMutable<__CFString>(theString); s && chars && numChars > 0)
        s->chars.append(reinterpret_cast<const char16_t*>(chars), size_t(numChars));
}

void CFStringAppendFormatAndArguments(CFMutableStringRef theString, CFTypeRef, CFStringRef fmt,
                                      va_list arguments) {
    if (__CFString* s = cf::asMutable<__CFString>(theString); s && string(fmt))
        s->chars += format(cf::chars(fmt), arguments);
}

void CFStringReplace(CFMutableStringRef theString, CFRange range, CFStringRef replacement) {
    __CFString* s = cf::asMutable<__CFString>(theString);
    size_t start, count;
    if (!s || !clip(range, s->chars.size(), start, count)) return;
    s->chars.replace(start, count, cf::chars(replacement));
}

void CFStringDelete(CFMutableStringRef theString, CFRange range) {
    CFStringReplace(theString, range, nullptr);
}
