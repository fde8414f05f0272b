// Placing a nib's user pane in the print dialog's parent user pane.
#pragma once

#include <Controls.h>

// Embeds the control in the parent and makes it visible (without drawing). The status of the
// first step that fails, else noErr.
OSStatus EmbedAndShowControl(ControlRef control, ControlRef parent);

// Moves the control's bounds down by the rectangle's top and across by half of (rectangle
// width - control width), truncated toward zero: centred in the rectangle's width measured
// from the control's own left edge (the rectangle's left is not added). Signed 16-bit
// coordinates. paramErr without control or rectangle.
OSStatus AdjustControlBoundsCenter(ControlRef control, const Rect* rectangle);
