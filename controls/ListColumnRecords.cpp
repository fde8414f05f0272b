// The column tables of the list views: every list shows a recipient's name and fax number.
#include "ControlDefinitionTables.h"

// clang-format off
#define NAME_AND_PHONE_NUMBER_COLUMNS                        \
    {{FOUR_CHAR_CODE("NAME"), CFSTR("Name Title")},          \
     {FOUR_CHAR_CODE("PHNM"), CFSTR("Phone Number Title")},  \
     {kBrowseListColumnsEnd, nullptr}}
// clang-format on

const BrowseListColumn DestinationTableViewTitles[] = NAME_AND_PHONE_NUMBER_COLUMNS;
const BrowseListColumn AddrDestTableViewTitles[] = NAME_AND_PHONE_NUMBER_COLUMNS;
const BrowseListColumn MemberTableViewTitles[] = NAME_AND_PHONE_NUMBER_COLUMNS;
