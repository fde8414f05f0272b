// Builders that fill the constraint table from the PPD's constraints (`consts` of the
// ppd_file_t), one builder per constraint form, named after the fields the constraint gives
// (O1 option 1, C1 choice 1, O2 option 2, C2 choice 2). A caller takes each constraint in turn
// and picks the builder by which choice fields are empty.
//
// Options and choices are located without regard to case, walking the top-level groups in
// order and each group's options in order (subgroups are not searched). A key spelled from the
// constraint's own text keeps that spelling; a key spelled from the PPD keeps the PPD's. An
// eligible choice is any but the option's first whose keyword is not "None", "Off" or "False"
// (in any case). Every builder does nothing without a PPD or table or for an index outside the
// PPD's constraints.
#pragma once

#include "ConstraintTable.h"

#include <MacTypes.h>

#include <cups/ppd.h>

// Option 1 choice 1 forbids option 2 choice 2: one entry "<option 2>:<choice 2>" (constraint
// text) -> the position of choice 1 in the first option 1 that has it. None: nothing added.
void xConst2Hash_O1C1O2C2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex);

// Option 1 choice 1 forbids option 2: for each eligible choice of the first option 2, an entry
// "<option 2>:<choice>" (PPD spelling) -> the position of choice 1 as above.
void xConst2Hash_O1C1O2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex);

// Option 1 forbids option 2 choice 2: for each eligible choice of the first option 1, an entry
// "<option 2>:<choice 2>" (constraint text) -> that choice's position.
void xConst2Hash_O1O2C2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex);

// Option 1 forbids option 2: for every option 1 and each of its eligible choices, and every
// option 2 and each of its eligible choices j, an entry "<option 2>:<j>" (PPD spelling) -> the
// option 1 choice's position; m and n eligible choices give m * n entries.
void xConst2Hash_O1O2(ppd_file_t* ppd, ConstraintTable* table, SInt32 constraintIndex);
