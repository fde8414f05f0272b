// The input rules of text fields: the keystroke rule that key filters apply while the user
// types, the whole-text rule that validates a field's text before it is used, and the key
// filters of the four filtered fields.
#pragma once

#include "ControlRecords.h"

#include <CarbonEvents.h>
#include <Controls.h>

// The printable ASCII characters, 0x20 to 0x7E: what a name may hold.
inline constexpr InputFilterData kPrintableASCIIRanges = {1, {{0x20, 0x7E}}};

// Decides one keystroke typed into the field (charCode: the typed character, modifiers: the
// keys held). The first key range of the filter data holding the character decides: the key
// passes while the field holds fewer than maxLength bytes of 'text' data (the bytes already
// there, not the selection), else it is blocked with a beep. A character in no range passes
// when it is a left or right arrow, backspace or delete; any other beeps and passes only with
// exactly the command key held. The control is redrawn in every case. Characters are compared
// as full 16-bit codes, so a character above U+00FF never matches a range of 8-bit codes.
// kControlKeyFilterPassKey or kControlKeyFilterBlockKey; a missing character blocks.
ControlKeyFilterResult charEditBoxCheck(ControlRef control, const SInt16* charCode, long maxLength,
                                        const TextEditFilterData* filterData,
                                        const EventModifiers* modifiers);

// The whole-text rule: true when the NUL-terminated UTF-16 text is empty (or null) or each of
// its units lies in one of the filter data's text ranges; false for a non-empty text when the
// filter data has no text range (or is null).
bool validateInput(const UniChar* text, const TextEditFilterData* filterData);

// The key filters of the sender name, recipient name, phone number and password fields: the
// keystroke rule with the field's own filter data and, as typing limit, the maximum length in
// the field's TextEditIniData.
ControlKeyFilterResult senderNameFilter(ControlRef control, SInt16* keyCode, SInt16* charCode,
                                        EventModifiers* modifiers);
ControlKeyFilterResult userNameFilter(ControlRef control, SInt16* keyCode, SInt16* charCode,
                                      EventModifiers* modifiers);
ControlKeyFilterResult phoneNumberFilter(ControlRef control, SInt16* keyCode, SInt16* charCode,
                                         EventModifiers* modifiers);
ControlKeyFilterResult passwordFilter(ControlRef control, SInt16* keyCode, SInt16* charCode,
                                      EventModifiers* modifiers);
