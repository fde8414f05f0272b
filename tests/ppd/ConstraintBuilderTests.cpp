// The constraint table builders add nothing for a constraint index outside the PPD's
// constraints or without a PPD or table.
#include "TestPPD.h"

#include <ConstraintBuilders.h>

#include <gtest/gtest.h>

namespace {

TEST(ConstraintBuilders, NothingIsAddedForAnIndexOutsideThePPDOrWithoutAPPDOrTable) {
    const PPDFile ppd = openTestPPD("Options");
    ASSERT_TRUE(ppd);
    // Each builder with the index of a constraint of its form in data/Options.ppd.
    const std::pair<void (*)(ppd_file_t*, ConstraintTable*, SInt32), SInt32> builders[] = {
        {xConst2Hash_O1C1O2C2, 0},
        {xConst2Hash_O1C1O2, 1},
        {xConst2Hash_O1O2C2, 2},
        {xConst2Hash_O1O2, 3}};
    for (const auto& [builder, ownForm] : builders) {
        ConstraintTable table;
        for (const SInt32 index : {-1, ppd->num_consts, INT32_MAX})
            builder(ppd.get(), &table, index);
        builder(nullptr, &table, ownForm);
        builder(ppd.get(), nullptr, ownForm);
        EXPECT_TRUE(table.empty()) << ownForm;
        builder(ppd.get(), &table, ownForm);
        EXPECT_FALSE(table.empty()) << ownForm;
    }
}

} // namespace
