// Marking one choice of a PPD option as the print system marks it, with the conflict answer
// taken from the constraint table.
#pragma once

#include "ConstraintTable.h"

#include <cups/ppd.h>

// Marks the choice of the option and answers IsPPDChoiceConflicted for them. Options and
// choices are found without regard to case. A PageSize choice "Custom.<width>x<length>" (its
// prefix in any case) sets the PPD's custom page size (ppdPageSize) and marks the choice
// "Custom". The marking is libcups' own (ppdMarkOption), so libcups' record of marked choices
// stays in step:
// - a pick-one option keeps only the new choice marked; a pick-many option keeps the others;
// - PageSize and PageRegion mark the page size record of the choice's name and unmark the
//   other option; InputSlot unmarks ManualFeed, and ManualFeed True unmarks InputSlot.
// A choice the option lacks marks nothing and gives the table's answer for it. False, marking
// nothing, without a PPD or keyword, or when the PPD lacks the option.
bool PPDMarkOption(ppd_file_t* ppd, const ConstraintTable* table, const char* optionKeyword,
                   const char* choiceKeyword);
