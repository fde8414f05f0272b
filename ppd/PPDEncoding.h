// Text encodings of the plug-in and of PPD files, and the option titles and defaults read from
// a PPD.
//
// libcups converts a PPD's translation strings (option and choice titles) to UTF-8 when it
// reads the file, whenever it knows the declared *LanguageEncoding (matched without regard to
// case) or the file declares none (it then assumes ISOLatin1); it reports `lang_encoding` as
// "UTF-8" for every file that declares an encoding, and null for one that declares none. Text
// of an encoding libcups does not know is kept as the file's bytes.
#pragma once

#include <CFString.h>
#include <MacTypes.h>

#include <cups/ppd.h>

// The encoding of the plug-in's own strings (definition tables, preference strings, the text
// of text fields): UTF-8.
constexpr CFStringEncoding GetCurrentPDEEncoding() {
    return kCFStringEncodingUTF8;
}
// GetCurrentPDEEncoding(), fixed before any code of the plug-in runs.
inline constexpr CFStringEncoding currentPDEEncoding = GetCurrentPDEEncoding();

// Writes the encoding named by the PPD's `lang_encoding`, compared exactly: "ISOLatin1",
// "WindowsANSI", "JIS83-RKSJ", "UTF-8" or "UTF8"; Mac OS Roman for any other name, no name or
// no PPD. For a PPD read by libcups that declares an encoding this is UTF-8.
void GetCFStringEncodingFromPPD(ppd_file_t* ppd, CFStringEncoding* encoding);

// A new string with the characters of a translation string of the PPD as its reader sees
// them: the text as UTF-8 when it is valid UTF-8 (libcups' own conversion, or a UTF-8 file),
// else converted from the PPD's encoding, Mac OS Roman standing in when that is UTF-8 too (the
// bytes of an encoding libcups did not know). Null for null text. The caller releases it.
CFStringRef CreateStringFromPPDText(ppd_file_t* ppd, const char* text);

// Always 0. *title: a new string with the option's title (CreateStringFromPPDText), or null
// when the PPD has no such option. The caller releases it.
OSStatus GetUITitleFromPPD(ppd_file_t* ppd, const char* optionKeyword, CFStringRef* title);
// Always 0. *defaultChoice: a new string with the keyword of the option's default choice, read
// as UTF-8; null when the PPD has no such option or the keyword is not UTF-8.
OSStatus GetUIDefaultFromPPD(ppd_file_t* ppd, const char* optionKeyword,
                             CFStringRef* defaultChoice);
