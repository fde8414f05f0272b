// Helpers of the PPD tests: the test PPD files of data/ opened with libcups, their marked
// choices, and the UTF-8 text of strings.
#pragma once

#include <CFRef.h>
#include <CFString.h>

#include <cups/ppd.h>

#include <memory>
#include <string>
#include <vector>

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDFile = std::unique_ptr<ppd_file_t, PPDCloser>;

// The test PPD data/<name>.ppd read by libcups; null when it cannot be read.
inline PPDFile openTestPPD(const std::string& name) {
    return PPDFile(ppdOpenFile((std::string(NV_PPD_TEST_DATA) + "/" + name + ".ppd").c_str()));
}

// The keywords of the option's marked choices, in the PPD's order.
inline std::vector<std::string> markedChoices(ppd_file_t* ppd, const char* optionKeyword) {
    std::vector<std::string> marked;
    if (const ppd_option_t* option = ppdFindOption(ppd, optionKeyword))
        for (int index = 0; index < option->num_choices; ++index)
            if (option->choices[index].marked) marked.emplace_back(option->choices[index].choice);
    return marked;
}

// The UTF-8 text of a string; "<null>" for null, so that failures read clearly.
inline std::string text(CFStringRef string) {
    if (!string) return "<null>";
    char buffer[1024] = {};
    return CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8)
               ? buffer
               : "<unconvertible>";
}

// A new string from UTF-8 text.
inline CFRef<CFStringRef> makeString(const char* utf8) {
    return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8));
}
