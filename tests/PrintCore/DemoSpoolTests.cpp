// Printing to the demo printer: the spool folder receives the document and a record of every
// ticket item and PPD choice; failures are reported and leave nothing behind.
#include "TestSupport.h"

#include <fstream>
#include <sstream>

namespace {

class DemoSpoolTest : public PrintingTest {
  protected:
    OSStatus print(const std::filesystem::path& document, std::string* outcome = nullptr) {
        return printFile(session_, document, outcome);
    }
};

TEST_F(DemoSpoolTest, TicketItemsAndPPDChoicesBecomeTheRecordedOptions) {
    PMTicketRef ticket = sessionTicket(session_);
    const char* prefix = "com.norvale.m.corvexa.printsettings.";
    ASSERT_EQ(
        PMTicketSetCString(ticket, nullptr,
                           makeString((std::string(prefix) + "SFaxDelayedTime").c_str()).get(),
                           "09:30", false),
        noErr);
    ASSERT_EQ(PMTicketSetCFString(
                  ticket, nullptr,
                  makeString((std::string(prefix) + "SFaxDestinationPhoneNumber1").c_str()).get(),
                  CFSTR("0123-4567"), false),
              noErr);
    ASSERT_EQ(PMTicketSetCString(ticket, nullptr, CFSTR("multi"), "line one\nline \\two", false),
              noErr);
    CFMutableDictionaryRef choices = nullptr;
    ASSERT_EQ(PMTicketGetPPDDict(ticket, 0, 0, &choices), noErr);
    CFDictionarySetValue(choices, CFSTR("NVFaxImageQuality"), CFSTR("SuperFine"));
    CFDictionarySetValue(choices, CFSTR("NVFaxCoverPageMode"), CFSTR("None"));

    const std::string content("%PDF-1.4\n\0binary\xFF", 18);
    std::string outcome;
    ASSERT_EQ(print(writeDocument("letter.pdf", content), &outcome), noErr) << outcome;

    std::vector<std::string> files = spooledFiles();
    ASSERT_EQ(files.size(), 2u);
    ASSERT_TRUE(files[0].ends_with(".options")) << files[0];
    ASSERT_TRUE(files[1].ends_with(".pdf")) << files[1];
    EXPECT_NE(outcome.find(files[0]), std::string::npos) << outcome;

    std::ifstream copy(spool_ / files[1], std::ios::binary);
    std::stringstream copied;
    copied << copy.rdbuf();
    EXPECT_EQ(copied.str(), content);

    std::map<std::string, std::string> expected{
        {std::string(prefix) + "SFaxDelayedTime", "09:30"},
        {std::string(prefix) + "SFaxDestinationPhoneNumber1", "0123-4567"},
        {"multi", "line one\\nline \\\\two"},
        {"NVFaxCoverPageMode", "None"},
        {"NVFaxImageQuality", "SuperFine"}};
    EXPECT_EQ(readOptionRecord(spool_ / files[0]), expected);

    // Option lines are sorted by name.
    std::ifstream record(spool_ / files[0]);
    std::vector<std::string> names;
    for (std::string line; std::getline(record, line);)
        if (!line.starts_with("#")) names.push_back(line.substr(0, line.find('=')));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

TEST_F(DemoSpoolTest, EachJobGetsItsOwnFiles) {
    std::filesystem::path document = writeDocument("page.txt", "page");
    ASSERT_EQ(print(document), noErr);
    ASSERT_EQ(print(document), noErr);
    EXPECT_EQ(spooledFiles().size(), 4u);
}

TEST_F(DemoSpoolTest, UnreadableDocumentsAreReportedAndNothingIsSpooled) {
    std::string outcome;
    EXPECT_EQ(print(folder_.path() / "missing.pdf", &outcome), kPMOpenFailed);
    EXPECT_NE(outcome.find("missing.pdf"), std::string::npos) << outcome;
    EXPECT_EQ(print(folder_.path(), &outcome), kPMReadFailed) << "a folder is no document";
    EXPECT_TRUE(spooledFiles().empty());

    CFStringRef message = nullptr;
    EXPECT_EQ(PMSessionPrintWithFile(session_, nullptr, nullptr, &message), kPMInvalidParameter);
    EXPECT_EQ(text(message), "No document was given.");
    CFRelease(message);
    EXPECT_EQ(PMSessionPrintWithFile(nullptr, nullptr, nullptr, nullptr), kPMInvalidPrintSession);
}

TEST_F(DemoSpoolTest, ASpoolFolderThatCannotBeMadeFailsTheJobAndKeepsTheDocument) {
    std::filesystem::path blocker = writeDocument("blocker", "a file where a folder should be");
    ScopedEnvironment spool("NV_DEMO_SPOOL", (blocker / "spool").c_str());
    std::filesystem::path document = writeDocument("keep.txt", "keep me");
    std::string outcome;
    EXPECT_EQ(print(document, &outcome), kPMWriteFailed);
    EXPECT_NE(outcome.find("spool"), std::string::npos) << outcome;
    EXPECT_TRUE(std::filesystem::exists(document));
}

} // namespace
