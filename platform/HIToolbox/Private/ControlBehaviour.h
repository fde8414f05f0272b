// Kind-specific parts of a control, attached when its object is made.
#pragma once

#include "ToolboxObjects.h"

namespace hitoolbox {

// Key presses of an edit text go through the text-input event and the key filter first.
void attachKeyFiltering(ControlRef control);
// Digits typed into a clock fill its hour and minute sections.
void attachClockTyping(ControlRef control);
// A data browser gets its model, which asks the control's callbacks for every cell.
void attachDataBrowser(ControlRef control);

} // namespace hitoolbox
