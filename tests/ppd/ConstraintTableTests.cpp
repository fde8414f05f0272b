// The constraint table: its hash over signed bytes and its multimap behaviour.
#include <ConstraintTable.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(NvHash, EachByteIsAddedAsASignedValueToFiveTimesTheHash) {
    EXPECT_EQ(0u, nvHash::hash(""));
    EXPECT_EQ(65u, nvHash::hash("A"));
    EXPECT_EQ(391u, nvHash::hash("AB"));
    EXPECT_EQ(UInt32(-23), nvHash::hash("\xE9")); // 0xE9 counts as -23
    EXPECT_EQ(5u * 65u - 23u, nvHash::hash("A\xE9"));
    EXPECT_EQ(65u, nvHash::hash(std::string("A\0B", 3))); // stops at the NUL
    EXPECT_EQ(nvHash::hash("PageSize:A4"), nvHash()(std::string("PageSize:A4")));
}

std::vector<UInt16> choicesUnder(const ConstraintTable& table, const std::string& key) {
    std::vector<UInt16> choices;
    const auto [first, last] = table.equal_range(key);
    for (auto entry = first; entry != last; ++entry)
        choices.push_back(entry->second.choice);
    std::sort(choices.begin(), choices.end());
    return choices;
}

TEST(ConstraintTable, EqualKeysAccumulateAndALookUpYieldsEveryOneOfTheExactKey) {
    ConstraintTable table;
    table.insert({"PageSize:A4", x_constraints{0, 1, 2}});
    table.insert({"PageSize:A4", x_constraints{0, 1, 2}}); // the same entry again adds again
    table.insert({"PageSize:A4", x_constraints{3, 4, 5}});
    table.insert({"PageSize:A5", x_constraints{6, 7, 8}});
    EXPECT_EQ(4u, table.size());
    EXPECT_EQ((std::vector<UInt16>{2, 2, 5}), choicesUnder(table, "PageSize:A4"));
    EXPECT_EQ((std::vector<UInt16>{8}), choicesUnder(table, "PageSize:A5"));
    EXPECT_TRUE(choicesUnder(table, "pagesize:a4").empty());
    EXPECT_TRUE(choicesUnder(table, "PageSize:A4 ").empty());
}

} // namespace
