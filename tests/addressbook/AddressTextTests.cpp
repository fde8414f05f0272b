// The fixed-width UTF-16LE fields, on both conversion paths, and the duplicate rule.
#include <AddressDuplicates.h>
#include <CFRef.h>
#include <CoreFoundationTesting.h>
#include <UTF16LEFields.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

CFRef<CFStringRef> utf16String(const std::u16string& text) {
    return CFRef<CFStringRef>(CFStringCreateWithCharacters(
        nullptr, reinterpret_cast<const UniChar*>(text.data()), CFIndex(text.size())));
}

// The text's units little-endian in a field of the size, zeroes after them.
std::vector<UInt8> unitsLE(const std::u16string& text, size_t size) {
    std::vector<UInt8> field(size, 0);
    for (size_t i = 0; i < text.size() && 2 * i + 1 < size; ++i) {
        field[2 * i] = UInt8(text[i] & 0xFF);
        field[2 * i + 1] = UInt8(text[i] >> 8);
    }
    return field;
}

TEST(UniCharLengthTest, CountsUnitsBeforeTheFirstZeroUnitWithinTheField) {
    // Units of 'x', the size examined, the count expected.
    const std::tuple<size_t, UInt32, SInt32> cases[] = {
        {33, 66, -1}, // no room left for a zero unit
        {0, 66, 0},   {32, 66, 32}, {0, 0, -1},
        {0, 1, -1},   {1, 3, -1}, // the unit at byte 2 does not begin before byte size - 1
    };
    for (const auto& [units, size, expected] : cases)
        EXPECT_EQ(expected,
                  UniCharLength(unitsLE(std::u16string(units, u'x'), size + 2).data(), size))
            << units << " " << size;
}

// Direct UTF-16LE conversion (false) and the byte-swapping path for platforms without it (true).
class UTF16LEFieldTest : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        _CFStringSetEncodingUnavailableForTesting(kCFStringEncodingUTF16LE, GetParam());
    }
    void TearDown() override {
        _CFStringSetEncodingUnavailableForTesting(kCFStringEncodingUTF16LE, false);
    }
};

TEST_P(UTF16LEFieldTest, AStringFitsWhenItsUnitsAndTheTerminatorDo) {
    const std::u16string clef = u"\U0001D11E"; // outside the BMP: two units
    std::u16string sixteenClefs;
    for (int i = 0; i < 16; ++i)
        sixteenClefs += clef;
    struct Case {
        std::u16string text;
        size_t size;
        bool fits;
    };
    const Case cases[] = {
        {std::u16string(32, u'N'), 66, true},
        {std::u16string(33, u'N'), 66, false},
        {sixteenClefs, 66, true},
        {sixteenClefs + u"x", 66, false},
        {u"Jürgen 山田 " + clef, 66, true},
        {std::u16string(50, u'5'), 102, true},
        {std::u16string(51, u'5'), 102, false},
    };
    for (const Case& c : cases) {
        std::vector<UInt8> field(c.size, 0);
        EXPECT_EQ(c.fits, CFStringGetUTF16LECString(utf16String(c.text).get(), field.data(),
                                                    SInt32(c.size)))
            << c.text.size() << " units into " << c.size;
        if (!c.fits) continue;
        EXPECT_EQ(unitsLE(c.text, c.size), field); // little-endian, then zeroes
        CFRef<CFStringRef> back(CreateCFStringFromUTF16LEString(field.data(), UInt32(c.size)));
        EXPECT_TRUE(CFEqual(utf16String(c.text).get(), back.get()));
    }
    // An empty or unterminated field gives no string; a negative size is refused.
    std::vector<UInt8> zeroes(66, 0);
    const std::vector<UInt8> full = unitsLE(std::u16string(33, u'x'), 66);
    EXPECT_EQ(nullptr, CreateCFStringFromUTF16LEString(zeroes.data(), 66));
    EXPECT_EQ(nullptr, CreateCFStringFromUTF16LEString(full.data(), 66));
    EXPECT_FALSE(CFStringGetUTF16LECString(CFSTR("x"), zeroes.data(), -4));
}

INSTANTIATE_TEST_SUITE_P(BothPaths, UTF16LEFieldTest, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Swapped" : "Direct"; });

CFRef<CFDictionaryRef> entry(CFStringRef name, CFStringRef number) {
    CFMutableDictionaryRef dictionary = CFDictionaryCreateMutable(
        nullptr, 0, &kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks);
    if (name) CFDictionarySetValue(dictionary, CFSTR("NAME"), name);
    if (number) CFDictionarySetValue(dictionary, CFSTR("PHNM"), number);
    return CFRef<CFDictionaryRef>(dictionary);
}

TEST(CheckDuplicationTest, OnlyTheSameNameAndTheSameNumberAreADuplicate) {
    const auto stored = entry(CFSTR("Ada"), CFSTR("0123 456"));
    const void* elements[] = {nullptr, stored.get()};
    CFRef<CFArrayRef> list(CFArrayCreate(nullptr, elements, 2, &kCFTypeArrayCallBacks));
    const std::pair<CFRef<CFDictionaryRef>, bool> cases[] = {
        {stored, true}, // the very same object
        {entry(CFSTR("Ada"), CFSTR("0123 456")), true},
        {entry(CFSTR("Ada"), nullptr), false},
        {entry(nullptr, CFSTR("0123 456")), false},
        {entry(CFSTR("Ada"), CFSTR("0123456")), false},  // spacing counts
        {entry(CFSTR("ada"), CFSTR("0123 456")), false}, // case counts
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].second, CheckDuplication(list.get(), cases[i].first.get()))
            << "case " << i;
    EXPECT_FALSE(CheckDuplication(nullptr, stored.get()));
}

} // namespace
