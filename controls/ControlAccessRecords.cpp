// How each control's value is read, written and stored: the control-data tags of the text
// fields, and the ticket and preference keys of the values that a fax job carries.
#include "ControlDefinitionTables.h"

#include <CFPreferences.h>

namespace {

constexpr OSType kCFStringTag = FOUR_CHAR_CODE("cfst");
// A text field whose value stays within the plug-in.
constexpr ControlAccessInfo kUnstoredText = {kCFStringTag, kCFStringTag, nullptr, nullptr, nullptr};
// A list or tab view: no text, no ticket key, no preference key.
constexpr ControlAccessInfo kUnstoredChoice = {0, 0, nullptr, nullptr, nullptr};

} // namespace

// The preferences user of each record is null until SetControlAccessPreferencesUser().
ControlAccessInfo senderNameTextEditAccessInfo = {
    kCFStringTag, kCFStringTag, nullptr,
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderName"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxCoverSenderNameReference")};
ControlAccessInfo delayedTimesTextEditAccessInfo = {
    kCFStringTag, kCFStringTag, nullptr,
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxDelayedTime"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxDelayedTimeReference")};
ControlAccessInfo delayedSendAccessInfo = {
    0, 0, nullptr, CFSTR("com.norvale.m.corvexa.printsettings.SFaxDelayedPrint"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxDelayedPrintReference")};
ControlAccessInfo passwordTextEditAccessInfo = {
    kCFStringTag, kCFStringTag, nullptr, CFSTR("com.norvale.m.corvexa.printsettings.SFaxPassword"),
    CFSTR("com.norvale.m.corvexa.printsettings.SFaxPasswordReference")};

ControlAccessInfo phoneNumberTextEditAccessInfo = kUnstoredText;
ControlAccessInfo userNameTextEditAccessInfo = kUnstoredText;
ControlAccessInfo AddressSearchTextEditAccessInfo = kUnstoredText;
ControlAccessInfo UserPropertyTextEditAccessInfo = kUnstoredText;
ControlAccessInfo GroupPropertyTextEditAccessInfo = kUnstoredText;
// The message window's text is written and read as 'text' data.
ControlAccessInfo aboutMsgWndStatictTextAccessInfo = {
    FOUR_CHAR_CODE("text"), FOUR_CHAR_CODE("text"), nullptr, nullptr, nullptr};

// The PPD lists reach the ticket through its PPD dictionary only.
ControlAccessInfo senderModeListAccessInfo = kUnstoredChoice;
ControlAccessInfo coverPageListAccessInfo = kUnstoredChoice;
ControlAccessInfo transmissionReportListAccessInfo = kUnstoredChoice;
ControlAccessInfo imageQualityListAccessInfo = kUnstoredChoice;
ControlAccessInfo addressFileListAccessInfo = kUnstoredChoice;
ControlAccessInfo addressSettingTabAccessInfo = kUnstoredChoice;

std::span<ControlAccessInfo* const> ControlAccessRecords() {
    static ControlAccessInfo* const records[] = {
        &senderNameTextEditAccessInfo,
        &delayedTimesTextEditAccessInfo,
        &delayedSendAccessInfo,
        &passwordTextEditAccessInfo,
        &phoneNumberTextEditAccessInfo,
        &userNameTextEditAccessInfo,
        &AddressSearchTextEditAccessInfo,
        &UserPropertyTextEditAccessInfo,
        &GroupPropertyTextEditAccessInfo,
        &aboutMsgWndStatictTextAccessInfo,
        &senderModeListAccessInfo,
        &coverPageListAccessInfo,
        &transmissionReportListAccessInfo,
        &imageQualityListAccessInfo,
        &addressFileListAccessInfo,
        &addressSettingTabAccessInfo,
    };
    return records;
}

void SetControlAccessPreferencesUser() {
    for (ControlAccessInfo* record : ControlAccessRecords())
        record->preferencesUser = kCFPreferencesCurrentUser;
}
