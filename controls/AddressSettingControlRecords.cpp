// The address look-up window's controls: their ControlIDs in the nib window "AddressBook", its
// two-tab view, its search fields and its four lists.
#include "ControlDefinitionTables.h"

const ControlID OKButtonCtrlID = {FOUR_CHAR_CODE("OKBC"), 101};
const ControlID CancelButtonCtrlID = {FOUR_CHAR_CODE("CLBC"), 102};
const ControlID AddressSettingTabViewCtrlID = {FOUR_CHAR_CODE("ASBV"), 201};
const ControlID AddressBookSrcTableViewCtrlID = {FOUR_CHAR_CODE("ASTV"), 301};
const ControlID AddressBookDestTableViewCtrlID = {FOUR_CHAR_CODE("ADTV"), 302};
const ControlID AddressBookAddButtonCtrlID = {FOUR_CHAR_CODE("AABC"), 303};
const ControlID AddressBookDeleteButtonCtrlID = {FOUR_CHAR_CODE("ADBC"), 304};
const ControlID AddressBookPropertyButtonCtrlID = {FOUR_CHAR_CODE("APBC"), 305};
const ControlID AddressBookRecipientStaticTextCtrlID = {FOUR_CHAR_CODE("ARST"), 306};
const ControlID AddressBookSearchTextEditCtrlID = {FOUR_CHAR_CODE("ASTE"), 307};
const ControlID DeviceDataSrcTableViewCtrlID = {FOUR_CHAR_CODE("DSTV"), 401};
const ControlID DeviceDataDestTableViewCtrlID = {FOUR_CHAR_CODE("DDTV"), 402};
const ControlID DeviceDataAddButtonCtrlID = {FOUR_CHAR_CODE("DABC"), 403};
const ControlID DeviceDataDeleteButtonCtrlID = {FOUR_CHAR_CODE("DDBC"), 404};
const ControlID DeviceDataPropertyButtonCtrlID = {FOUR_CHAR_CODE("DPBC"), 405};
const ControlID DeviceDataRecipientStaticTextCtrlID = {FOUR_CHAR_CODE("DRST"), 406};
const ControlID DeviceDataSearchTextEditCtrlID = {FOUR_CHAR_CODE("DSTE"), 407};
const ControlID HelpButtonCtrlID = {FOUR_CHAR_CODE("HPBC"), 103};

const CFStringRef addressTabViewTitles[] = {CFSTR("Address Book Title"), CFSTR("Device Data Title"),
                                            nullptr};
// Opens on the address-book tab.
const TabViewIniData addressSettingTabIniData = {0, 1, 0, addressTabViewTitles};

const TextEditIniData AddressSearchTextEditIniData = {"", "", 0, 20};

const BrowseListViewIniData addressBookSrcTableViewIniData = {{0, 0, 0}, AddrDestTableViewTitles};
const BrowseListViewIniData addressBookDestTableViewIniData = {{0, 0, 0}, AddrDestTableViewTitles};
const BrowseListViewIniData deviceDataSrcTableViewIniData = {{0, 0, 0}, AddrDestTableViewTitles};
const BrowseListViewIniData deviceDataDestTableViewIniData = {{0, 0, 0}, AddrDestTableViewTitles};
