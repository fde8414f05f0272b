// Tickets: values, locked flags, clients, missing keys and the PPD choice dictionary.
#include "TestSupport.h"

#include <cstring>

namespace {

class TicketTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(PMTicketCreate(nullptr, nullptr, &ticket_), noErr); }
    void TearDown() override { PMTicketRelease(ticket_); }

    std::string read(const char* key, UInt32 size = 256) {
        char buffer[256];
        std::strcpy(buffer, "untouched");
        OSStatus status =
            PMTicketGetCString(ticket_, kPMTopLevel, kPMTopLevel, makeString(key).get(), size,
                               kCFStringEncodingUTF8, buffer);
        return status == noErr ? std::string(buffer)
                               : "status " + std::to_string(status) + " " + buffer;
    }

    PMTicketRef ticket_ = nullptr;
    CFRef<CFStringRef> pane_ = makeString("com.norvale.qrt.pde.SendraFaxKind");
    CFRef<CFStringRef> other_ = makeString("com.example.other");
};

TEST_F(TicketTest, CStringAndCFStringValuesReadBackAsUTF8) {
    EXPECT_EQ(
        PMTicketSetCString(ticket_, pane_.get(), CFSTR("name"), "Jos\xC3\xA9 M\xC3\xBCller", false),
        noErr);
    EXPECT_EQ(read("name"), "Jos\xC3\xA9 M\xC3\xBCller");

    CFMutableStringRef recipient = CFStringCreateMutable(nullptr, 0);
    CFStringAppendCString(recipient, "0123-4567", kCFStringEncodingUTF8);
    EXPECT_EQ(PMTicketSetCFString(ticket_, pane_.get(), CFSTR("number1"), recipient, false), noErr);
    CFStringAppendCString(recipient, " changed later", kCFStringEncodingUTF8);
    CFRelease(recipient);
    EXPECT_EQ(read("number1"), "0123-4567") << "the ticket keeps its own copy";

    EXPECT_EQ(PMTicketSetCString(ticket_, pane_.get(), CFSTR("empty"), "", false), noErr);
    EXPECT_EQ(read("empty"), "");
}

TEST_F(TicketTest, ItemsKeepTheirClientAndLockedFlag) {
    ASSERT_EQ(PMTicketSetCString(ticket_, pane_.get(), CFSTR("open"), "1", false), noErr);
    ASSERT_EQ(PMTicketSetCString(ticket_, pane_.get(), CFSTR("fixed"), "A", true), noErr);

    // An unlocked item takes a later value and its writer.
    EXPECT_EQ(PMTicketSetCString(ticket_, other_.get(), CFSTR("open"), "2", false), noErr);
    EXPECT_EQ(read("open"), "2");
    CFStringRef client = nullptr;
    ASSERT_EQ(PMTicketGetItemClientID(ticket_, CFSTR("open"), &client), noErr);
    EXPECT_EQ(text(client), "com.example.other");

    // A locked one refuses every later write and keeps value, client and flag.
    EXPECT_EQ(PMTicketSetCString(ticket_, other_.get(), CFSTR("fixed"), "B", false),
              kPMItemIsLocked);
    EXPECT_EQ(PMTicketSetCFString(ticket_, pane_.get(), CFSTR("fixed"), CFSTR("C"), true),
              kPMItemIsLocked);
    EXPECT_EQ(read("fixed"), "A");
    ASSERT_EQ(PMTicketGetItemClientID(ticket_, CFSTR("fixed"), &client), noErr);
    EXPECT_EQ(text(client), "com.norvale.qrt.pde.SendraFaxKind");
    Boolean locked = false;
    ASSERT_EQ(PMTicketIsItemLocked(ticket_, CFSTR("fixed"), &locked), noErr);
    EXPECT_TRUE(locked);
    ASSERT_EQ(PMTicketIsItemLocked(ticket_, CFSTR("open"), &locked), noErr);
    EXPECT_FALSE(locked);
}

TEST_F(TicketTest, MissingKeysAndUnfitTextsLeaveTheBufferAlone) {
    EXPECT_EQ(read("absent"), "status " + std::to_string(kPMKeyNotFound) + " untouched");
    Boolean locked = false;
    EXPECT_EQ(PMTicketIsItemLocked(ticket_, CFSTR("absent"), &locked), kPMKeyNotFound);

    ASSERT_EQ(PMTicketSetCString(ticket_, pane_.get(), CFSTR("long"), "0123456789", false), noErr);
    EXPECT_EQ(read("long", 10),
              "status " + std::to_string(kPMStringConversionFailure) + " untouched");
    EXPECT_EQ(read("long", 11), "0123456789");

    // Bytes that are not UTF-8 are refused and store nothing.
    EXPECT_EQ(PMTicketSetCString(ticket_, pane_.get(), CFSTR("bad"), "\xFF\xFE", false),
              kPMStringConversionFailure);
    EXPECT_EQ(read("bad"), "status " + std::to_string(kPMKeyNotFound) + " untouched");
}

TEST_F(TicketTest, InvalidArgumentsGiveTheMacStatuses) {
    char buffer[8];
    EXPECT_EQ(PMTicketSetCString(nullptr, pane_.get(), CFSTR("k"), "v", false), kPMInvalidTicket);
    EXPECT_EQ(PMTicketSetCString(ticket_, pane_.get(), nullptr, "v", false), kPMInvalidParameter);
    EXPECT_EQ(PMTicketSetCFString(ticket_, pane_.get(), CFSTR("k"), nullptr, false),
              kPMInvalidParameter);
    EXPECT_EQ(PMTicketGetCString(ticket_, 1, 0, CFSTR("k"), 8, kCFStringEncodingUTF8, buffer),
              kPMInvalidParameter);
    CFMutableDictionaryRef dictionary = nullptr;
    EXPECT_EQ(PMTicketGetPPDDict(nullptr, 0, 0, &dictionary), kPMInvalidTicket);
}

TEST_F(TicketTest, PPDDictionaryIsTheTicketsOwnAndApartFromItsItems) {
    CFMutableDictionaryRef choices = nullptr;
    ASSERT_EQ(PMTicketGetPPDDict(ticket_, kPMTopLevel, kPMTopLevel, &choices), noErr);
    ASSERT_NE(choices, nullptr);
    CFDictionarySetValue(choices, CFSTR("NVFaxImageQuality"), CFSTR("SuperFine"));

    CFMutableDictionaryRef again = nullptr;
    ASSERT_EQ(PMTicketGetPPDDict(ticket_, kPMTopLevel, kPMTopLevel, &again), noErr);
    EXPECT_EQ(again, choices);
    EXPECT_EQ(text(CFDictionaryGetValue(again, CFSTR("NVFaxImageQuality"))), "SuperFine");

    ASSERT_EQ(PMTicketSetCString(ticket_, pane_.get(), CFSTR("key"), "value", false), noErr);
    CFRef<CFDictionaryRef> items(PMTicketCreateDict(ticket_));
    EXPECT_EQ(CFDictionaryGetCount(items.get()), 1);
    EXPECT_EQ(text(CFDictionaryGetValue(items.get(), CFSTR("key"))), "value");
}

} // namespace
