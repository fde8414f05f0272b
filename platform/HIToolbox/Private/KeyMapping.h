// Qt key presses as Carbon sees them: character code, virtual key code, modifiers and text.
#pragma once

#include "../Controls.h"

#include <QString>

class QKeyEvent;

namespace hitoolbox {

struct CarbonKey {
    SInt16 keyCode = 0;
    SInt16 charCode = 0;
    EventModifiers modifiers = 0;
    QString text; // the text the key types (the character of the character code)
};

// False for a press of a modifier key alone, which Carbon does not report.
bool toCarbonKey(const QKeyEvent& event, CarbonKey& key);

} // namespace hitoolbox
