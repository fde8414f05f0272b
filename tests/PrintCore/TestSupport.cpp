#include "TestSupport.h"

#include <CFData.h>
#include <CFNumber.h>

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

CFRef<CFStringRef> makeString(const char* utf8) {
    return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8));
}

std::string text(CFTypeRef string) {
    if (!string) return "<null>";
    if (CFGetTypeID(string) != CFStringGetTypeID()) return "<not a string>";
    char buffer[4096];
    if (!CFStringGetCString(static_cast<CFStringRef>(string), buffer, sizeof buffer,
                            kCFStringEncodingUTF8))
        return "<unconvertible>";
    return buffer;
}

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "printcore-XXXXXX").string();
    if (mkdtemp(pattern.data())) path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    if (!path_.empty()) std::filesystem::remove_all(path_, error);
}

void PrintingTest::SetUp() {
    ASSERT_FALSE(folder_.path().empty());
    cupsSetServer((folder_.path() / "no-cups-here.sock").c_str());
    ASSERT_EQ(PMCreateSession(&session_), noErr);
}

void PrintingTest::TearDown() {
    if (session_) PMRelease(session_);
    cupsSetServer(nullptr);
}

PMTicketRef sessionTicket(PMPrintSession session) {
    CFTypeRef data = nullptr;
    SInt64 reference = 0;
    if (PMSessionGetDataFromSession(session, CFSTR("PMPrintSettingsTicket"), &data) != noErr ||
        !data || CFGetTypeID(data) != CFNumberGetTypeID() ||
        !CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberSInt64Type, &reference))
        return nullptr;
    return reinterpret_cast<PMTicketRef>(intptr_t(reference));
}

ppd_file_t* sessionPPD(PMPrintSession session) {
    CFTypeRef data = nullptr;
    ppd_file_t* ppd = nullptr;
    if (PMSessionGetDataFromSession(session, CFSTR("kPMPPDReference"), &data) != noErr || !data ||
        CFDataGetLength(static_cast<CFDataRef>(data)) != sizeof ppd)
        return nullptr;
    std::memcpy(&ppd, CFDataGetBytePtr(static_cast<CFDataRef>(data)), sizeof ppd);
    return ppd;
}

OSStatus printFile(PMPrintSession session, const std::filesystem::path& document,
                   std::string* outcome) {
    CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(document.c_str()),
        CFIndex(document.string().size()), false));
    CFStringRef message = nullptr;
    OSStatus status = PMSessionPrintWithFile(session, url.get(), CFSTR("Fax job"), &message);
    if (outcome) *outcome = text(message);
    if (message) CFRelease(message);
    return status;
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::filesystem::path PrintingTest::writeDocument(const std::string& name,
                                                  const std::string& content) {
    std::filesystem::path path = folder_.path() / name;
    writeFile(path, content);
    return path;
}

std::vector<std::string> PrintingTest::spooledFiles() const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(spool_, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, std::string> readOptionRecord(const std::filesystem::path& record) {
    std::map<std::string, std::string> options;
    std::ifstream input(record);
    std::string line;
    while (std::getline(input, line)) {
        if (line.empty() || line[0] == '#') continue;
        size_t equals = line.find('=');
        if (equals != std::string::npos) options[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return options;
}
