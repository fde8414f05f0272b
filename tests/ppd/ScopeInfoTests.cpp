// The scope record read from numeric range attributes of a real PPD.
#include "TestPPD.h"

#include <TamarinScopeInfo.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct ScopeFree {
    void operator()(TamarinScopeInfo* info) const { std::free(info); }
};
using Scope = std::unique_ptr<TamarinScopeInfo, ScopeFree>;

class ScopeInfoTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(ppd_); }

    Scope read(const char* attribute) {
        return Scope(CopyTamarinScopeInfoFromPPD(ppd_.get(), attribute));
    }
    // The counted pairs of a half.
    static std::vector<std::pair<int, int>> pairsOf(const TamarinScopeList& half) {
        std::vector<std::pair<int, int>> pairs;
        for (int index = 0; index < half.count; ++index)
            pairs.emplace_back(half.ranges[index].low, half.ranges[index].high);
        return pairs;
    }

    PPDFile ppd_ = openTestPPD("Scope");
};

TEST_F(ScopeInfoTest, PairsOfLowAndHighBoundsFillBothHalves) {
    const Scope scope = read("NVScopeTwoRanges"); // "1-10 20-30"
    ASSERT_TRUE(scope);
    const std::vector<std::pair<int, int>> expected = {{1, 10}, {20, 30}};
    EXPECT_EQ(expected, pairsOf(scope->halves[0]));
    EXPECT_EQ(expected, pairsOf(scope->halves[1]));
    EXPECT_EQ(0, scope->halves[0].ranges[2].low) << "the rest stays zero";

    const Scope largest = read("NVScopeLargest"); // "0-65535"
    ASSERT_TRUE(largest);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 65535}}), pairsOf(largest->halves[0]));
}

TEST_F(ScopeInfoTest, BadBoundsTooManyPairsOrNoPPDOrAttributeGiveNoRecord) {
    for (const char* attribute : {"NVScopeReversed",       // "10-5"
                                  "NVScopeTooLarge",       // "1-65536"
                                  "NVScopeNegative",       // "-1-5"
                                  "NVScopeTwentyOnePairs", // one pair over the record's room
                                  "NVScopeTwentyPairsAndALow", "NVScopeNoSuchAttribute"})
        EXPECT_FALSE(read(attribute)) << attribute;
    EXPECT_FALSE(read(nullptr));
    EXPECT_FALSE(Scope(CopyTamarinScopeInfoFromPPD(nullptr, "NVScopeTwoRanges")));
}

TEST_F(ScopeInfoTest, IncompletePairsAreNotCounted) {
    const Scope single = read("NVScopeSingle"); // "7"
    ASSERT_TRUE(single);
    EXPECT_EQ(0, single->halves[0].count);
    EXPECT_EQ(0, single->halves[1].count);
    EXPECT_EQ(7, single->halves[0].ranges[0].low) << "kept in its slot, not counted";

    const Scope empty = read("NVScopeEmpty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(0, empty->halves[0].count);

    const Scope trailing = read("NVScopeTrailingLow"); // "1-2 3"
    ASSERT_TRUE(trailing);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 2}}), pairsOf(trailing->halves[1]));
    EXPECT_EQ(3, trailing->halves[1].ranges[1].low);
}

TEST_F(ScopeInfoTest, AtMostTwentyPairsFitTheRecord) {
    const Scope twenty = read("NVScopeTwentyPairs");
    ASSERT_TRUE(twenty);
    EXPECT_EQ(20, twenty->halves[0].count);
    EXPECT_EQ(20, twenty->halves[1].count);
    EXPECT_EQ(38, twenty->halves[1].ranges[19].low);
    EXPECT_EQ(39, twenty->halves[1].ranges[19].high);
}

} // namespace
