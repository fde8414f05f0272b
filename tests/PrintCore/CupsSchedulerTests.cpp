// End to end through CUPS: a private scheduler on loopback with a queue whose backend records
// each job; the ticket's items and PPD choices must reach that backend as job options.
#include "PrivateScheduler.h"
#include "TestSupport.h"

#include <cups/cups.h>

namespace {

// The printing environment pointed at the private scheduler, with its queue chosen.
class CupsSchedulerTest : public PrintingTest {
  protected:
    void SetUp() override {
        std::string whyNot;
        if (!scheduler_.start(whyNot))
            GTEST_SKIP() << "No private CUPS scheduler can start here: " << whyNot;
        PrintingTest::SetUp();
        cupsSetServer(scheduler_.address().c_str());
        ASSERT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NVTestFax")), noErr);
    }

    PrivateScheduler scheduler_{NV_DEMO_PPD_SOURCE, NV_RECORDING_BACKEND};
};

TEST_F(CupsSchedulerTest, TheQueueIsAPrinterWithItsPPD) {
    CFArrayRef ids = nullptr;
    CFIndex current = -1;
    ASSERT_EQ(PMSessionCreatePrinterList(session_, &ids, &current, nullptr), noErr);
    ASSERT_GE(current, 0);
    EXPECT_EQ(text(CFArrayGetValueAtIndex(ids, current)), "NVTestFax");
    EXPECT_EQ(text(CFArrayGetValueAtIndex(ids, CFArrayGetCount(ids) - 1)), "NorvaleDemoFax");
    CFRelease(ids);

    PMPrinter printer = nullptr;
    CFURLRef uri = nullptr;
    ASSERT_EQ(PMSessionGetCurrentPrinter(session_, &printer), noErr);
    ASSERT_EQ(PMPrinterGetDeviceURI(printer, &uri), noErr);
    CFRef<CFStringRef> scheme(CFURLCopyScheme(uri));
    EXPECT_EQ(text(scheme.get()), "nvrecord");

    CFTypeRef ppd = nullptr;
    ASSERT_EQ(PMSessionGetDataFromSession(session_, CFSTR("kPMPPDReference"), &ppd), noErr);
    EXPECT_NE(ppd, nullptr) << "the PPD was not fetched from the scheduler";
    CFArrayRef paths = nullptr;
    ASSERT_EQ(PMSessionCopyDialogExtensionPaths(session_, &paths), noErr);
    EXPECT_EQ(CFArrayGetCount(paths), 1);
    CFRelease(paths);
}

TEST_F(CupsSchedulerTest, TicketItemsAndPPDChoicesReachTheBackendAsJobOptions) {
    PMTicketRef ticket = sessionTicket(session_);
    ASSERT_EQ(PMTicketSetCString(ticket, nullptr, CFSTR("SFaxCoverSenderName"), "/97/44/98", false),
              noErr);
    ASSERT_EQ(PMTicketSetCFString(ticket, nullptr, CFSTR("SFaxDestinationName1"),
                                  CFSTR("Smith, John"), false),
              noErr);
    ASSERT_EQ(PMTicketSetCFString(ticket, nullptr, CFSTR("SFaxDestinationPhoneNumber1"),
                                  CFSTR("0123-4567"), false),
              noErr);
    ASSERT_EQ(
        PMTicketSetCFString(ticket, nullptr, CFSTR("SFaxDestinationName2"), CFSTR("True"), false),
        noErr);
    CFMutableDictionaryRef choices = nullptr;
    ASSERT_EQ(PMTicketGetPPDDict(ticket, 0, 0, &choices), noErr);
    CFDictionarySetValue(choices, CFSTR("NVFaxImageQuality"), CFSTR("Photo"));
    CFDictionarySetValue(choices, CFSTR("NVFaxSenderMode"), CFSTR("Name"));

    std::string outcome;
    ASSERT_EQ(printFile(session_, writeDocument("fax.txt", "Fax page one\n"), &outcome), noErr)
        << outcome;
    EXPECT_NE(outcome.find("as job"), std::string::npos) << outcome;

    std::string recorded = scheduler_.waitForRecordedOptions();
    ASSERT_FALSE(recorded.empty()) << "no job reached the backend: " << scheduler_.logTail();
    std::map<std::string, std::string> options = parseBackendOptions(recorded);
    std::map<std::string, std::string> expected{{"SFaxCoverSenderName", "/97/44/98"},
                                                {"SFaxDestinationName1", "Smith, John"},
                                                {"SFaxDestinationPhoneNumber1", "0123-4567"},
                                                {"SFaxDestinationName2", "True"},
                                                {"NVFaxImageQuality", "Photo"},
                                                {"NVFaxSenderMode", "Name"}};
    for (const auto& [name, value] : expected) {
        ASSERT_TRUE(options.count(name)) << name << " missing from: " << recorded;
        EXPECT_EQ(options[name], value) << name;
    }
}

TEST_F(CupsSchedulerTest, AQueueThatIsGoneIsReported) {
    ASSERT_TRUE(scheduler_.removeQueue()) << cupsLastErrorString();
    std::string outcome;
    EXPECT_EQ(printFile(session_, writeDocument("fax.txt", "Fax page one\n"), &outcome),
              kPMQueueNotFound)
        << outcome;
    EXPECT_NE(outcome.find("is gone"), std::string::npos) << outcome;
}

TEST_F(CupsSchedulerTest, AServerThatIsDownIsReportedAndTheDocumentKept) {
    scheduler_.stop();
    std::filesystem::path document = writeDocument("fax.txt", "Fax page one\n");
    std::string outcome;
    EXPECT_EQ(printFile(session_, document, &outcome), kPMServerNotFound) << outcome;
    EXPECT_NE(outcome.find(document.string()), std::string::npos) << outcome;
    EXPECT_TRUE(std::filesystem::exists(document));
}

} // namespace
