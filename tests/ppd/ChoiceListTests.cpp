// The choice items of a PPD option and their conflict flags from the constraint table.
#include "TestPPD.h"

#include <PPDChoiceList.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Item = std::vector<std::string>;

std::vector<Item> itemsOf(CFArrayRef items) {
    std::vector<Item> result;
    for (CFIndex index = 0; index < CFArrayGetCount(items); ++index) {
        const auto item = static_cast<CFArrayRef>(CFArrayGetValueAtIndex(items, index));
        Item strings;
        for (CFIndex element = 0; element < CFArrayGetCount(item); ++element)
            strings.push_back(
                text(static_cast<CFStringRef>(CFArrayGetValueAtIndex(item, element))));
        result.push_back(strings);
    }
    return result;
}

CFRef<CFMutableArrayRef> makeItems() {
    return CFRef<CFMutableArrayRef>(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
}

TEST(ChoiceList, OneItemPerChoiceAppendedInThePPDsOrder) {
    const PPDFile ppd = openDemoPPD();
    ASSERT_TRUE(ppd);
    const ConstraintTable table;
    const auto items = makeItems();
    CFArrayAppendValue(items.get(), CFSTR("earlier"));
    SInt16 count = 5;
    // The option is found without regard to case; element 0 is spelled as the PPD spells it.
    EXPECT_EQ(noErr,
              GetUIListFromPPD(ppd.get(), &table, "nvfaxtransmissionreport", items.get(), &count));
    EXPECT_EQ(8, count);
    auto found = itemsOf(items.get());
    ASSERT_EQ(4u, found.size());
    found.erase(found.begin());
    EXPECT_EQ(
        (std::vector<Item>{{"NVFaxTransmissionReport", "Always", "Always", "ConflictFalse"},
                           {"NVFaxTransmissionReport", "OnError", "On Error Only", "ConflictFalse"},
                           {"NVFaxTransmissionReport", "Never", "Never", "ConflictFalse"}}),
        found);

    const auto initialized = makeItems();
    EXPECT_EQ(1, InitializeValueFromPPD(ppd.get(), &table, initialized.get(), "NVFaxSenderMode"));
    EXPECT_EQ(3, CFArrayGetCount(initialized.get()));
}

TEST(ChoiceList, NothingToListLeavesArrayAndCountAlone) {
    const PPDFile ppd = openDemoPPD();
    ASSERT_TRUE(ppd);
    const ConstraintTable table;
    const auto items = makeItems();
    SInt16 count = 2;
    GetUIListFromPPD(ppd.get(), &table, "NVFaxUnknown", items.get(), &count);
    GetUIListFromPPD(nullptr, &table, "NVFaxSenderMode", items.get(), &count);
    GetUIListFromPPD(ppd.get(), &table, nullptr, items.get(), &count);
    EXPECT_EQ(noErr, GetUIListFromPPD(ppd.get(), &table, "NVFaxSenderMode", nullptr, &count));
    EXPECT_EQ(1, InitializeValueFromPPD(ppd.get(), &table, items.get(), "NVFaxUnknown"));
    EXPECT_EQ(1, InitializeValueFromPPD(nullptr, &table, items.get(), "NVFaxSenderMode"));
    EXPECT_EQ(2, count);
    EXPECT_EQ(0, CFArrayGetCount(items.get()));
}

TEST(ChoiceList, AChoiceConflictsWhileAChoiceOfItsEntriesIsMarked) {
    const PPDFile ppd = openTestPPD("Options");
    ASSERT_TRUE(ppd);
    ppdMarkDefaults(ppd.get());
    ConstraintTable table;
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Corner")) << "empty";
    table.insert({"NVStapling:Corner", x_constraints{0, 2, 2}}); // InputSlot Tray2
    table.insert({"NVStapling:Corner", x_constraints{9, 0, 0}}); // no such group
    table.insert({"NVStapling:Edge", x_constraints{0, 9, 0}});   // no such option
    table.insert({"NVStapling:Edge", x_constraints{0, 2, 9}});   // no such choice
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Corner"));

    ppdMarkOption(ppd.get(), "InputSlot", "Tray2");
    EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Corner"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "nvstapling", "corner")) << "exact keys";
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Edge"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), nullptr, "NVStapling", "Corner"));
    EXPECT_FALSE(IsPPDChoiceConflicted(nullptr, &table, "NVStapling", "Corner"));

    const auto items = makeItems();
    SInt16 count = 0;
    GetUIListFromPPD(ppd.get(), &table, "NVStapling", items.get(), &count);
    std::vector<std::string> flags;
    for (const Item& item : itemsOf(items.get()))
        flags.push_back(item[1] + "=" + item[3]);
    EXPECT_EQ((std::vector<std::string>{"Default=ConflictFalse", "NONE=ConflictFalse",
                                        "Corner=ConflictTrue", "oFF=ConflictFalse",
                                        "Edge=ConflictFalse", "fALSE=ConflictFalse"}),
              flags);
}

} // namespace
