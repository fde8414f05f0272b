// The choices of one PPD option as PPD choice items (option keyword, choice keyword, label,
// conflict flag), and the conflict test of one choice against the constraint table.
#pragma once

#include "ConstraintTable.h"

#include <CFArray.h>
#include <MacTypes.h>

#include <cups/ppd.h>

// The conflict flags of a PPD choice item (its element 3).
inline constexpr char kConflictTrue[] = "ConflictTrue";
inline constexpr char kConflictFalse[] = "ConflictFalse";

// True when an entry of the table under the key "<optionKeyword>:<choiceKeyword>" (compared
// exactly) names a choice of the PPD that is marked. Entries naming a group, option or choice
// the PPD does not have count as not marked. False without a PPD, table or keyword.
bool IsPPDChoiceConflicted(ppd_file_t* ppd, const ConstraintTable* table, const char* optionKeyword,
                           const char* choiceKeyword);

// Always 0. Appends to items one PPD choice item per choice of the option (found as
// ppdFindOption finds it), in the PPD's order, and adds 1 to *count per item appended (count
// may be null). Element 0 is the option keyword as the PPD spells it; element 2 the choice's
// label as a reader sees it (CreateStringFromPPDText), the choice keyword when the label cannot
// be read; element 3 kConflictTrue when IsPPDChoiceConflicted for optionKeyword and the choice
// keyword, else kConflictFalse. A choice whose keyword is not UTF-8 is skipped; nothing is
// appended once *count would pass 32767. No items, no PPD or no such option: nothing appended.
OSStatus GetUIListFromPPD(ppd_file_t* ppd, const ConstraintTable* table, const char* optionKeyword,
                          CFMutableArrayRef items, SInt16* count);

// Always 1. Appends the option's choice items to items (GetUIListFromPPD) when the PPD has the
// option.
int InitializeValueFromPPD(ppd_file_t* ppd, const ConstraintTable* table, CFMutableArrayRef items,
                           const char* optionKeyword);
