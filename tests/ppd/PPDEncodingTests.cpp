// Encodings of PPD text, option titles and defaults, over real PPD files read by libcups.
#include "TestPPD.h"

#include <PPDEncoding.h>

#include <gtest/gtest.h>

namespace {

typedef OSStatus (*OptionReader)(ppd_file_t*, const char*, CFStringRef*);

// What the reader answers for the option, as text; "untouched" when it leaves the answer alone.
std::string readOption(OptionReader reader, ppd_file_t* ppd, const char* optionKeyword) {
    CFStringRef answer = CFSTR("untouched");
    EXPECT_EQ(0, reader(ppd, optionKeyword, &answer));
    const CFRef<CFStringRef> owned(answer);
    return text(answer);
}

// The title of the fax image quality option of the test PPD, as the user reads it.
std::string titleOf(const std::string& ppdName) {
    PPDFile ppd = openTestPPD(ppdName);
    return ppd ? readOption(GetUITitleFromPPD, ppd.get(), "NVFaxImageQuality") : "<no PPD>";
}

CFStringEncoding encodingNamed(const char* name) {
    ppd_file_t ppd{};
    ppd.lang_encoding = const_cast<char*>(name);
    CFStringEncoding encoding = kCFStringEncodingInvalidId;
    GetCFStringEncodingFromPPD(&ppd, &encoding);
    return encoding;
}

TEST(PPDEncoding, DeclaredNamesAreComparedExactlyAndUnknownOnesMeanMacRoman) {
    EXPECT_EQ(kCFStringEncodingISOLatin1, encodingNamed("ISOLatin1"));
    EXPECT_EQ(kCFStringEncodingWindowsLatin1, encodingNamed("WindowsANSI"));
    EXPECT_EQ(kCFStringEncodingMacJapanese, encodingNamed("JIS83-RKSJ"));
    EXPECT_EQ(kCFStringEncodingUTF8, encodingNamed("UTF-8"));
    EXPECT_EQ(kCFStringEncodingUTF8, encodingNamed("UTF8"));
    EXPECT_EQ(kCFStringEncodingMacRoman, encodingNamed("isolatin1"));
    EXPECT_EQ(kCFStringEncodingMacRoman, encodingNamed("utf-8"));
    EXPECT_EQ(kCFStringEncodingMacRoman, encodingNamed("Klingon"));
    EXPECT_EQ(kCFStringEncodingMacRoman, encodingNamed(nullptr));
    EXPECT_EQ(kCFStringEncodingUTF8, currentPDEEncoding) << "the plug-in's own strings";

    CFStringEncoding encoding = kCFStringEncodingInvalidId;
    GetCFStringEncodingFromPPD(nullptr, &encoding);
    EXPECT_EQ(kCFStringEncodingMacRoman, encoding);
    GetCFStringEncodingFromPPD(nullptr, nullptr); // no place for the answer: nothing happens
}

TEST(PPDEncoding, LibcupsReportsUTF8ForEveryDeclaredEncoding) {
    for (const char* name : {"ISOLatin1", "WindowsANSI", "JIS83-RKSJ", "UTF-8", "UTF8", "Unknown",
                             "LowerCaseUTF8", "LowerCaseISOLatin1"}) {
        PPDFile ppd = openTestPPD(name);
        ASSERT_TRUE(ppd) << name;
        CFStringEncoding encoding = kCFStringEncodingInvalidId;
        GetCFStringEncodingFromPPD(ppd.get(), &encoding);
        EXPECT_EQ(kCFStringEncodingUTF8, encoding) << name;
    }
}

// libcups reads a PPD without a declaration or declaring "isolatin1" in any case as ISO Latin 1,
// and one declaring an encoding it does not know (here "Klingon" and "utf8") as Mac OS Roman.
TEST(PPDTitles, TitlesOfRealPPDsReadAsTheirAuthorsWroteThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"ISOLatin1", "Qualit\u00e9 \u00fcber"},
        {"WindowsANSI", "Kosten \u20ac"},
        {"JIS83-RKSJ", "\u30d5\u30a1\u30af\u30b9\u753b\u8cea"},
        {"UTF-8", "Qualit\u00e9 \u30d5\u30a1\u30af\u30b9"},
        {"UTF8", "Qualit\u00e9 \u30d5\u30a1\u30af\u30b9"},
        {"NoDeclaration", "Qualit\u00e9 \u00fcber"},
        {"LowerCaseISOLatin1", "Qualit\u00e9 \u00fcber"},
        {"Unknown", "Qualit\u00e9 \u00fcber"},
        {"LowerCaseUTF8", "Qualit\u00e9 \u00fcber"},
    };
    for (const auto& [ppdName, title] : cases)
        EXPECT_EQ(title, titleOf(ppdName)) << ppdName;
    PPDFile undeclared = openTestPPD("NoDeclaration");
    ASSERT_TRUE(undeclared);
    // Then GetCFStringEncodingFromPPD says Mac OS Roman, yet libcups' UTF-8 text is taken.
    EXPECT_EQ(nullptr, undeclared->lang_encoding);
}

TEST(PPDTitles, TextNotTakenFromLibcupsIsConvertedFromItsDeclaredEncoding) {
    ppd_file_t latin1{};
    latin1.lang_encoding = const_cast<char*>("ISOLatin1");
    CFRef<CFStringRef> title(CreateStringFromPPDText(&latin1, "Caf\xE9"));
    EXPECT_EQ("Caf\u00e9", text(title.get()));
    ppd_file_t japanese{};
    japanese.lang_encoding = const_cast<char*>("JIS83-RKSJ");
    title.reset(CreateStringFromPPDText(&japanese, "\x83\x74\x83\x40\x83\x4E\x83\x58"));
    EXPECT_EQ("\u30d5\u30a1\u30af\u30b9", text(title.get()));
    title.reset(CreateStringFromPPDText(nullptr, "Caf\x8E")); // no PPD: Mac OS Roman
    EXPECT_EQ("Caf\u00e9", text(title.get()));
    EXPECT_EQ(nullptr, CreateStringFromPPDText(&latin1, nullptr));
}

TEST(PPDOptions, TheDefaultChoiceKeywordAndNullForUnknownOptionsAndMissingPPDs) {
    for (const char* name : {"JIS83-RKSJ", "UTF-8", "Unknown"}) {
        PPDFile other = openTestPPD(name);
        ASSERT_TRUE(other) << name;
        EXPECT_EQ("Fine", readOption(GetUIDefaultFromPPD, other.get(), "NVFaxImageQuality"))
            << name;
    }
    PPDFile ppd = openTestPPD("ISOLatin1");
    ASSERT_TRUE(ppd);
    EXPECT_EQ("Fine", readOption(GetUIDefaultFromPPD, ppd.get(), "NVFaxImageQuality"));
    for (OptionReader reader : {GetUITitleFromPPD, GetUIDefaultFromPPD}) {
        EXPECT_EQ("<null>", readOption(reader, ppd.get(), "NVFaxNoSuchOption"));
        EXPECT_EQ("<null>", readOption(reader, nullptr, "NVFaxImageQuality"));
        EXPECT_EQ("<null>", readOption(reader, ppd.get(), nullptr));
        EXPECT_EQ(0, reader(ppd.get(), "NVFaxImageQuality", nullptr));
    }
}

} // namespace
