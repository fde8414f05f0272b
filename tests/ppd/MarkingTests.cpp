// Marking PPD choices through libcups: the page size, paper source and pick-many rules.
#include "TestPPD.h"

#include <PPDMarking.h>

#include <gtest/gtest.h>

namespace {

using Choices = std::vector<std::string>;

class MarkingTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ppd);
        ppdMarkDefaults(ppd.get());
    }
    bool mark(const char* option, const char* choice) {
        return PPDMarkOption(ppd.get(), &table, option, choice);
    }
    Choices marked(const char* option) const { return markedChoices(ppd.get(), option); }
    // The marked size and libcups' own record of the marked page size, which must agree.
    std::string markedSize() const {
        const ppd_choice_t* recorded = ppdFindMarkedChoice(ppd.get(), "PageSize");
        for (int index = 0; index < ppd->num_sizes; ++index)
            if (ppd->sizes[index].marked)
                return std::string(ppd->sizes[index].name) + " " +
                       std::to_string(int(ppd->sizes[index].width)) + "x" +
                       std::to_string(int(ppd->sizes[index].length)) + " " +
                       (recorded ? recorded->choice : "-");
        return "none";
    }

    PPDFile ppd = openTestPPD("Options");
    ConstraintTable table;
};

TEST_F(MarkingTest, ACustomPageSizeInAnyCaseMarksCustomAndUnmarksThePageRegion) {
    EXPECT_FALSE(mark("pagesize", "custom.200x300"));
    EXPECT_EQ(Choices{"Custom"}, marked("PageSize"));
    EXPECT_EQ(Choices{}, marked("PageRegion"));
    EXPECT_EQ("Custom 200x300 Custom", markedSize());

    EXPECT_FALSE(mark("PageRegion", "letter"));
    EXPECT_EQ(Choices{"Letter"}, marked("PageRegion"));
    EXPECT_EQ(Choices{}, marked("PageSize"));
    EXPECT_EQ("Letter 612x792 -", markedSize());
}

TEST_F(MarkingTest, PaperSourcesAndPickOneOrPickManyChoicesFollowLibcupsRules) {
    mark("ManualFeed", "True");
    EXPECT_EQ(Choices{}, marked("InputSlot"));
    mark("InputSlot", "Tray1");
    EXPECT_EQ(Choices{"Tray1"}, marked("InputSlot"));
    EXPECT_EQ(Choices{}, marked("ManualFeed"));
    mark("ManualFeed", "False"); // keeps the paper source, as libcups does
    EXPECT_EQ(Choices{"Tray1"}, marked("InputSlot"));

    mark("NVStapling", "Edge");
    mark("NVStapling", "corner");
    EXPECT_EQ(Choices{"Corner"}, marked("NVStapling"));
    mark("NVFinishing", "Staple");
    mark("NVFinishing", "Punch");
    EXPECT_EQ((Choices{"None", "Staple", "Punch"}), marked("NVFinishing"));
}

} // namespace
