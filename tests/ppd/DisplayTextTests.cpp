// The display length of text-field text, its UTF-16 form and cut copies.
#include "TestPPD.h"

#include <DisplayText.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Units up to U+00FF count one and all others two; text that is not UTF-8 measures zero.
TEST(DisplayLength, CountsUnitsByWidthAndInvalidTextAsZero) {
    EXPECT_EQ(3, GetControlLength("abc"));
    EXPECT_EQ(6, GetControlLength("\u30d5\u30a1\u30af"));      // three kana
    EXPECT_EQ(1, GetControlLength("\u00e9"));                  // two UTF-8 bytes, one unit
    EXPECT_EQ(2, GetControlLength("\u0100"));                  // the first unit above U+00FF
    EXPECT_EQ(4, GetControlLength("\U0001F600"));              // a surrogate pair
    EXPECT_EQ(8, GetControlLength("a\u00e9\u753b\U0001F600")); // 1 + 1 + 2 + 4
    EXPECT_EQ(0, GetControlLength(""));
    EXPECT_EQ(0, GetControlLength("Caf\xE9"));
    EXPECT_EQ(0, GetControlLength("\xC3"));         // cut inside a character
    EXPECT_EQ(0, GetControlLength("\xED\xA0\x80")); // an encoded surrogate
    EXPECT_EQ(0, GetControlLength(nullptr));
}

TEST(UTF16Form, TheUnitsFollowedByAZeroUnitAndNothingForEmptyOrInvalidText) {
    std::vector<UniChar> units(8, 0xFFFF);
    ASSERT_TRUE(ConvertUTF8ToUnicode("a\u00e9\U0001F600", units.data()));
    EXPECT_EQ((std::vector<UniChar>{'a', 0x00E9, 0xD83D, 0xDE00, 0, 0xFFFF, 0xFFFF, 0xFFFF}),
              units);

    units.assign(4, 0xFFFF);
    EXPECT_TRUE(ConvertUTF8ToUnicode("", units.data()));
    EXPECT_TRUE(ConvertUTF8ToUnicode("", nullptr));
    EXPECT_FALSE(ConvertUTF8ToUnicode("Caf\xE9", units.data()));
    EXPECT_FALSE(ConvertUTF8ToUnicode(nullptr, units.data()));
    EXPECT_FALSE(ConvertUTF8ToUnicode("abc", nullptr));
    EXPECT_EQ(std::vector<UniChar>(4, 0xFFFF), units);
}

TEST(CutCopy, TheFirstUnitsUpToNEvenInsideASurrogatePair) {
    const CFRef<CFStringRef> word = makeString("fax\u00e9s");
    CFRef<CFStringRef> cut(CFStringCreateWithCopyCut(word.get(), 4));
    EXPECT_EQ("fax\u00e9", text(cut.get()));
    cut.reset(CFStringCreateWithCopyCut(word.get(), 50));
    EXPECT_EQ("fax\u00e9s", text(cut.get()));
    cut.reset(CFStringCreateWithCopyCut(word.get(), 0));
    ASSERT_TRUE(cut);
    EXPECT_EQ(0, CFStringGetLength(cut.get()));
    cut.reset(CFStringCreateWithCopyCut(word.get(), -1));
    ASSERT_TRUE(cut);
    EXPECT_EQ(0, CFStringGetLength(cut.get()));
    EXPECT_EQ(nullptr, CFStringCreateWithCopyCut(nullptr, 4));

    cut.reset(CFStringCreateWithCopyCut(makeString("a\U0001F600").get(), 2));
    ASSERT_EQ(2, CFStringGetLength(cut.get()));
    EXPECT_EQ('a', CFStringGetCharacterAtIndex(cut.get(), 0));
    EXPECT_EQ(0xD83D, CFStringGetCharacterAtIndex(cut.get(), 1));
}

} // namespace
