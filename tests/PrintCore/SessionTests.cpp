// Sessions with no CUPS server: the demo printer, the session data the plug-in reads, the
// printer list and changing the current printer.
#include "TestSupport.h"

#include <CFNumber.h>

namespace {

using SessionTest = PrintingTest;

TEST_F(SessionTest, WithoutCupsTheDemoPrinterIsCurrent) {
    PMPrinter printer = nullptr;
    ASSERT_EQ(PMSessionGetCurrentPrinter(session_, &printer), noErr);
    EXPECT_EQ(text(PMPrinterGetID(printer)), "NorvaleDemoFax");
    EXPECT_EQ(text(PMPrinterGetName(printer)), "Norvale Demo Fax");
    CFURLRef uri = nullptr;
    ASSERT_EQ(PMPrinterGetDeviceURI(printer, &uri), noErr);
    CFRef<CFStringRef> scheme(CFURLCopyScheme(uri));
    CFRef<CFStringRef> host(CFURLCopyHostName(uri));
    EXPECT_EQ(text(scheme.get()), "socket");
    EXPECT_EQ(text(host.get()), "127.0.0.1");

    CFArrayRef ids = nullptr;
    CFIndex current = -2;
    PMPrinter listed = nullptr;
    ASSERT_EQ(PMSessionCreatePrinterList(session_, &ids, &current, &listed), noErr);
    ASSERT_GE(current, 0);
    EXPECT_EQ(text(CFArrayGetValueAtIndex(ids, current)), "NorvaleDemoFax");
    EXPECT_EQ(listed, printer);
    CFRelease(ids);
}

TEST_F(SessionTest, TicketReferenceIsAPointerSizedNumberOfTheSessionsTicket) {
    CFTypeRef data = nullptr;
    ASSERT_EQ(PMSessionGetDataFromSession(session_, CFSTR("PMPrintSettingsTicket"), &data), noErr);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(CFNumberGetType(static_cast<CFNumberRef>(data)), kCFNumberSInt64Type);
    PMTicketRef ticket = sessionTicket(session_);
    ASSERT_NE(ticket, nullptr);

    // What the plug-in writes through that reference is what a second reader finds.
    ASSERT_EQ(PMTicketSetCString(ticket, CFSTR("client"), CFSTR("key"), "value", false), noErr);
    char buffer[256] = "";
    EXPECT_EQ(PMTicketGetCString(sessionTicket(session_), 0, 0, CFSTR("key"), sizeof buffer,
                                 kCFStringEncodingUTF8, buffer),
              noErr);
    EXPECT_STREQ(buffer, "value");
}

TEST_F(SessionTest, MissingDataKeysAndBadArgumentsAreTold) {
    CFTypeRef data = CFSTR("not cleared");
    EXPECT_EQ(PMSessionGetDataFromSession(session_, CFSTR("NoSuchKey"), &data), noErr);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(PMSessionGetDataFromSession(nullptr, CFSTR("kPMPPDReference"), &data),
              kPMInvalidPrintSession);
    EXPECT_EQ(PMSessionGetDataFromSession(session_, nullptr, &data), kPMInvalidParameter);
    PMPrinter printer = nullptr;
    EXPECT_EQ(PMSessionGetCurrentPrinter(nullptr, &printer), kPMInvalidPrintSession);
    CFURLRef uri = nullptr;
    EXPECT_EQ(PMPrinterGetDeviceURI(nullptr, &uri), kPMInvalidPrinter);
    EXPECT_EQ(PMPrinterGetID(nullptr), nullptr);
}

TEST_F(SessionTest, ChoosingAPrinterRefreshesThePPDAndDropsTheOldChoices) {
    PMTicketRef ticket = sessionTicket(session_);
    CFMutableDictionaryRef choices = nullptr;
    ASSERT_EQ(PMTicketGetPPDDict(ticket, 0, 0, &choices), noErr);
    CFDictionarySetValue(choices, CFSTR("NVFaxSenderMode"), CFSTR("Name"));
    ASSERT_EQ(PMTicketSetCString(ticket, nullptr, CFSTR("kept"), "yes", false), noErr);

    EXPECT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NoSuchPrinter")), kPMInvalidPrinter);
    EXPECT_EQ(CFDictionaryGetCount(choices), 1) << "a failed choice changes nothing";

    ASSERT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")), noErr);
    EXPECT_NE(sessionPPD(session_), nullptr);
    EXPECT_EQ(CFDictionaryGetCount(choices), 0);
    char buffer[8] = "";
    EXPECT_EQ(PMTicketGetCString(ticket, 0, 0, CFSTR("kept"), sizeof buffer, kCFStringEncodingUTF8,
                                 buffer),
              noErr);

    PMPrinter current = nullptr;
    ASSERT_EQ(PMSessionGetCurrentPrinter(session_, &current), noErr);
    EXPECT_EQ(text(PMPrinterGetID(current)), "NorvaleDemoFax");
    EXPECT_EQ(PMPrinterCreateFromPrinterID(CFSTR("NoSuchPrinter")), nullptr);
}

TEST_F(SessionTest, APrinterWithoutPPDHasNoPPDReferenceNorExtensions) {
    ScopedEnvironment missing("NV_DEMO_PPD", (folder_.path() / "missing.ppd").c_str());
    ASSERT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")), noErr);
    CFTypeRef data = CFSTR("not cleared");
    EXPECT_EQ(PMSessionGetDataFromSession(session_, CFSTR("kPMPPDReference"), &data), noErr);
    EXPECT_EQ(data, nullptr);
    CFArrayRef paths = nullptr;
    ASSERT_EQ(PMSessionCopyDialogExtensionPaths(session_, &paths), noErr);
    EXPECT_EQ(CFArrayGetCount(paths), 0);
    CFRelease(paths);
}

} // namespace
