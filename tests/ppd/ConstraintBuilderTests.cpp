// Filling the constraint table from the constraints of a PPD, one builder per constraint form.
#include "TestPPD.h"

#include <ConstraintBuilders.h>
#include <PPDChoiceList.h>
#include <PPDMarking.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Builder = void (*)(ppd_file_t*, ConstraintTable*, SInt32);
using Entries = std::vector<std::string>;

// Every entry as "key -> group,option,choice", sorted.
Entries entriesOf(const ConstraintTable& table) {
    Entries entries;
    for (const auto& [key, position] : table)
        entries.push_back(key + " -> " + std::to_string(position.group) + "," +
                          std::to_string(position.option) + "," + std::to_string(position.choice));
    std::sort(entries.begin(), entries.end());
    return entries;
}

struct BuilderCase {
    const char* form;
    Builder builder;
    SInt32 constraint; // index in data/Options.ppd
    Entries entries;
};

// NVStapling is option 1 of group 1; its eligible choices are Corner (2) and Edge (4).
const BuilderCase kBuilderCases[] = {
    {"choice to choice", xConst2Hash_O1C1O2C2, 0, {"InputSlot:Tray2 -> 1,1,2"}},
    {"choice to choice, key as the constraint spells it",
     xConst2Hash_O1C1O2C2,
     6,
     {"inputslot:tray1 -> 1,1,2"}},
    {"choice to an absent option", xConst2Hash_O1C1O2C2, 7, {"NVAbsent:On -> 1,1,4"}},
    {"choice to option, located in any case",
     xConst2Hash_O1C1O2,
     1,
     {"NVBinding:Bottom -> 1,1,4", "NVBinding:Right -> 1,1,4", "NVBinding:Top -> 1,1,4"}},
    {"option to choice",
     xConst2Hash_O1O2C2,
     2,
     {"ManualFeed:True -> 1,1,2", "ManualFeed:True -> 1,1,4"}},
    {"option to option",
     xConst2Hash_O1O2,
     3,
     {"NVBinding:Bottom -> 1,1,2", "NVBinding:Bottom -> 1,1,4", "NVBinding:Right -> 1,1,2",
      "NVBinding:Right -> 1,1,4", "NVBinding:Top -> 1,1,2", "NVBinding:Top -> 1,1,4"}},
    {"absent option 1, choice to choice", xConst2Hash_O1C1O2C2, 4, {}},
    {"absent option 1, choice to option", xConst2Hash_O1C1O2, 4, {}},
    {"absent option 1, option to choice", xConst2Hash_O1O2C2, 5, {}},
    {"absent option 1, option to option", xConst2Hash_O1O2, 5, {}},
    {"no such constraint", xConst2Hash_O1O2, 8, {}},
    {"negative index", xConst2Hash_O1C1O2C2, -1, {}},
};

TEST(ConstraintBuilders, EachFormAddsItsEntries) {
    const PPDFile ppd = openTestPPD("Options");
    ASSERT_TRUE(ppd);
    for (const BuilderCase& test : kBuilderCases) {
        ConstraintTable table;
        test.builder(ppd.get(), &table, test.constraint);
        EXPECT_EQ(test.entries, entriesOf(table)) << test.form;
        test.builder(nullptr, &table, test.constraint);
        test.builder(ppd.get(), nullptr, test.constraint);
        EXPECT_EQ(test.entries.size(), table.size()) << test.form << ": nothing without a PPD";
    }
}

// A caller that fills the table from every constraint, picking the form by the empty fields.
void fillTable(ppd_file_t* ppd, ConstraintTable& table) {
    for (SInt32 index = 0; index < ppd->num_consts; ++index) {
        const ppd_const_t& constraint = ppd->consts[index];
        const bool choice1 = constraint.choice1[0] != '\0';
        const bool choice2 = constraint.choice2[0] != '\0';
        const Builder builder = choice1 ? (choice2 ? xConst2Hash_O1C1O2C2 : xConst2Hash_O1C1O2)
                                        : (choice2 ? xConst2Hash_O1O2C2 : xConst2Hash_O1O2);
        builder(ppd, &table, index);
    }
}

TEST(ConstraintBuilders, AFilledTableGreysTheChoicesTheMarkedOnesForbid) {
    const PPDFile ppd = openTestPPD("Options");
    ASSERT_TRUE(ppd);
    ppdMarkDefaults(ppd.get());
    ConstraintTable table;
    fillTable(ppd.get(), table);
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVBinding", "Top"));
    EXPECT_FALSE(PPDMarkOption(ppd.get(), &table, "NVStapling", "Edge"));
    EXPECT_TRUE(PPDMarkOption(ppd.get(), &table, "NVBinding", "Top"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVBinding", "Left")) << "first choice";
    EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), &table, "ManualFeed", "True"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "InputSlot", "Tray2")) << "Corner";
}

} // namespace
