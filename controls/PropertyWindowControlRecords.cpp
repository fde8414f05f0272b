// The controls of the entry and group property windows (nib windows "UserProperty" and
// "GroupProperty"). The field limits are the text capacities of an address-book entry.
#include "ControlDefinitionTables.h"

const ControlID UPOKButtonCtrlID = {FOUR_CHAR_CODE("UOBC"), 101};
const ControlID UserPropertyNameStaticTextCtrlID = {FOUR_CHAR_CODE("UNST"), 201};
const ControlID UserPropertyPhoneNumberStaticTextCtrlID = {FOUR_CHAR_CODE("UPST"), 301};
const ControlID UserPropertyCompanyStaticTextCtrlID = {FOUR_CHAR_CODE("UCST"), 401};
const ControlID UserPropertyNoteStaticTextCtrlID = {FOUR_CHAR_CODE("UTST"), 501};
const ControlID UserPropertyNameTextEditCtrlID = {FOUR_CHAR_CODE("UNTE"), 202};
const ControlID UserPropertyPhoneNumberTextEditCtrlID = {FOUR_CHAR_CODE("UPTE"), 302};
const ControlID UserPropertyCompanyTextEditCtrlID = {FOUR_CHAR_CODE("UCTE"), 402};
const ControlID UserPropertyNoteTextEditCtrlID = {FOUR_CHAR_CODE("UTTE"), 502};

const TextEditIniData UserPropertyNameTextEditIniData = {"", "", 0, 32};
const TextEditIniData UserPropertyPhoneNumberTextEditIniData = {"", "", 0, 50};
const TextEditIniData UserPropertyCompanyTextEditIniData = {"", "", 0, 64};
const TextEditIniData UserPropertyNoteTextEditIniData = {"", "", 0, 254};

const ControlID GPOKButtonCtrlID = {FOUR_CHAR_CODE("GOBC"), 101};
const ControlID GroupPropertyNameStaticTextCtrlID = {FOUR_CHAR_CODE("GNST"), 201};
const ControlID GroupPropertyMemberStaticTextCtrlID = {FOUR_CHAR_CODE("GMST"), 301};
const ControlID GroupPropertyNameTextEditCtrlID = {FOUR_CHAR_CODE("GNTE"), 202};
const ControlID GroupPropertyMemberTableViewCtrlID = {FOUR_CHAR_CODE("GMTV"), 302};

const TextEditIniData GroupPropertyNameTextEditIniData = {"", "", 0, 32};

const BrowseListViewIniData GroupPropertyMemberTableViewIniData = {{0, 0, 0},
                                                                   MemberTableViewTitles};
