// Encodings of PPD text, option titles and defaults, over real PPD files read by libcups.
#include "TestPPD.h"

#include <PPDChoiceList.h>
#include <PPDEncoding.h>

#include <gtest/gtest.h>

namespace {

using OptionReader = OSStatus (*)(ppd_file_t*, const char*, CFStringRef*);

// What the reader answers for the option, as text; "untouched" when it leaves the answer alone.
std::string readOption(OptionReader reader, ppd_file_t* ppd, const char* optionKeyword) {
    CFStringRef answer = CFSTR("untouched");
    EXPECT_EQ(0, reader(ppd, optionKeyword, &answer));
    const CFRef<CFStringRef> owned(answer);
    return text(answer);
}

CFStringEncoding encodingOf(ppd_file_t* ppd) {
    CFStringEncoding encoding = kCFStringEncodingInvalidId;
    GetCFStringEncodingFromPPD(ppd, &encoding);
    return encoding;
}

// The label of the option's first choice, as the popups list it.
std::string firstChoiceLabel(ppd_file_t* ppd) {
    const ConstraintTable table;
    const CFRef<CFMutableArrayRef> items(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    GetUIListFromPPD(ppd, &table, "NVFaxImageQuality", items.get(), nullptr);
    if (CFArrayGetCount(items.get()) == 0) return "<no choices>";
    const auto first = static_cast<CFArrayRef>(CFArrayGetValueAtIndex(items.get(), 0));
    return text(static_cast<CFStringRef>(CFArrayGetValueAtIndex(first, 2)));
}

ppd_file_t declaring(const char* encodingName) {
    ppd_file_t ppd{};
    ppd.lang_encoding = const_cast<char*>(encodingName);
    return ppd;
}

TEST(PPDEncoding, DeclaredNamesAreComparedExactlyAndUnknownOnesMeanMacRoman) {
    const std::pair<const char*, CFStringEncoding> cases[] = {
        {"ISOLatin1", kCFStringEncodingISOLatin1},
        {"WindowsANSI", kCFStringEncodingWindowsLatin1},
        {"JIS83-RKSJ", kCFStringEncodingMacJapanese},
        {"UTF-8", kCFStringEncodingUTF8},
        {"UTF8", kCFStringEncodingUTF8},
        {"isolatin1", kCFStringEncodingMacRoman},
        {"utf-8", kCFStringEncodingMacRoman},
        {"Klingon", kCFStringEncodingMacRoman},
        {nullptr, kCFStringEncodingMacRoman}};
    for (const auto& [name, expected] : cases) {
        ppd_file_t ppd = declaring(name);
        EXPECT_EQ(expected, encodingOf(&ppd)) << (name ? name : "no declaration");
    }
    EXPECT_EQ(kCFStringEncodingMacRoman, encodingOf(nullptr));
    GetCFStringEncodingFromPPD(nullptr, nullptr); // no place for the answer: nothing happens
}

// libcups hands every title over as UTF-8 and declares UTF-8, having read a PPD without a
// declaration or declaring "isolatin1" in any case as ISO Latin 1, and one declaring an
// encoding it does not know ("Klingon", "utf8") as Mac OS Roman.
// libcups hands every title and label over as UTF-8 and declares UTF-8, having read a PPD
// without a declaration or declaring "isolatin1" in any case as ISO Latin 1, and one declaring an
// encoding it does not know ("Klingon", "utf8") as Mac OS Roman.
TEST(PPDEncoding, TitlesLabelsAndDefaultsOfRealPPDsReadAsTheirAuthorsWroteThem) {
    const struct {
        const char* ppd;
        const char* title;
        const char* firstChoice;
        CFStringEncoding encoding;
    } cases[] = {
        {"ISOLatin1", "Qualit\u00e9 \u00fcber", "Standardqualit\u00e4t", kCFStringEncodingUTF8},
        {"WindowsANSI", "Kosten \u20ac", "Standard", kCFStringEncodingUTF8},
        {"JIS83-RKSJ", "\u30d5\u30a1\u30af\u30b9\u753b\u8cea", "\u6a19\u6e96",
         kCFStringEncodingUTF8},
        {"UTF-8", "Qualit\u00e9 \u30d5\u30a1\u30af\u30b9", "Standard", kCFStringEncodingUTF8},
        {"UTF8", "Qualit\u00e9 \u30d5\u30a1\u30af\u30b9", "Standard", kCFStringEncodingUTF8},
        {"LowerCaseISOLatin1", "Qualit\u00e9 \u00fcber", "Standard", kCFStringEncodingUTF8},
        {"Unknown", "Qualit\u00e9 \u00fcber", "Standard", kCFStringEncodingUTF8},
        {"LowerCaseUTF8", "Qualit\u00e9 \u00fcber", "Standard", kCFStringEncodingUTF8},
        // No declaration: Mac OS Roman is assumed, yet libcups' UTF-8 text is taken.
        {"NoDeclaration", "Qualit\u00e9 \u00fcber", "Standardqualit\u00e4t",
         kCFStringEncodingMacRoman},
    };
    for (const auto& each : cases) {
        const PPDFile ppd = openTestPPD(each.ppd);
        ASSERT_TRUE(ppd) << each.ppd;
        EXPECT_EQ(each.title, readOption(GetUITitleFromPPD, ppd.get(), "NVFaxImageQuality"))
            << each.ppd;
        EXPECT_EQ(each.firstChoice, firstChoiceLabel(ppd.get())) << each.ppd;
        EXPECT_EQ("Fine", readOption(GetUIDefaultFromPPD, ppd.get(), "NVFaxImageQuality"))
            << each.ppd;
        EXPECT_EQ(each.encoding, encodingOf(ppd.get())) << each.ppd;
    }
}

TEST(PPDEncoding, TextNotTakenFromLibcupsIsConvertedFromItsDeclaredEncoding) {
    ppd_file_t latin1 = declaring("ISOLatin1");
    CFRef<CFStringRef> title(CreateStringFromPPDText(&latin1, "Caf\xE9"));
    EXPECT_EQ("Caf\u00e9", text(title.get()));
    ppd_file_t japanese = declaring("JIS83-RKSJ");
    title.reset(CreateStringFromPPDText(&japanese, "\x83\x74\x83\x40\x83\x4E\x83\x58"));
    EXPECT_EQ("\u30d5\u30a1\u30af\u30b9", text(title.get()));
    title.reset(CreateStringFromPPDText(nullptr, "Caf\x8E")); // no PPD: Mac OS Roman
    EXPECT_EQ("Caf\u00e9", text(title.get()));
    EXPECT_EQ(nullptr, CreateStringFromPPDText(&latin1, nullptr));
}

TEST(PPDEncoding, UnknownOptionsAndMissingPPDsHaveNoTitleNorDefault) {
    const PPDFile ppd = openTestPPD("ISOLatin1");
    ASSERT_TRUE(ppd);
    for (OptionReader reader : {GetUITitleFromPPD, GetUIDefaultFromPPD}) {
        EXPECT_EQ("<null>", readOption(reader, ppd.get(), "NVFaxNoSuchOption"));
        EXPECT_EQ("<null>", readOption(reader, nullptr, "NVFaxImageQuality"));
        EXPECT_EQ("<null>", readOption(reader, ppd.get(), nullptr));
        EXPECT_EQ(0, reader(ppd.get(), "NVFaxImageQuality", nullptr));
    }
}

} // namespace
