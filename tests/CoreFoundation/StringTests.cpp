// Strings at the edges of their encodings: legacy encodings both ways, byte-order marks,
// characters that cannot be represented, printf conversions and anchored searches.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

CFRef<CFStringRef> fromBytes(const std::string& bytes, CFStringEncoding encoding,
                             bool external = false) {
    return CFRef<CFStringRef>(CFStringCreateWithBytes(nullptr,
                                                      reinterpret_cast<const UInt8*>(bytes.data()),
                                                      CFIndex(bytes.size()), encoding, external));
}

// The bytes of a string in an encoding, or "<failed>".
std::string bytesOf(CFStringRef string, CFStringEncoding encoding) {
    std::vector<char> buffer(
        size_t(CFStringGetMaximumSizeForEncoding(CFStringGetLength(string), encoding)) + 1);
    if (!CFStringGetCString(string, buffer.data(), CFIndex(buffer.size()), encoding))
        return "<failed>";
    // The terminator is a single zero byte whatever the encoding: measure by the length.
    CFIndex used = 0;
    CFStringGetBytes(string, CFRangeMake(0, CFStringGetLength(string)), encoding, 0, false, nullptr,
                     0, &used);
    return std::string(buffer.data(), size_t(used));
}

TEST(CFStringEncodings, LegacyEncodingsConvertBothWays) {
    struct Case {
        CFStringEncoding encoding;
        std::string bytes;
        const char* utf8;
    };
    const Case cases[] = {
        {kCFStringEncodingMacRoman, "caf\x8E \xA9 \xD2x\xD3", "café © “x”"},
        {kCFStringEncodingMacJapanese, "\x93\xFA\x96\x7B\x8C\xEA \xB6\xC5 \\", "日本語 ｶﾅ \\"},
        {kCFStringEncodingISOLatin1, "\xE9t\xE9 \xFF", "été ÿ"},
        {kCFStringEncodingWindowsLatin1, "\x80 \x93ok\x94", "€ “ok”"},
        {kCFStringEncodingUTF8, "\xF0\x9F\x93\xA0 fax", "📠 fax"},
        {kCFStringEncodingUTF16LE, std::string("A\0\x42\x30", 4), "Aあ"},
        {kCFStringEncodingUTF16BE, std::string("\0A\x30\x42", 4), "Aあ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        auto decoded = fromBytes(c.bytes, c.encoding);
        EXPECT_EQ(text(decoded.get()), c.utf8);
        EXPECT_EQ(bytesOf(makeString(c.utf8).get(), c.encoding), c.bytes);
        EXPECT_TRUE(CFStringIsEncodingAvailable(c.encoding));
    }
    EXPECT_FALSE(CFStringIsEncodingAvailable(0x7777));
}

TEST(CFStringEncodings, ByteOrderMarksAndExternalRepresentation) {
    EXPECT_EQ(text(fromBytes(std::string("\xFE\xFF\0A", 4), kCFStringEncodingUTF16).get()), "A");
    EXPECT_EQ(text(fromBytes(std::string("\xFF\xFE\x41\0", 4), kCFStringEncodingUTF16).get()), "A");
    EXPECT_EQ(text(fromBytes(std::string("\x41\0", 2), kCFStringEncodingUTF16).get()), "A")
        << "without a mark UTF-16 is host order (little-endian here)";
    EXPECT_EQ(text(fromBytes(std::string("\0A", 2), kCFStringEncodingUTF16, true).get()), "A")
        << "an external representation without a mark is big-endian";
    EXPECT_EQ(CFStringGetLength(
                  fromBytes(std::string("\xFF\xFE\x41\0", 4), kCFStringEncodingUTF16LE).get()),
              2)
        << "an explicit byte order keeps a leading U+FEFF as a character";
    EXPECT_EQ(text(fromBytes("\xEF\xBB\xBFok", kCFStringEncodingUTF8, true).get()), "ok");
}

TEST(CFStringEncodings, GetBytesStopsOrSubstitutesAtUnrepresentableCharacters) {
    auto mixed = makeString("ab日c");
    UInt8 buffer[16];
    CFIndex used = 0;
    const CFRange all = CFRangeMake(0, CFStringGetLength(mixed.get()));
    EXPECT_EQ(
        CFStringGetBytes(mixed.get(), all, kCFStringEncodingISOLatin1, 0, false, buffer, 16, &used),
        2);
    EXPECT_EQ(used, 2);
    EXPECT_EQ(CFStringGetBytes(mixed.get(), all, kCFStringEncodingISOLatin1, '?', false, buffer, 16,
                               &used),
              4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size_t(used)), "ab?c");
    EXPECT_EQ(CFStringGetBytes(mixed.get(), all, kCFStringEncodingUTF8, 0, false, buffer, 4, &used),
              2)
        << "a character that does not fit whole is not converted";
    EXPECT_EQ(used, 2);

    EXPECT_EQ(CFStringGetSmallestEncoding(makeString("plain").get()), kCFStringEncodingASCII);
    EXPECT_EQ(CFStringGetSmallestEncoding(makeString("café").get()), kCFStringEncodingMacRoman);
    EXPECT_EQ(CFStringGetSmallestEncoding(makeString("日本").get()), kCFStringEncodingUnicode);
}

TEST(CFStringFormat, PrintfConversionsAndObjectDescriptions) {
    CFRef<CFStringRef> mixed(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("[%5d|%-4s|%03x|%%|%.2f|%ld|%lu|%c]"), 42,
                                 "ab", 10, 3.14159, -5000000000L, 7UL, 'z'));
    EXPECT_EQ(text(mixed.get()), "[   42|ab  |00a|%|3.14|-5000000000|7|z]");

    const long long big = 1LL << 40;
    CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt64Type, &big));
    const void* items[] = {CFSTR("a"), kCFBooleanTrue};
    CFRef<CFArrayRef> array(CFArrayCreate(nullptr, items, 2, &kCFTypeArrayCallBacks));
    CFRef<CFStringRef> objects(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@ %@ %@ %s"),
                                                        number.get(), nullptr, array.get(), "é"));
    EXPECT_EQ(text(objects.get()), "1099511627776 (null) (a, true) é");

    CFRef<CFStringRef> star(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%*d|%.*s|%q"), 4, 7, 2, "xyz"));
    EXPECT_EQ(text(star.get()), "   7|xy|%q") << "an unknown conversion is kept as written";
}

TEST(CFStringSearch, AnchoredAndBackwardSearches) {
    const struct {
        const char *text, *sought;
        CFStringCompareFlags options;
        CFIndex location;
    } finds[] = {
        {"a.b.c", ".", kCFCompareBackwards, 3},
        {"abcabc", "bc", kCFCompareAnchored, kCFNotFound},
        {"abcabc", "bc", kCFCompareAnchored | kCFCompareBackwards, 4},
    };
    for (const auto& f : finds)
        EXPECT_EQ(
            CFStringFind(makeString(f.text).get(), makeString(f.sought).get(), f.options).location,
            f.location)
            << f.text << " " << f.sought;
    EXPECT_EQ(CFStringFind(nullptr, CFSTR("a"), 0).location, kCFNotFound);
}

} // namespace
