// The keystroke and whole-text rules, and the key filters of the filtered fields.
#include "TextInputFilters.h"

#include "ControlDefinitionTables.h"

#include <Dialogs.h>

#include <algorithm>

namespace {

constexpr Size kFieldTextBufferSize = 255;

// True when one of the ranges in use holds the code; only the first count ranges are in use,
// and never more than the record holds.
template <class Holds> bool anyRangeHolds(const InputFilterData& filter, Holds holds) {
    return std::any_of(filter.ranges, filter.ranges + std::min(filter.count, kInputFilterMaxRanges),
                       holds);
}

// The byte count of the field's 'text' data; a field whose text cannot be read counts as
// empty.
Size fieldTextBytes(ControlRef control) {
    char bytes[kFieldTextBufferSize];
    Size count = 0;
    if (GetControlData(control, kControlEntireControl, kControlEditTextTextTag, sizeof bytes, bytes,
                       &count) != noErr)
        return 0;
    return count;
}

bool passesWithoutRange(SInt16 charCode) {
    return charCode == kLeftArrowCharCode || charCode == kRightArrowCharCode ||
           charCode == kBackspaceCharCode || charCode == kDeleteCharCode;
}

ControlKeyFilterResult redrawAndAnswer(ControlRef control, bool beep, bool pass) {
    if (beep) SysBeep(10);
    Draw1Control(control);
    return pass ? kControlKeyFilterPassKey : kControlKeyFilterBlockKey;
}

} // namespace

ControlKeyFilterResult charEditBoxCheck(ControlRef control, const SInt16* charCode, long maxLength,
                                        const TextEditFilterData* filterData,
                                        const EventModifiers* modifiers) {
    if (!charCode) return kControlKeyFilterBlockKey;
    const UInt32 code = UInt16(*charCode);
    if (filterData && anyRangeHolds(filterData->keyRanges, [code](const InputFilterRange& range) {
            return range.low <= code && code <= range.high;
        })) {
        const bool full = fieldTextBytes(control) >= maxLength;
        return redrawAndAnswer(control, full, !full);
    }
    if (passesWithoutRange(*charCode)) return redrawAndAnswer(control, false, true);
    // A command-key shortcut still beeps, but reaches the field.
    return redrawAndAnswer(control, true, modifiers && *modifiers == cmdKey);
}

bool validateInput(const UniChar* text, const TextEditFilterData* filterData) {
    if (!text || !*text) return true;
    if (!filterData) return false;
    for (; *text; ++text) {
        const SInt32 unit = *text;
        if (!anyRangeHolds(filterData->textRanges, [unit](const InputFilterRange& range) {
                return SInt32(range.low) <= unit && unit <= SInt32(range.high);
            }))
            return false;
    }
    return true;
}

ControlKeyFilterResult senderNameFilter(ControlRef control, SInt16*, SInt16* charCode,
                                        EventModifiers* modifiers) {
    return charEditBoxCheck(control, charCode, senderNameTextEditIniData.maximumLength,
                            &senderNameTextEditFilterData, modifiers);
}

ControlKeyFilterResult userNameFilter(ControlRef control, SInt16*, SInt16* charCode,
                                      EventModifiers* modifiers) {
    return charEditBoxCheck(control, charCode, userNameTextEditIniData.maximumLength,
                            &userNameTextEditFilterData, modifiers);
}

ControlKeyFilterResult phoneNumberFilter(ControlRef control, SInt16*, SInt16* charCode,
                                         EventModifiers* modifiers) {
    return charEditBoxCheck(control, charCode, phoneNumberTextEditIniData.maximumLength,
                            &phoneNumberTextEditFilterData, modifiers);
}

ControlKeyFilterResult passwordFilter(ControlRef control, SInt16*, SInt16* charCode,
                                      EventModifiers* modifiers) {
    return charEditBoxCheck(control, charCode, passwordTextEditIniData.maximumLength,
                            &passwordTextEditFilterData, modifiers);
}
