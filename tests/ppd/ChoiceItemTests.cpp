// Looking up PPD choice items by their key pair and recording one in a ticket.
#include "TestPPD.h"

#include <PPDChoiceItems.h>

#include <gtest/gtest.h>

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

// The first item with both keywords, compared exactly; items without a key pair are skipped.
TEST(KeyPairMatch, TheFirstItemWithBothKeywords) {
    const auto shortItem = makeOptionOnlyItem();
    const auto standard = makeItem("NVFaxImageQuality", "Standard");
    const auto fine = makeItem("NVFaxImageQuality", "Fine");
    const auto senderFine = makeItem("NVFaxSenderMode", "Fine");
    const void* values[] = {shortItem.get(), CFSTR("NVFaxImageQuality"), standard.get(),
                            fine.get(),      senderFine.get(),           fine.get()};
    const CFRef<CFArrayRef> items(CFArrayCreate(nullptr, values, 6, &kCFTypeArrayCallBacks));
    EXPECT_EQ(3, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
    EXPECT_EQ(4, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxSenderMode"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), CFSTR("fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("nvfaximagequality"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxCoverPageMode"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), nullptr, CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(items.get(), CFSTR("NVFaxImageQuality"), nullptr));
    const CFRef<CFArrayRef> none(CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(none.get(), CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
    EXPECT_EQ(-1, FindPPDKeyPairsMatch(nullptr, CFSTR("NVFaxImageQuality"), CFSTR("Fine")));
}

class PPDDictionaryTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(noErr, PMTicketCreate(nullptr, nullptr, &ticket_)); }
    void TearDown() override { PMTicketRelease(ticket_); }

    std::string choiceFor(CFStringRef option) const {
        CFMutableDictionaryRef choices = nullptr;
        if (PMTicketGetPPDDict(ticket_, kPMTopLevel, kPMTopLevel, &choices) != noErr ||
            CFDictionaryGetCount(choices) == 0)
            return "<no choices>";
        return text(static_cast<CFStringRef>(CFDictionaryGetValue(choices, option)));
    }

    PMTicketRef ticket_ = nullptr;
};

TEST_F(PPDDictionaryTest, TheOptionKeywordNamesTheChosenChoiceKeywordOnlyForAKeyPair) {
    SetValueToPPDDict(nullptr, makeItem("NVFaxImageQuality", "Fine").get());
    SetValueToPPDDict(ticket_, nullptr);
    SetValueToPPDDict(ticket_, makeOptionOnlyItem().get());
    EXPECT_EQ("<no choices>", choiceFor(CFSTR("NVFaxImageQuality")));

    SetValueToPPDDict(ticket_, makeItem("NVFaxImageQuality", "Fine").get());
    SetValueToPPDDict(ticket_, makeItem("NVFaxSenderMode", "Anonymous").get());
    EXPECT_EQ("Fine", choiceFor(CFSTR("NVFaxImageQuality")));
    EXPECT_EQ("Anonymous", choiceFor(CFSTR("NVFaxSenderMode")));
    SetValueToPPDDict(ticket_, makeItem("NVFaxImageQuality", "SuperFine").get());
    EXPECT_EQ("SuperFine", choiceFor(CFSTR("NVFaxImageQuality"))) << "a later choice replaces";
}

} // namespace
