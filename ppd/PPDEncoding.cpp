// Encodings of the plug-in and of PPD text; option titles and defaults.
#include "PPDEncoding.h"

#include <cstring>

namespace {

struct DeclaredEncoding {
    const char* name;
    CFStringEncoding encoding;
};

constexpr DeclaredEncoding kDeclaredEncodings[] = {
    {"ISOLatin1", kCFStringEncodingISOLatin1},
    {"WindowsANSI", kCFStringEncodingWindowsLatin1},
    {"JIS83-RKSJ", kCFStringEncodingMacJapanese},
    {"UTF-8", kCFStringEncodingUTF8},
    {"UTF8", kCFStringEncodingUTF8},
};

ppd_option_t* findOption(ppd_file_t* ppd, const char* optionKeyword) {
    return ppd && optionKeyword ? ppdFindOption(ppd, optionKeyword) : nullptr;
}

} // namespace

void GetCFStringEncodingFromPPD(ppd_file_t* ppd, CFStringEncoding* encoding) {
    if (!encoding) return;
    *encoding = kCFStringEncodingMacRoman;
    if (!ppd || !ppd->lang_encoding) return;
    for (const DeclaredEncoding& declared : kDeclaredEncodings) {
        if (std::strcmp(ppd->lang_encoding, declared.name) == 0) {
            *encoding = declared.encoding;
            return;
        }
    }
}

CFStringRef CreateStringFromPPDText(ppd_file_t* ppd, const char* text) {
    if (!text) return nullptr;
    if (CFStringRef utf8 = CFStringCreateWithCString(nullptr, text, kCFStringEncodingUTF8))
        return utf8;
    CFStringEncoding encoding = kCFStringEncodingMacRoman;
    GetCFStringEncodingFromPPD(ppd, &encoding);
    if (encoding == kCFStringEncodingUTF8) encoding = kCFStringEncodingMacRoman;
    return CFStringCreateWithCString(nullptr, text, encoding);
}

OSStatus GetUITitleFromPPD(ppd_file_t* ppd, const char* optionKeyword, CFStringRef* title) {
    if (!title) return noErr;
    const ppd_option_t* option = findOption(ppd, optionKeyword);
    *title = option ? CreateStringFromPPDText(ppd, option->text) : nullptr;
    return noErr;
}

OSStatus GetUIDefaultFromPPD(ppd_file_t* ppd, const char* optionKeyword,
                             CFStringRef* defaultChoice) {
    if (!defaultChoice) return noErr;
    const ppd_option_t* option = findOption(ppd, optionKeyword);
    *defaultChoice =
        option ? CFStringCreateWithCString(nullptr, option->defchoice, kCFStringEncodingUTF8)
               : nullptr;
    return noErr;
}
