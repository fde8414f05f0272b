// The display length of text-field text.
#include "TestPPD.h"

#include <DisplayText.h>

#include <gtest/gtest.h>

namespace {

// Units up to U+00FF count one and all others two; text that is not UTF-8 measures zero.
TEST(DisplayText, LengthCountsUnitsByWidthAndInvalidTextAsZero) {
    const std::pair<const char*, int> cases[] = {{"abc", 3},        {"\u30d5\u30a1\u30af", 6},
                                                 {"\u00e9", 1},     {"\u0100", 2},
                                                 {"\U0001F600", 4}, {"a\u00e9\u753b\U0001F600", 8},
                                                 {"", 0},           {"Caf\xE9", 0},
                                                 {"\xC3", 0},       {"\xED\xA0\x80", 0},
                                                 {nullptr, 0}};
    for (const auto& [utf8, length] : cases)
        EXPECT_EQ(length, GetControlLength(utf8)) << (utf8 ? utf8 : "null");
}

} // namespace
