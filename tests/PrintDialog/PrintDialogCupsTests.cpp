// End to end through CUPS: the dialog prints to a queue of a private scheduler, and what the
// extension wrote into the ticket reaches the queue's backend as job options.
#include <PrintDialog.h>
#include <PrivateScheduler.h>

#include <cups/cups.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(PrintDialogThroughCups, TheExtensionsSettingsReachTheQueueAsJobOptions) {
    PrivateScheduler scheduler(NV_DEMO_PPD_SOURCE, NV_RECORDING_BACKEND);
    std::string whyNot;
    if (!scheduler.start(whyNot))
        GTEST_SKIP() << "No private CUPS scheduler can start here: " << whyNot;
    cupsSetServer(scheduler.address().c_str());

    const std::filesystem::path document = scheduler.recordFolder().parent_path() / "page.txt";
    std::ofstream(document) << "Fax page one\n";
    PrintDialogOptions options;
    options.printerID = PrivateScheduler::kQueue;
    options.extraExtensions = {TEST_EXTENSION_BUNDLE};
    options.printerExtensions = false;
    options.documentPath = document.string();
    options.jobTitle = "page.txt";
    {
        PrintDialog dialog(options);
        ASSERT_TRUE(dialog.print()) << dialog.message();
        EXPECT_NE(dialog.message().find("job"), std::string::npos) << dialog.message();
    }
    const std::string recorded = scheduler.waitForRecordedOptions();
    cupsSetServer(nullptr);
    ASSERT_FALSE(recorded.empty()) << "no job reached the backend: " << scheduler.logTail();
    auto jobOptions = parseBackendOptions(recorded);
    EXPECT_EQ(jobOptions["com.example.test.Value"], "42") << recorded;
    EXPECT_EQ(jobOptions["NVFaxImageQuality"], "SuperFine") << recorded;
}

} // namespace
