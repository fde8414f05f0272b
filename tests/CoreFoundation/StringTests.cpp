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
}

TEST(CFStringEncodings, InvalidBytesGiveNullAndUnrepresentableTextFails) {
    EXPECT_FALSE(fromBytes("\xC3", kCFStringEncodingUTF8));                // truncated sequence
    EXPECT_FALSE(fromBytes("\xC0\xAF", kCFStringEncodingUTF8));            // overlong form
    EXPECT_FALSE(fromBytes("\xED\xA0\x80", kCFStringEncodingUTF8));        // encoded surrogate
    EXPECT_FALSE(fromBytes("\x81", kCFStringEncodingWindowsLatin1));       // undefined in CP1252
    EXPECT_FALSE(fromBytes("\x82\xA0\x82", kCFStringEncodingMacJapanese)); // cut double byte
    EXPECT_FALSE(fromBytes("abc", kCFStringEncodingUTF16LE));              // odd byte count
    EXPECT_FALSE(fromBytes("\x80", kCFStringEncodingASCII));
    EXPECT_FALSE(CFStringIsEncodingAvailable(0x7777));

    auto japanese = makeString("日本");
    char buffer[32];
    EXPECT_FALSE(
        CFStringGetCString(japanese.get(), buffer, sizeof buffer, kCFStringEncodingISOLatin1));
    EXPECT_FALSE(CFStringGetCString(makeString("€").get(), buffer, sizeof buffer,
                                    kCFStringEncodingISOLatin1));
    EXPECT_TRUE(
        CFStringGetCString(japanese.get(), buffer, sizeof buffer, kCFStringEncodingMacJapanese));
    EXPECT_FALSE(CFStringCreateWithCString(nullptr, nullptr, kCFStringEncodingUTF8));
}

TEST(CFStringEncodings, CStringNeedsRoomForTextAndOneZeroByte) {
    auto abc = makeString("abc");
    char buffer[4];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(CFStringGetCString(abc.get(), buffer, 3, kCFStringEncodingUTF8));
    EXPECT_EQ(buffer[0], 'x') << "a failed conversion leaves the buffer alone";
    EXPECT_TRUE(CFStringGetCString(abc.get(), buffer, 4, kCFStringEncodingUTF8));
    EXPECT_STREQ(buffer, "abc");

    // UTF-16LE: the units in little-endian order, then a single zero byte.
    auto ab = makeString("AB");
    char wide[5];
    EXPECT_FALSE(CFStringGetCString(ab.get(), wide, 4, kCFStringEncodingUTF16LE));
    ASSERT_TRUE(CFStringGetCString(ab.get(), wide, 5, kCFStringEncodingUTF16LE));
    EXPECT_EQ(std::string(wide, 5), std::string("A\0B\0\0", 5));
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

TEST(CFStringFormat, TicketKeyFormsAndPrintfConversions) {
    CFRef<CFStringRef> key(CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@%d"),
                                                    CFSTR("com.example.recipient."), 12));
    EXPECT_EQ(text(key.get()), "com.example.recipient.12");

    CFRef<CFStringRef> mixed(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("[%5d|%-4s|%03x|%%|%.2f|%ld|%lu|%c]"), 42,
                                 "ab", 10, 3.14159, -5000000000L, 7UL, 'z'));
    EXPECT_EQ(text(mixed.get()), "[   42|ab  |00a|%|3.14|-5000000000|7|z]");

    const long long big = 1LL << 40;
    CFRef<CFNumberRef> number(CFNumberCreate(nullptr, kCFNumberSInt64Type, &big));
    CFRef<CFStringRef> objects(CFStringCreateWithFormat(
        nullptr, nullptr, CFSTR("%@ %@ %@ %s"), number.get(), nullptr, kCFBooleanTrue, "é"));
    EXPECT_EQ(text(objects.get()), "1099511627776 (null) true é");

    CFRef<CFStringRef> star(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%*d|%.*s|%q"), 4, 7, 2, "xyz"));
    EXPECT_EQ(text(star.get()), "   7|xy|%q") << "an unknown conversion is kept as written";
}

TEST(CFStringSearch, CaseInsensitiveCompareAndFind) {
    EXPECT_EQ(CFStringCompare(CFSTR("abc"), CFSTR("ABD"), kCFCompareCaseInsensitive),
              kCFCompareLessThan);
    EXPECT_EQ(CFStringCompare(makeString("Émile").get(), makeString("éMILE").get(),
                              kCFCompareCaseInsensitive),
              kCFCompareEqualTo);
    EXPECT_EQ(CFStringCompare(CFSTR("a"), CFSTR("B"), 0), kCFCompareGreaterThan)
        << "exact compare is by unit";
    EXPECT_EQ(CFStringCompare(CFSTR("b"), CFSTR("B"), kCFCompareCaseInsensitive),
              kCFCompareEqualTo);
    EXPECT_EQ(CFStringCompare(CFSTR("ab"), CFSTR("abc"), 0), kCFCompareLessThan);
    // A range compares that part of the first string with the whole second one.
    EXPECT_EQ(CFStringCompareWithOptions(CFSTR("abcd"), CFSTR("BC"), CFRangeMake(1, 2),
                                         kCFCompareCaseInsensitive),
              kCFCompareEqualTo);
    EXPECT_EQ(CFStringCompareWithOptions(CFSTR("abc"), CFSTR("ab"), CFRangeMake(0, 3), 0),
              kCFCompareGreaterThan);

    const CFRange found =
        CFStringFind(CFSTR("Mr TANAKA Taro"), CFSTR("tanaka"), kCFCompareCaseInsensitive);
    EXPECT_EQ(found.location, 3);
    EXPECT_EQ(found.length, 6);
    EXPECT_EQ(CFStringFind(CFSTR("Mr TANAKA Taro"), CFSTR("tanaka"), 0).location, kCFNotFound);
    EXPECT_EQ(CFStringFind(CFSTR("a.b.c"), CFSTR("."), kCFCompareBackwards).location, 3);
    EXPECT_EQ(CFStringFind(CFSTR("abcabc"), CFSTR("bc"), kCFCompareAnchored).location, kCFNotFound);
    EXPECT_EQ(CFStringFind(CFSTR("abcabc"), CFSTR("bc"), kCFCompareAnchored | kCFCompareBackwards)
                  .location,
              4);
    EXPECT_EQ(CFStringFind(CFSTR("abc"), CFSTR(""), 0).location, kCFNotFound);
    EXPECT_EQ(CFStringFind(nullptr, CFSTR("a"), 0).location, kCFNotFound);
}

TEST(CFStringPieces, SeparateAndTakeSubstrings) {
    CFRef<CFArrayRef> pieces(
        CFStringCreateArrayBySeparatingStrings(nullptr, CFSTR("a._tcp.b._tcp."), CFSTR("._tcp")));
    ASSERT_EQ(CFArrayGetCount(pieces.get()), 3);
    EXPECT_EQ(text(CFArrayGetValueAtIndex(pieces.get(), 0)), "a");
    EXPECT_EQ(text(CFArrayGetValueAtIndex(pieces.get(), 1)), ".b");
    EXPECT_EQ(text(CFArrayGetValueAtIndex(pieces.get(), 2)), ".");
    CFRef<CFArrayRef> none(
        CFStringCreateArrayBySeparatingStrings(nullptr, CFSTR("abc"), CFSTR(",")));
    EXPECT_EQ(CFArrayGetCount(none.get()), 1);
    CFRef<CFArrayRef> empty(CFStringCreateArrayBySeparatingStrings(nullptr, CFSTR(""), CFSTR(",")));
    EXPECT_EQ(CFArrayGetCount(empty.get()), 0);

    CFRef<CFStringRef> middle(
        CFStringCreateWithSubstring(nullptr, CFSTR("abcdef"), CFRangeMake(2, 100)));
    EXPECT_EQ(text(middle.get()), "cdef") << "a range past the end is clipped";
    EXPECT_FALSE(CFStringCreateWithSubstring(nullptr, CFSTR("abc"), CFRangeMake(5, 1)));
    UniChar units[3] = {0, 0, 0};
    CFStringGetCharacters(CFSTR("xyz"), CFRangeMake(1, 2), units);
    EXPECT_EQ(units[0], 'y');
    EXPECT_EQ(units[1], 'z');
    EXPECT_EQ(CFStringGetCharacterAtIndex(CFSTR("xyz"), 3), 0);
}

TEST(CFStringMutation, MutableStringsChangeAndImmutableOnesRefuse) {
    CFRef<CFMutableStringRef> s(CFStringCreateMutable(nullptr, 0));
    CFStringAppend(s.get(), CFSTR("fax"));
    CFStringAppendCString(s.get(), " café", kCFStringEncodingUTF8);
    const UniChar bang = '!';
    CFStringAppendCharacters(s.get(), &bang, 1);
    CFStringReplace(s.get(), CFRangeMake(0, 0), CFSTR(">"));
    CFStringDelete(s.get(), CFRangeMake(1, 3));
    EXPECT_EQ(text(s.get()), "> café!");
    EXPECT_EQ(CFStringGetCStringPtr(s.get(), kCFStringEncodingUTF8), nullptr);

    CFRef<CFStringRef> snapshot(CFStringCreateCopy(nullptr, s.get()));
    CFStringAppend(s.get(), CFSTR("?"));
    EXPECT_EQ(text(snapshot.get()), "> café!") << "a copy of a mutable string does not follow it";

    auto fixed = makeString("fixed");
    CFStringAppend(const_cast<CFMutableStringRef>(fixed.get()), CFSTR("!"));
    EXPECT_EQ(text(fixed.get()), "fixed");
    EXPECT_STREQ(CFStringGetCStringPtr(fixed.get(), kCFStringEncodingUTF8), "fixed");
}

TEST(CFStringObjects, ConstantsEqualityAndRetainCounts) {
    EXPECT_EQ(CFSTR("same"), CFSTR("same"));
    CFRelease(CFSTR("same")); // constants ignore release
    EXPECT_EQ(text(CFSTR("same")), "same");
    EXPECT_TRUE(CFEqual(CFSTR("k"), makeString("k").get()));
    EXPECT_FALSE(CFEqual(CFSTR("k"), nullptr));
    EXPECT_EQ(CFGetTypeID(CFSTR("k")), CFStringGetTypeID());

    auto s = makeString("counted");
    EXPECT_EQ(CFGetRetainCount(s.get()), 1);
    CFRetain(s.get());
    EXPECT_EQ(CFGetRetainCount(s.get()), 2);
    CFRelease(s.get());
    EXPECT_EQ(CFStringGetLength(nullptr), 0);
    CFRelease(nullptr);
}

} // namespace
