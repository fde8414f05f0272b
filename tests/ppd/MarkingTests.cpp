// Marking PPD choices: the page size, paper source and pick-many rules, and the conflict answer
// taken from the constraint table.
#include "TestPPD.h"

#include <PPDMarking.h>

#include <gtest/gtest.h>

#include <cstring>

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

    const ppd_size_t* markedSize() const {
        for (int index = 0; index < ppd->num_sizes; ++index)
            if (ppd->sizes[index].marked) return &ppd->sizes[index];
        return nullptr;
    }

    PPDFile ppd = openTestPPD("Options");
    ConstraintTable table;
};

TEST_F(MarkingTest, ACustomPageSizeMarksCustomAndUnmarksThePageRegion) {
    EXPECT_FALSE(mark("pagesize", "custom.200x300"));
    EXPECT_EQ(Choices{"Custom"}, markedChoices(ppd.get(), "PageSize"));
    EXPECT_EQ(Choices{}, markedChoices(ppd.get(), "PageRegion"));
    const ppd_size_t* size = markedSize();
    ASSERT_NE(nullptr, size);
    EXPECT_STREQ("Custom", size->name);
    EXPECT_FLOAT_EQ(200, size->width);
    EXPECT_FLOAT_EQ(300, size->length);
    // libcups' own record of marked choices agrees, so its later calls see the same marks.
    ASSERT_NE(nullptr, ppdFindMarkedChoice(ppd.get(), "PageSize"));
    EXPECT_STREQ("Custom", ppdFindMarkedChoice(ppd.get(), "PageSize")->choice);

    EXPECT_FALSE(mark("PageRegion", "letter"));
    EXPECT_EQ(Choices{"Letter"}, markedChoices(ppd.get(), "PageRegion"));
    EXPECT_EQ(Choices{}, markedChoices(ppd.get(), "PageSize"));
    ASSERT_NE(nullptr, markedSize());
    EXPECT_STREQ("Letter", markedSize()->name);
}

TEST_F(MarkingTest, InputSlotAndManualFeedExcludeEachOther) {
    mark("ManualFeed", "True");
    EXPECT_EQ(Choices{"True"}, markedChoices(ppd.get(), "ManualFeed"));
    EXPECT_EQ(Choices{}, markedChoices(ppd.get(), "InputSlot"));
    mark("InputSlot", "Tray1");
    EXPECT_EQ(Choices{"Tray1"}, markedChoices(ppd.get(), "InputSlot"));
    EXPECT_EQ(Choices{}, markedChoices(ppd.get(), "ManualFeed"));
    // Turning manual feed off keeps the paper source, as libcups does.
    mark("ManualFeed", "False");
    EXPECT_EQ(Choices{"Tray1"}, markedChoices(ppd.get(), "InputSlot"));
}

TEST_F(MarkingTest, PickOneKeepsOneChoicePickManyKeepsTheOthers) {
    mark("NVStapling", "Edge");
    mark("NVStapling", "corner");
    EXPECT_EQ(Choices{"Corner"}, markedChoices(ppd.get(), "NVStapling"));
    mark("NVFinishing", "Staple");
    mark("NVFinishing", "Punch");
    EXPECT_EQ((Choices{"None", "Staple", "Punch"}), markedChoices(ppd.get(), "NVFinishing"));
}

TEST_F(MarkingTest, TheAnswerComesFromTheTableAndAMissingChoiceMarksNothing) {
    table.insert({"InputSlot:Tray2", x_constraints{1, 1, 2}}); // NVStapling Corner
    table.insert({"InputSlot:Tray9", x_constraints{1, 1, 2}});
    table.insert({"PageSize:Custom", x_constraints{1, 1, 2}});
    EXPECT_FALSE(mark("InputSlot", "Tray2")) << "Corner is not marked";
    mark("NVStapling", "Corner");
    EXPECT_TRUE(mark("InputSlot", "Tray2"));
    EXPECT_TRUE(mark("PageSize", "Custom.100x100"));

    mark("InputSlot", "Auto");
    EXPECT_TRUE(mark("InputSlot", "Tray9")) << "a choice the option lacks";
    EXPECT_EQ(Choices{"Auto"}, markedChoices(ppd.get(), "InputSlot"));
    EXPECT_FALSE(mark("InputSlot", "Tray8"));
    EXPECT_EQ(Choices{"Auto"}, markedChoices(ppd.get(), "InputSlot"));

    table.insert({"NVMissing:On", x_constraints{1, 1, 2}});
    EXPECT_FALSE(mark("NVMissing", "On")) << "an option the PPD lacks";
    EXPECT_FALSE(PPDMarkOption(nullptr, &table, "InputSlot", "Tray2"));
    EXPECT_FALSE(PPDMarkOption(ppd.get(), &table, "InputSlot", nullptr));
}

} // namespace
