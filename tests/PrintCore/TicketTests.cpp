// The writes and reads a ticket refuses: values that are not UTF-8, values that do not fit the
// caller's buffer, and missing or bad arguments.
#include <PrintCore.h>

#include <gtest/gtest.h>

namespace {

TEST(TicketTest, BadValuesAndArgumentsAreRefusedAndStoreNothing) {
    PMTicketRef ticket = nullptr;
    ASSERT_EQ(PMTicketCreate(nullptr, nullptr, &ticket), noErr);
    char buffer[8] = "";
    EXPECT_EQ(PMTicketSetCString(ticket, nullptr, CFSTR("bad"), "\xFF\xFE", false),
              kPMStringConversionFailure);
    EXPECT_EQ(PMTicketGetCString(ticket, kPMTopLevel, kPMTopLevel, CFSTR("bad"), sizeof buffer,
                                 kCFStringEncodingUTF8, buffer),
              kPMKeyNotFound);
    ASSERT_EQ(PMTicketSetCString(ticket, nullptr, CFSTR("long"), "01234567", false), noErr);
    EXPECT_EQ(PMTicketGetCString(ticket, kPMTopLevel, kPMTopLevel, CFSTR("long"), sizeof buffer,
                                 kCFStringEncodingUTF8, buffer),
              kPMStringConversionFailure)
        << "no room for the terminator";
    EXPECT_EQ(PMTicketSetCString(nullptr, nullptr, CFSTR("k"), "v", false), kPMInvalidTicket);
    EXPECT_EQ(PMTicketSetCString(ticket, nullptr, nullptr, "v", false), kPMInvalidParameter);
    EXPECT_EQ(PMTicketSetCFString(ticket, nullptr, CFSTR("k"), nullptr, false),
              kPMInvalidParameter);
    EXPECT_EQ(PMTicketGetCString(ticket, 1, 0, CFSTR("k"), 8, kCFStringEncodingUTF8, buffer),
              kPMInvalidParameter);
    PMTicketRelease(ticket);
}

} // namespace
