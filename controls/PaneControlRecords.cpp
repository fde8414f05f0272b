// The fax pane's controls: their ControlIDs in the pane's nib window, the records of its PPD
// lists and sender name field, and the constraints between them.
#include "ControlDefinitionTables.h"

#include "TextInputFilters.h"

#include <iterator>

const ControlID imageQualityStaticTextCtrlID = {FOUR_CHAR_CODE("iqst"), 201};
const ControlID transmissionReportStaticTextCtrlID = {FOUR_CHAR_CODE("trst"), 202};
const ControlID imageQualityPopupListCtrlID = {FOUR_CHAR_CODE("iqpl"), 101};
const ControlID transmissionReportPopupListCtrlID = {FOUR_CHAR_CODE("trpl"), 102};
const ControlID coverPageGroupBoxCtrlID = {FOUR_CHAR_CODE("cpgb"), 301};
const ControlID coverPageStaticTextCtrlID = {FOUR_CHAR_CODE("cpst"), 501};
const ControlID senderModeStaticTextCtrlID = {FOUR_CHAR_CODE("smst"), 502};
const ControlID senderNameStaticTextCtrlID = {FOUR_CHAR_CODE("snst"), 503};
const ControlID coverPagePopupListCtrlID = {FOUR_CHAR_CODE("cppl"), 401};
const ControlID senderModePopupListCtrlID = {FOUR_CHAR_CODE("smpl"), 402};
const ControlID senderNameTextEditCtrlID = {FOUR_CHAR_CODE("snte"), 403};
const ControlID addressBookButtonCtrlID = {FOUR_CHAR_CODE("adbk"), 601};
const ControlID restoreButtonCtrlID = {FOUR_CHAR_CODE("rsdf"), 602};
const ControlID helpBookButtonCtrlID = {FOUR_CHAR_CODE("HPBC"), 603};

// The menus come from the PPD, and so does the default item.
ListPopupIniData imageQualityListIniData = {1, 1, 0, nullptr};
ListPopupIniData transmissionReportListIniData = {1, 1, 0, nullptr};
ListPopupIniData coverPageListIniData = {1, 1, 0, nullptr};
ListPopupIniData senderModeListIniData = {1, 1, 0, nullptr};

const TextEditIniData senderNameTextEditIniData = {"", "", 0, 30};

const TextEditFilterData senderNameTextEditFilterData = {
    kPrintableASCIIRanges, kPrintableASCIIRanges, senderNameFilter, CFSTR("Bad Sender Name"), {}};

const ControlID* const senderModeDefaultConstrain[] = {&senderNameTextEditCtrlID, nullptr};
const ConstrainList senderModeConstrainArrayInfo[3] = {senderModeDefaultConstrain, nullptr,
                                                       nullptr};
const ConstrainInfo senderModeConstrainInfo = {senderModeConstrainArrayInfo, nullptr, nullptr,
                                               nullptr, std::size(senderModeConstrainArrayInfo)};

const ControlID* const coverPageNoneConstrain[] = {&senderModePopupListCtrlID,
                                                   &senderNameTextEditCtrlID, nullptr};
const ConstrainList coverPageConstrainArrayInfo[4] = {nullptr, nullptr, coverPageNoneConstrain,
                                                      nullptr};
const ConstrainInfo coverPageConstrainInfo = {coverPageConstrainArrayInfo, nullptr, nullptr,
                                              nullptr, std::size(coverPageConstrainArrayInfo)};
