// Sessions where the fax job through the dialog does not reach: a printer without its PPD, the
// demo spool's escapes and failures, and a private CUPS scheduler's.
#include <CFNumber.h>
#include <CFRef.h>
#include <HeldJob.h>
#include <PrintCore.h>
#include <PrivateScheduler.h>
#include <ScopedEnvironment.h>

#include <cups/cups.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string text(CFTypeRef string) {
    char buffer[1024] = "<null>";
    if (string)
        CFStringGetCString(static_cast<CFStringRef>(string), buffer, sizeof buffer,
                           kCFStringEncodingUTF8);
    return buffer;
}

std::string contentOf(const fs::path& file) {
    std::ostringstream content;
    content << std::ifstream(file, std::ios::binary).rdbuf();
    return content.str();
}

// A session with no CUPS server to be found, so the machine's own stays out of the tests, and
// the demo spool in the test's own folder.
class SessionTest : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder_);
        cupsSetServer((folder_ / "no-cups-here.sock").c_str());
        ASSERT_EQ(PMCreateSession(&session_), noErr);
    }
    void TearDown() override {
        PMRelease(session_);
        cupsSetServer(nullptr);
    }

    PMTicketRef ticket() const {
        CFTypeRef data = nullptr;
        SInt64 reference = 0;
        PMSessionGetDataFromSession(session_, CFSTR("PMPrintSettingsTicket"), &data);
        CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberSInt64Type, &reference);
        return reinterpret_cast<PMTicketRef>(intptr_t(reference));
    }
    fs::path document(const std::string& content = "Fax page one\n") const {
        std::ofstream(folder_ / "fax.txt", std::ios::binary) << content;
        return folder_ / "fax.txt";
    }
    // Prints the file; the sentence for the user goes to outcome.
    OSStatus print(const fs::path& file, std::string& outcome) const {
        CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(file.c_str()), CFIndex(file.string().size()),
            false));
        CFStringRef message = nullptr;
        const OSStatus status = PMSessionPrintWithFile(session_, url.get(), nullptr, &message);
        outcome = text(message);
        if (message) CFRelease(message);
        return status;
    }
    std::vector<fs::path> spooled() const {
        std::vector<fs::path> files;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(spool_, error))
            files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }

    const fs::path folder_ = fs::path(testing::TempDir()) /
                             testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path spool_ = folder_ / "spool";
    ScopedEnvironment spoolSetting_{"NV_DEMO_SPOOL", spool_.c_str()};
    PMPrintSession session_ = nullptr;
};

TEST_F(SessionTest, APrinterWhosePPDIsMissingOrDoesNotParseHasNoPPDReferenceNorExtensions) {
    std::ofstream(folder_ / "garbled.ppd") << "*APDialogExtension: \"/x.plugin\"\nnot a PPD\n";
    for (const char* name : {"missing.ppd", "garbled.ppd"}) {
        SCOPED_TRACE(name);
        ScopedEnvironment ppd("NV_DEMO_PPD", (folder_ / name).c_str());
        ASSERT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")), noErr);
        CFTypeRef data = CFSTR("not cleared");
        EXPECT_EQ(PMSessionGetDataFromSession(session_, CFSTR("kPMPPDReference"), &data), noErr);
        EXPECT_EQ(data, nullptr);
        CFArrayRef paths = nullptr;
        ASSERT_EQ(PMSessionCopyDialogExtensionPaths(session_, &paths), noErr);
        EXPECT_EQ(CFArrayGetCount(paths), 0);
        CFRelease(paths);
    }
}

TEST_F(SessionTest, ADemoJobRecordEscapesLineBreaksAndBackslashes) {
    ASSERT_EQ(PMTicketSetCString(ticket(), nullptr, CFSTR("multi"), "line one\nline \\two", false),
              noErr);
    std::string outcome;
    ASSERT_EQ(print(document(), outcome), noErr) << outcome;
    const auto files = spooled();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_NE(contentOf(files[0]).find("\nmulti=line one\\nline \\\\two\n"), std::string::npos)
        << contentOf(files[0]);
}

TEST_F(SessionTest, DemoJobFailuresAreReportedAndSpoolNothing) {
    std::string outcome;
    EXPECT_EQ(print(folder_ / "missing.pdf", outcome), kPMOpenFailed);
    EXPECT_NE(outcome.find("missing.pdf"), std::string::npos) << outcome;
    EXPECT_EQ(print(folder_, outcome), kPMReadFailed) << "a folder is no document";
    EXPECT_TRUE(spooled().empty());

    const fs::path blocker = document("a file where the spool folder should be");
    ScopedEnvironment spool("NV_DEMO_SPOOL", (blocker / "spool").c_str());
    EXPECT_EQ(print(blocker, outcome), kPMWriteFailed);
    EXPECT_NE(outcome.find("spool"), std::string::npos) << outcome;
    EXPECT_TRUE(fs::exists(blocker)) << "the document is kept";
}

// On a queue of a private CUPS scheduler: text that libcups would take for a boolean reaches
// the backend as written; then the queue goes away, then the scheduler.
TEST_F(SessionTest, CupsJobsKeepTheirTextAndFailuresKeepTheDocument) {
    PrivateScheduler scheduler(NV_DEMO_PPD_SOURCE, NV_RECORDING_BACKEND);
    std::string whyNot;
    if (!scheduler.start(whyNot))
        GTEST_SKIP() << "No private CUPS scheduler can start here: " << whyNot;
    cupsSetServer(scheduler.address().c_str());
    ASSERT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NVTestFax")), noErr);
    ASSERT_EQ(PMTicketSetCString(ticket(), nullptr, CFSTR("SFaxDestinationName1"), "True", false),
              noErr);
    std::string outcome;
    ASSERT_EQ(print(document(), outcome), noErr) << outcome;
    const std::string recorded = scheduler.waitForRecordedOptions();
    EXPECT_EQ(parseBackendOptions(recorded)["SFaxDestinationName1"], "True") << recorded;

    ASSERT_TRUE(scheduler.removeQueue()) << cupsLastErrorString();
    EXPECT_EQ(print(document(), outcome), kPMQueueNotFound) << outcome;
    EXPECT_NE(outcome.find("is gone"), std::string::npos) << outcome;
    scheduler.stop();
    const fs::path file = document();
    EXPECT_EQ(print(file, outcome), kPMServerNotFound) << outcome;
    EXPECT_NE(outcome.find(file.string()), std::string::npos) << outcome;
    EXPECT_TRUE(fs::exists(file));
}

// A held job is never released with a value cut short or that CUPS would refuse: the dialog
// says which setting it is, and the job stays held.
TEST_F(SessionTest, HeldJobStaysHeldWhenAValueCannotBeSent) {
    SchedulerSetup holding;
    holding.holdJobs = true;
    PrivateScheduler scheduler(NV_DEMO_PPD_SOURCE, NV_RECORDING_BACKEND, holding);
    std::string whyNot;
    if (!scheduler.start(whyNot))
        GTEST_SKIP() << "No private CUPS scheduler can start here: " << whyNot;
    cupsSetServer(scheduler.address().c_str());
    const int jobID = cupsPrintFile("NVTestFax", document().c_str(), "Letter", 0, nullptr);
    CupsJobRecord job;
    ASSERT_EQ(readCupsJob(jobID, job).status, noErr);
    ASSERT_TRUE(job.isHeld());
    for (const std::string& value : {std::string(300, 'x'), std::string("Max\x01Mustermann")}) {
        ASSERT_EQ(PMTicketSetCString(ticket(), nullptr, CFSTR("SFaxDestinationName1"),
                                     value.c_str(), false),
                  noErr);
        const PrintResult result = releaseHeldJob(session_, job);
        EXPECT_EQ(result.status, kPMQueueJobFailed) << value;
        EXPECT_NE(result.message.find("\"SFaxDestinationName1\""), std::string::npos)
            << result.message;
        EXPECT_NE(result.message.find("still held"), std::string::npos) << result.message;
        ASSERT_EQ(readCupsJob(jobID, job).status, noErr);
        EXPECT_TRUE(job.isHeld());
    }
}

} // namespace
