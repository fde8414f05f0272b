// Every nib window of the plug-in's bundle with the ControlID records of the controls it must
// hold: the pane, the fax settings sheet, the address window, the two property windows and the
// message window.
#pragma once

#include <ControlDefinitionTables.h>

#include <span>

struct NibWindowControls {
    const char* nibWindowName;
    std::span<const ControlID* const> controls;
};

inline const ControlID* const kPaneControls[] = {
    &imageQualityStaticTextCtrlID, &transmissionReportStaticTextCtrlID,
    &imageQualityPopupListCtrlID,  &transmissionReportPopupListCtrlID,
    &coverPageGroupBoxCtrlID,      &coverPageStaticTextCtrlID,
    &senderModeStaticTextCtrlID,   &senderNameStaticTextCtrlID,
    &coverPagePopupListCtrlID,     &senderModePopupListCtrlID,
    &senderNameTextEditCtrlID,     &addressBookButtonCtrlID,
    &restoreButtonCtrlID,          &helpBookButtonCtrlID,
};

inline const ControlID* const kFaxSettingsControls[] = {
    &startSendingButtonCtrlID,    &cancelSendingButtonCtrlID,     &helpButtonCtrlID,
    &nameStaticTextCtrlID,        &userNameTextEditCtrlID,        &phoneNumberStaticTitleTextCtrlID,
    &phoneNumberTextEditCtrlID,   &addAddressButtonCtrlID,        &editAddressButtonCtrlID,
    &deleteAddressButtonCtrlID,   &addToAddressBookButtonCtrlID,  &addressFileStaticTextCtrlID,
    &addressFilePopupListCtrlID,  &lookupAddressBookButtonCtrlID, &lookupDeviceDataButtonCtrlID,
    &authorizationGroupBoxCtrlID, &passwordStaticTextCtrlID,      &passwordTextEditCtrlID,
    &delayedSendGroupBoxCtrlID,   &delayedSendCheckBoxCtrlID,     &delayedTimeStaticTextCtrlID,
    &delayedTimeTextEditCtrlID,   &recipientListStaticTextCtrlID, &recipientListTableViewCtrlID,
};

inline const ControlID* const kAddressBookControls[] = {
    &OKButtonCtrlID,
    &CancelButtonCtrlID,
    &AddressSettingTabViewCtrlID,
    &AddressBookSrcTableViewCtrlID,
    &AddressBookDestTableViewCtrlID,
    &AddressBookAddButtonCtrlID,
    &AddressBookDeleteButtonCtrlID,
    &AddressBookPropertyButtonCtrlID,
    &AddressBookRecipientStaticTextCtrlID,
    &AddressBookSearchTextEditCtrlID,
    &DeviceDataSrcTableViewCtrlID,
    &DeviceDataDestTableViewCtrlID,
    &DeviceDataAddButtonCtrlID,
    &DeviceDataDeleteButtonCtrlID,
    &DeviceDataPropertyButtonCtrlID,
    &DeviceDataRecipientStaticTextCtrlID,
    &DeviceDataSearchTextEditCtrlID,
    &HelpButtonCtrlID,
};

inline const ControlID* const kUserPropertyControls[] = {
    &UPOKButtonCtrlID,
    &UserPropertyNameStaticTextCtrlID,
    &UserPropertyPhoneNumberStaticTextCtrlID,
    &UserPropertyCompanyStaticTextCtrlID,
    &UserPropertyNoteStaticTextCtrlID,
    &UserPropertyNameTextEditCtrlID,
    &UserPropertyPhoneNumberTextEditCtrlID,
    &UserPropertyCompanyTextEditCtrlID,
    &UserPropertyNoteTextEditCtrlID,
};

inline const ControlID* const kGroupPropertyControls[] = {
    &GPOKButtonCtrlID,
    &GroupPropertyNameStaticTextCtrlID,
    &GroupPropertyMemberStaticTextCtrlID,
    &GroupPropertyNameTextEditCtrlID,
    &GroupPropertyMemberTableViewCtrlID,
};

inline const ControlID* const kAboutControls[] = {&aboutMsgWndStatictTextCtrlID};

inline const NibWindowControls kNibWindowControls[] = {
    {"Window", kPaneControls},
    {"FaxSettings", kFaxSettingsControls},
    {"AddressBook", kAddressBookControls},
    {"UserProperty", kUserPropertyControls},
    {"GroupProperty", kGroupPropertyControls},
    {"About", kAboutControls},
};
