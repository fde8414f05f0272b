// The fax settings sheet's controls: their ControlIDs in the nib window "FaxSettings", the
// records of its fields, lists and check box, and the delayed-send constraint.
#include "ControlDefinitionTables.h"

#include "TextInputFilters.h"

#include <iterator>

const ControlID startSendingButtonCtrlID = {FOUR_CHAR_CODE("ssbc"), 101};
const ControlID cancelSendingButtonCtrlID = {FOUR_CHAR_CODE("csbc"), 102};
const ControlID helpButtonCtrlID = {FOUR_CHAR_CODE("HPBC"), 103};
const ControlID nameStaticTextCtrlID = {FOUR_CHAR_CODE("nmst"), 201};
const ControlID userNameTextEditCtrlID = {FOUR_CHAR_CODE("unte"), 202};
const ControlID phoneNumberStaticTitleTextCtrlID = {FOUR_CHAR_CODE("pnst"), 203};
const ControlID phoneNumberTextEditCtrlID = {FOUR_CHAR_CODE("pnte"), 204};
const ControlID addAddressButtonCtrlID = {FOUR_CHAR_CODE("aabc"), 301};
const ControlID editAddressButtonCtrlID = {FOUR_CHAR_CODE("eabc"), 302};
const ControlID deleteAddressButtonCtrlID = {FOUR_CHAR_CODE("dabc"), 303};
const ControlID addToAddressBookButtonCtrlID = {FOUR_CHAR_CODE("abbc"), 304};
const ControlID addressFileStaticTextCtrlID = {FOUR_CHAR_CODE("afst"), 401};
const ControlID addressFilePopupListCtrlID = {FOUR_CHAR_CODE("AFPL"), 402};
const ControlID lookupAddressBookButtonCtrlID = {FOUR_CHAR_CODE("labc"), 403};
const ControlID lookupDeviceDataButtonCtrlID = {FOUR_CHAR_CODE("ldbc"), 404};
const ControlID authorizationGroupBoxCtrlID = {FOUR_CHAR_CODE("atgb"), 501};
const ControlID passwordStaticTextCtrlID = {FOUR_CHAR_CODE("pwst"), 502};
const ControlID passwordTextEditCtrlID = {FOUR_CHAR_CODE("pwte"), 503};
const ControlID delayedSendGroupBoxCtrlID = {FOUR_CHAR_CODE("dsgb"), 601};
const ControlID delayedSendCheckBoxCtrlID = {FOUR_CHAR_CODE("dscb"), 602};
const ControlID delayedTimeStaticTextCtrlID = {FOUR_CHAR_CODE("dtst"), 603};
const ControlID delayedTimeTextEditCtrlID = {FOUR_CHAR_CODE("DTTE"), 604};
const ControlID recipientListStaticTextCtrlID = {FOUR_CHAR_CODE("RLST"), 701};
const ControlID recipientListTableViewCtrlID = {FOUR_CHAR_CODE("RLTV"), 702};

const TextEditIniData userNameTextEditIniData = {"", "", 0, 32};
const TextEditIniData phoneNumberTextEditIniData = {"", "", 0, 50};
const TextEditIniData passwordTextEditIniData = {"", "", 0, 4};
const TextEditIniData delayedTimeTextEditIniData = {"", "", 0, 5};

const TextEditFilterData userNameTextEditFilterData = {
    kPrintableASCIIRanges, kPrintableASCIIRanges, userNameFilter, CFSTR("Bad User Name"), {}};

// Digits and the dialling characters # * : = -
constexpr InputFilterData kPhoneNumberRanges = {
    6, {{0x30, 0x39}, {0x23, 0x23}, {0x2A, 0x2A}, {0x3A, 0x3A}, {0x3D, 0x3D}, {0x2D, 0x2D}}};
const TextEditFilterData phoneNumberTextEditFilterData = {
    kPhoneNumberRanges, kPhoneNumberRanges, phoneNumberFilter, CFSTR("Bad Phone Number"), {}};

constexpr InputFilterData kDigitRanges = {1, {{0x30, 0x39}}};
const TextEditFilterData passwordTextEditFilterData = {
    kDigitRanges, kDigitRanges, passwordFilter, CFSTR("Bad Password"), {}};

// The menu of address-book files is built when the sheet is set up.
const ListPopupIniData addressFileListIniData = {0, 0, 0, nullptr};

// Unchecked by default; no previous value.
const CheckBoxIniData delayedSendCheckBoxIniData = {0, 0, -1, CFSTR("Delayed Check Title")};

const ControlID* const delayedSendOffConstrain[] = {&delayedTimeTextEditCtrlID, nullptr};
const ConstrainList delayedSendConstrainArrayInfo[3] = {delayedSendOffConstrain, nullptr, nullptr};
const ConstrainInfo delayedSendConstrainInfo = {delayedSendConstrainArrayInfo, nullptr, nullptr,
                                                nullptr, std::size(delayedSendConstrainArrayInfo)};

const BrowseListViewIniData recipientListTableViewIniData = {{0, 0, 0}, DestinationTableViewTitles};
