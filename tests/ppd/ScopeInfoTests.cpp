// The scope record read from numeric range attributes of a real PPD.
#include "TestPPD.h"

#include <TamarinScopeInfo.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using Scope = std::unique_ptr<TamarinScopeInfo, decltype(&std::free)>;

Scope read(ppd_file_t* ppd, const char* attribute) {
    return Scope(CopyTamarinScopeInfoFromPPD(ppd, attribute), &std::free);
}

TEST(ScopeInfo, PairsFillBothHalvesUpToTheRecordsRoomAndBadBoundsGiveNoRecord) {
    const PPDFile ppd = openTestPPD("Scope");
    ASSERT_TRUE(ppd);
    // The counted pairs and the last slot written: an incomplete pair is kept, not counted.
    const struct {
        const char* attribute;
        int count, lastSlot;
        TamarinScopeRange last;
    } records[] = {{"NVScopeTwoRanges", 2, 1, {20, 30}},     // "1-10 20-30"
                   {"NVScopeLargest", 1, 0, {0, 65535}},     // "0-65535"
                   {"NVScopeTwentyPairs", 20, 19, {38, 39}}, // the record's room
                   {"NVScopeSingle", 0, 0, {7, 0}},          // "7"
                   {"NVScopeTrailingLow", 1, 1, {3, 0}},     // "1-2 3"
                   {"NVScopeEmpty", 0, 0, {0, 0}}};
    for (const auto& expected : records) {
        const Scope scope = read(ppd.get(), expected.attribute);
        ASSERT_TRUE(scope) << expected.attribute;
        for (const TamarinScopeList& half : scope->halves) {
            EXPECT_EQ(expected.count, half.count) << expected.attribute;
            EXPECT_EQ(expected.last.low, half.ranges[expected.lastSlot].low) << expected.attribute;
            EXPECT_EQ(expected.last.high, half.ranges[expected.lastSlot].high)
                << expected.attribute;
        }
    }
    for (const char* attribute :
         {"NVScopeReversed", "NVScopeTooLarge", "NVScopeNegative", "NVScopeTwentyOnePairs",
          "NVScopeTwentyPairsAndALow", "NVScopeNoSuchAttribute", static_cast<const char*>(nullptr)})
        EXPECT_FALSE(read(ppd.get(), attribute)) << (attribute ? attribute : "no name");
    EXPECT_FALSE(read(nullptr, "NVScopeTwoRanges"));
}

} // namespace
