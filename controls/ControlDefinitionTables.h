// The definition records of every control of the plug-in, window by window: each control's
// ControlID in its nib window and the records its wrapper is built from. The records live for
// the life of the plug-in and are shared by reference.
//
// Constant except where a record must change at run time:
// - every ControlAccessInfo: its preferences user is set by SetControlAccessPreferencesUser()
//   when the plug-in is loaded, before any control exists;
// - the four PPD list records: their default value is replaced by the PPD's default.
#pragma once

#include "ControlRecords.h"

#include <span>

// Fax pane, in construction order.
extern const ControlID imageQualityStaticTextCtrlID;
extern const ControlID transmissionReportStaticTextCtrlID;
extern const ControlID imageQualityPopupListCtrlID;
extern const ControlID transmissionReportPopupListCtrlID;
extern const ControlID coverPageGroupBoxCtrlID;
extern const ControlID coverPageStaticTextCtrlID;
extern const ControlID senderModeStaticTextCtrlID;
extern const ControlID senderNameStaticTextCtrlID;
extern const ControlID coverPagePopupListCtrlID;
extern const ControlID senderModePopupListCtrlID;
extern const ControlID senderNameTextEditCtrlID;
extern const ControlID addressBookButtonCtrlID;
extern const ControlID restoreButtonCtrlID;
extern const ControlID helpBookButtonCtrlID;

// The pane's PPD lists: 1-based default item, replaced by the PPD's default.
extern ListPopupIniData imageQualityListIniData;
extern ListPopupIniData transmissionReportListIniData;
extern ListPopupIniData coverPageListIniData;
extern ListPopupIniData senderModeListIniData;

extern const TextEditIniData senderNameTextEditIniData;
extern const TextEditFilterData senderNameTextEditFilterData;

// The sender name is typed only while the sender mode is not its first item.
extern const ControlID* const senderModeDefaultConstrain[];
extern const ConstrainList senderModeConstrainArrayInfo[3];
extern const ConstrainInfo senderModeConstrainInfo;
// Neither the sender mode nor the sender name is used while the cover page is its third item.
extern const ControlID* const coverPageNoneConstrain[];
extern const ConstrainList coverPageConstrainArrayInfo[4];
extern const ConstrainInfo coverPageConstrainInfo;

// Fax settings sheet, in construction order.
extern const ControlID startSendingButtonCtrlID;
extern const ControlID cancelSendingButtonCtrlID;
extern const ControlID helpButtonCtrlID;
extern const ControlID nameStaticTextCtrlID;
extern const ControlID userNameTextEditCtrlID;
extern const ControlID phoneNumberStaticTitleTextCtrlID;
extern const ControlID phoneNumberTextEditCtrlID;
extern const ControlID addAddressButtonCtrlID;
extern const ControlID editAddressButtonCtrlID;
extern const ControlID deleteAddressButtonCtrlID;
extern const ControlID addToAddressBookButtonCtrlID;
extern const ControlID addressFileStaticTextCtrlID;
extern const ControlID addressFilePopupListCtrlID;
extern const ControlID lookupAddressBookButtonCtrlID;
extern const ControlID lookupDeviceDataButtonCtrlID;
extern const ControlID authorizationGroupBoxCtrlID;
extern const ControlID passwordStaticTextCtrlID;
extern const ControlID passwordTextEditCtrlID;
extern const ControlID delayedSendGroupBoxCtrlID;
extern const ControlID delayedSendCheckBoxCtrlID;
extern const ControlID delayedTimeStaticTextCtrlID;
extern const ControlID delayedTimeTextEditCtrlID;
extern const ControlID recipientListStaticTextCtrlID;
extern const ControlID recipientListTableViewCtrlID;

extern const TextEditIniData userNameTextEditIniData;
extern const TextEditIniData phoneNumberTextEditIniData;
extern const TextEditIniData passwordTextEditIniData;
extern const TextEditIniData delayedTimeTextEditIniData;
extern const TextEditFilterData userNameTextEditFilterData;
extern const TextEditFilterData phoneNumberTextEditFilterData;
extern const TextEditFilterData passwordTextEditFilterData;

extern const ListPopupIniData addressFileListIniData;
extern const CheckBoxIniData delayedSendCheckBoxIniData;

// The delayed time is entered only while the delayed-send box is checked.
extern const ControlID* const delayedSendOffConstrain[];
extern const ConstrainList delayedSendConstrainArrayInfo[3];
extern const ConstrainInfo delayedSendConstrainInfo;

extern const BrowseListColumn DestinationTableViewTitles[];
extern const BrowseListViewIniData recipientListTableViewIniData;

// Address look-up window, in construction order; tab 1 holds 301 to 307, tab 2 401 to 407.
extern const ControlID OKButtonCtrlID;
extern const ControlID CancelButtonCtrlID;
extern const ControlID AddressSettingTabViewCtrlID;
extern const ControlID AddressBookSrcTableViewCtrlID;
extern const ControlID AddressBookDestTableViewCtrlID;
extern const ControlID AddressBookAddButtonCtrlID;
extern const ControlID AddressBookDeleteButtonCtrlID;
extern const ControlID AddressBookPropertyButtonCtrlID;
extern const ControlID AddressBookRecipientStaticTextCtrlID;
extern const ControlID AddressBookSearchTextEditCtrlID;
extern const ControlID DeviceDataSrcTableViewCtrlID;
extern const ControlID DeviceDataDestTableViewCtrlID;
extern const ControlID DeviceDataAddButtonCtrlID;
extern const ControlID DeviceDataDeleteButtonCtrlID;
extern const ControlID DeviceDataPropertyButtonCtrlID;
extern const ControlID DeviceDataRecipientStaticTextCtrlID;
extern const ControlID DeviceDataSearchTextEditCtrlID;
extern const ControlID HelpButtonCtrlID;

extern const CFStringRef addressTabViewTitles[];
extern const TabViewIniData addressSettingTabIniData;
extern const TextEditIniData AddressSearchTextEditIniData;
extern const BrowseListColumn AddrDestTableViewTitles[];
extern const BrowseListViewIniData addressBookSrcTableViewIniData;
extern const BrowseListViewIniData addressBookDestTableViewIniData;
extern const BrowseListViewIniData deviceDataSrcTableViewIniData;
extern const BrowseListViewIniData deviceDataDestTableViewIniData;

// Entry property window.
extern const ControlID UPOKButtonCtrlID;
extern const ControlID UserPropertyNameStaticTextCtrlID;
extern const ControlID UserPropertyPhoneNumberStaticTextCtrlID;
extern const ControlID UserPropertyCompanyStaticTextCtrlID;
extern const ControlID UserPropertyNoteStaticTextCtrlID;
extern const ControlID UserPropertyNameTextEditCtrlID;
extern const ControlID UserPropertyPhoneNumberTextEditCtrlID;
extern const ControlID UserPropertyCompanyTextEditCtrlID;
extern const ControlID UserPropertyNoteTextEditCtrlID;

extern const TextEditIniData UserPropertyNameTextEditIniData;
extern const TextEditIniData UserPropertyPhoneNumberTextEditIniData;
extern const TextEditIniData UserPropertyCompanyTextEditIniData;
extern const TextEditIniData UserPropertyNoteTextEditIniData;

// Group property window.
extern const ControlID GPOKButtonCtrlID;
extern const ControlID GroupPropertyNameStaticTextCtrlID;
extern const ControlID GroupPropertyMemberStaticTextCtrlID;
extern const ControlID GroupPropertyNameTextEditCtrlID;
extern const ControlID GroupPropertyMemberTableViewCtrlID;

extern const TextEditIniData GroupPropertyNameTextEditIniData;
extern const BrowseListColumn MemberTableViewTitles[];
extern const BrowseListViewIniData GroupPropertyMemberTableViewIniData;

// Message window: its one text control.
extern const ControlID aboutMsgWndStatictTextCtrlID;

// How each control's value is read, written and stored (ControlAccessRecords.cpp).
extern ControlAccessInfo senderNameTextEditAccessInfo;
extern ControlAccessInfo delayedTimesTextEditAccessInfo;
extern ControlAccessInfo delayedSendAccessInfo;
extern ControlAccessInfo passwordTextEditAccessInfo;
extern ControlAccessInfo phoneNumberTextEditAccessInfo;
extern ControlAccessInfo userNameTextEditAccessInfo;
extern ControlAccessInfo AddressSearchTextEditAccessInfo;
extern ControlAccessInfo UserPropertyTextEditAccessInfo;
extern ControlAccessInfo GroupPropertyTextEditAccessInfo;
extern ControlAccessInfo aboutMsgWndStatictTextAccessInfo;
extern ControlAccessInfo senderModeListAccessInfo;
extern ControlAccessInfo coverPageListAccessInfo;
extern ControlAccessInfo transmissionReportListAccessInfo;
extern ControlAccessInfo imageQualityListAccessInfo;
extern ControlAccessInfo addressFileListAccessInfo;
extern ControlAccessInfo addressSettingTabAccessInfo;

// Every ControlAccessInfo above.
std::span<ControlAccessInfo* const> ControlAccessRecords();
// Sets the preferences user of every ControlAccessInfo to kCFPreferencesCurrentUser. Called
// when the plug-in is loaded (by its factory), before any control exists; calling it again
// changes nothing.
void SetControlAccessPreferencesUser();
