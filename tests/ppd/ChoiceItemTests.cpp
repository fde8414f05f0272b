// Looking up PPD choice items by their key pair and recording one in a ticket.
#include "TestPPD.h"

#include <PPDChoiceItems.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// An item as the popup lists build them: option, choice, label, conflict flag.
CFRef<CFArrayRef> makeItem(const char* option, const char* choice) {
    const CFRef<CFStringRef> strings[] = {makeString(option), makeString(choice),
                                          makeString("Label"), makeString("ConflictFalse")};
    const void* values[] = {strings[0].get(), strings[1].get(), strings[2].get(), strings[3].get()};
    return CFRef<CFArrayRef>(CFArrayCreate(nullptr, values, 4, &kCFTypeArrayCallBacks));
}

// An array holding only an option keyword.
CFRef<CFArrayRef> makeOptionOnlyItem() {
    const void* values[] = {CFSTR("NVFaxImageQuality")};
    return CFRef<CFArrayRef>(CFArrayCreate(nullptr, values, 1, &kCFTypeArrayCallBacks));
}

CFRef<CFArrayRef> makeItems(const std::vector<CFRef<CFArrayRef>>& items) {
    std::vector<const void*> values;
    for (const auto& item : items)
        values.push_back(item.get());
    return CFRef<CFArrayRef>(
        CFArrayCreate(nullptr, values.data(), CFIndex(values.size()), &kCFTypeArrayCallBacks));
}

TEST(KeyPairMatch, TheFirstItemWithBothKeywords) {
    const auto items =
        makeItems({makeItem("NVFaxImageQuality", "Standard"), makeItem("NVFaxImageQuality", "Fine"),
                   makeItem("NVFaxSenderMode", "Fine"), makeItem("NVFaxImageQuality", "Fine")});
    EXPECT_EQ(1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
    EXPECT_EQ(2, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxSenderMode"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), CFSTR("fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("nvfaximagequality"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxCoverPageMode"), CFSTR("Fine")));
}

TEST(KeyPairMatch, NothingToSearchFindsNothing) {
    const auto empty = makeItems({});
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(empty.get(), CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(nullptr, CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
    const auto items = makeItems({makeItem("NVFaxImageQuality", "Fine")});
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), nullptr, CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), nullptr));
}

TEST(KeyPairMatch, ItemsWithoutAKeyPairAreSkipped) {
    const auto shortItem = makeOptionOnlyItem();
    const auto item = makeItem("NVFaxImageQuality", "Fine");
    const void* values[] = {shortItem.get(), CFSTR("NVFaxImageQuality"), item.get()};
    const CFRef<CFArrayRef> items(CFArrayCreate(nullptr, values, 3, &kCFTypeArrayCallBacks));
    EXPECT_EQ(2, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
}

class PPDDictionaryTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(noErr, PMTicketCreate(nullptr, nullptr, &ticket_)); }
    void TearDown() override { PMTicketRelease(ticket_); }

    std::string choiceFor(CFStringRef option) const {
        CFMutableDictionaryRef choices = nullptr;
        if (PMTicketGetPPDDict(ticket_, kPMTopLevel, kPMTopLevel, &choices) != noErr)
            return "<no dictionary>";
        return text(static_cast<CFStringRef>(CFDictionaryGetValue(choices, option)));
    }

    PMTicketRef ticket_ = nullptr;
};

TEST_F(PPDDictionaryTest, TheOptionKeywordNamesTheChosenChoiceKeyword) {
    SetValueToPPDDict(ticket_, makeItem("NVFaxImageQuality", "Fine").get());
    SetValueToPPDDict(ticket_, makeItem("NVFaxSenderMode", "Anonymous").get());
    EXPECT_EQ("Fine", choiceFor(CFSTR("NVFaxImageQuality")));
    EXPECT_EQ("Anonymous", choiceFor(CFSTR("NVFaxSenderMode")));
    SetValueToPPDDict(ticket_, makeItem("NVFaxImageQuality", "SuperFine").get());
    EXPECT_EQ("SuperFine", choiceFor(CFSTR("NVFaxImageQuality"))) << "a later choice replaces";
}

TEST_F(PPDDictionaryTest, WithoutATicketOrAKeyPairNothingIsWritten) {
    SetValueToPPDDict(nullptr, makeItem("NVFaxImageQuality", "Fine").get());
    SetValueToPPDDict(ticket_, nullptr);
    SetValueToPPDDict(ticket_, makeOptionOnlyItem().get());
    CFMutableDictionaryRef choices = nullptr;
    ASSERT_EQ(noErr, PMTicketGetPPDDict(ticket_, kPMTopLevel, kPMTopLevel, &choices));
    EXPECT_EQ(0, CFDictionaryGetCount(choices));
}

} // namespace
