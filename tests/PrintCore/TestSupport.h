// Helpers shared by the printing system tests: text of CF values, temporary folders, a
// printing environment without any CUPS server, and reading the demo spool.
#pragma once

#include <CFRef.h>
#include <PrintCore.h>
#include <ScopedEnvironment.h>

#include <cups/ppd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

CFRef<CFStringRef> makeString(const char* utf8);
// The UTF-8 text of a string; "<null>" for null, so that failures read clearly.
std::string text(CFTypeRef string);

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Points libcups at a server that does not exist (so the machine's own CUPS, if any, stays out
// of the tests) and the demo spool at a temporary folder.
class PrintingTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a document into the temporary folder and returns its path.
    std::filesystem::path writeDocument(const std::string& name, const std::string& content);
    // Every file in the spool folder, by name.
    std::vector<std::string> spooledFiles() const;

    TemporaryFolder folder_;
    std::filesystem::path spool_ = folder_.path() / "spool";
    ScopedEnvironment spoolSetting_{"NV_DEMO_SPOOL", spool_.c_str()};
    PMPrintSession session_ = nullptr;
};

// The session's print-settings ticket, read the way the plug-in reads it; null when absent.
PMTicketRef sessionTicket(PMPrintSession session);
// The open PPD of the session's current printer, read the way the plug-in reads it; null when
// the printer has none.
ppd_file_t* sessionPPD(PMPrintSession session);
// Prints the file with the session under the title "Fax job"; the outcome sentence goes to
// *outcome when given.
OSStatus printFile(PMPrintSession session, const std::filesystem::path& document,
                   std::string* outcome = nullptr);
void writeFile(const std::filesystem::path& path, const std::string& content);

// The options of a spool record: the key=value lines, without the "#" description lines.
std::map<std::string, std::string> readOptionRecord(const std::filesystem::path& record);
