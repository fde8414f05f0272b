// The choice items of a PPD option: listed with their conflict flags from the constraint table
// and found by their key pair.
#include "TestPPD.h"

#include <PPDChoiceItems.h>
#include <PPDChoiceList.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

CFRef<CFArrayRef> makeArray(std::initializer_list<CFTypeRef> values) {
    std::vector<const void*> elements(values.begin(), values.end());
    return CFRef<CFArrayRef>(
        CFArrayCreate(nullptr, elements.data(), CFIndex(elements.size()), &kCFTypeArrayCallBacks));
}

// An item as the popups build them: option, choice, label, conflict flag.
CFRef<CFArrayRef> makeItem(const char* option, const char* choice) {
    return makeArray({makeString(option).get(), makeString(choice).get(), CFSTR("Label"),
                      CFSTR("ConflictFalse")});
}

CFRef<CFMutableArrayRef> makeItems() {
    return CFRef<CFMutableArrayRef>(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
}

// Each item as "option choice label flag".
std::vector<std::string> itemsOf(CFArrayRef items) {
    std::vector<std::string> found;
    for (CFIndex index = 0; index < CFArrayGetCount(items); ++index) {
        const auto item = static_cast<CFArrayRef>(CFArrayGetValueAtIndex(items, index));
        std::string shown;
        for (CFIndex element = 0; element < 4; ++element)
            shown += (element ? " " : "") +
                     text(static_cast<CFStringRef>(CFArrayGetValueAtIndex(item, element)));
        found.push_back(shown);
    }
    return found;
}

TEST(ChoiceItems, OneItemPerChoiceIsAppendedInThePPDsOrderAndNothingWithoutAnOption) {
    const PPDFile ppd = openTestPPD("Options");
    ASSERT_TRUE(ppd);
    const ConstraintTable table;
    const auto items = makeItems();
    SInt16 count = 5;
    // The option is found without regard to case; element 0 is spelled as the PPD spells it.
    EXPECT_EQ(noErr, GetUIListFromPPD(ppd.get(), &table, "inputslot", items.get(), &count));
    EXPECT_EQ(8, count);
    EXPECT_EQ((std::vector<std::string>{"InputSlot Auto Automatic ConflictFalse",
                                        "InputSlot Tray1 Tray 1 ConflictFalse",
                                        "InputSlot Tray2 Tray 2 ConflictFalse"}),
              itemsOf(items.get()));

    GetUIListFromPPD(ppd.get(), &table, "NVFaxUnknown", items.get(), &count);
    GetUIListFromPPD(nullptr, &table, "InputSlot", items.get(), &count);
    GetUIListFromPPD(ppd.get(), &table, nullptr, items.get(), &count);
    EXPECT_EQ(noErr, GetUIListFromPPD(ppd.get(), &table, "InputSlot", nullptr, &count));
    EXPECT_EQ(1, InitializeValueFromPPD(ppd.get(), &table, items.get(), "NVFaxUnknown"));
    EXPECT_EQ(1, InitializeValueFromPPD(nullptr, &table, items.get(), "InputSlot"));
    EXPECT_EQ(8, count);
    EXPECT_EQ(3, CFArrayGetCount(items.get()));
}

// Table entries naming a group, option or choice the PPD lacks never count as marked.
TEST(ChoiceItems, AChoiceConflictsWhileAChoiceOfItsEntriesIsMarked) {
    const PPDFile ppd = openTestPPD("Options");
    ASSERT_TRUE(ppd);
    ppdMarkDefaults(ppd.get());
    ConstraintTable table;
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Corner")) << "empty";
    table.insert({"NVStapling:Corner", x_constraints{0, 2, 2}}); // InputSlot Tray2
    table.insert({"NVStapling:Corner", x_constraints{9, 0, 0}});
    table.insert({"NVStapling:Edge", x_constraints{0, 9, 0}});
    table.insert({"NVStapling:Edge", x_constraints{0, 2, 9}});
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Corner"));

    ppdMarkOption(ppd.get(), "InputSlot", "Tray2");
    EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Corner"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "nvstapling", "corner")) << "exact keys";
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), &table, "NVStapling", "Edge"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), nullptr, "NVStapling", "Corner"));
    EXPECT_FALSE(IsPPDChoiceConflicted(nullptr, &table, "NVStapling", "Corner"));

    const auto items = makeItems();
    GetUIListFromPPD(ppd.get(), &table, "NVStapling", items.get(), nullptr);
    EXPECT_EQ("NVStapling Corner Corner ConflictTrue", itemsOf(items.get())[2]);
}

TEST(ChoiceItems, AKeyPairFindsTheFirstItemWithBothKeywordsExactly) {
    const auto fine = makeItem("NVFaxImageQuality", "Fine");
    const auto items =
        makeArray({makeArray({CFSTR("NVFaxImageQuality")}).get(), CFSTR("NVFaxImageQuality"),
                   makeItem("NVFaxImageQuality", "Standard").get(), fine.get(),
                   makeItem("NVFaxSenderMode", "Fine").get(), fine.get()});
    const struct {
        CFArrayRef items;
        CFStringRef option;
        CFStringRef choice;
        CFIndex found;
    } cases[] = {{items.get(), CFSTR("NVFaxImageQuality"), CFSTR("Fine"), 3},
                 {items.get(), CFSTR("NVFaxSenderMode"), CFSTR("Fine"), 4},
                 {items.get(), CFSTR("NVFaxImageQuality"), CFSTR("fine"), -1},
                 {items.get(), CFSTR("nvfaximagequality"), CFSTR("Fine"), -1},
                 {items.get(), nullptr, CFSTR("Fine"), -1},
                 {items.get(), CFSTR("NVFaxImageQuality"), nullptr, -1},
                 {nullptr, CFSTR("NVFaxImageQuality"), CFSTR("Fine"), -1}};
    for (const auto& each : cases)
        EXPECT_EQ(each.found, FindPPDKeyPairsMatch(each.items, each.option, each.choice))
            << text(each.option) << " " << text(each.choice);
}

} // namespace
