// Making and sending the events that Qt activity turns into.
#pragma once

#include "../Controls.h"

#include <QString>

namespace hitoolbox {

// A control hit (direct object the control, the part) sent to the control's target.
OSStatus sendControlHit(ControlRef control, ControlPartCode part);
// An event of the class and kind whose direct object is the control.
OSStatus sendControlEvent(ControlRef control, UInt32 eventClass, UInt32 kind);
// A window event whose direct object is the window; attributes go in kEventParamAttributes
// when not 0.
OSStatus sendWindowEvent(WindowRef window, UInt32 kind, UInt32 attributes = 0);
// Asks the window for its ideal content size (kEventWindowGetIdealSize, direct object the
// window); true with the size (h width, v height) when a handler answered with the dimensions.
bool askIdealSize(WindowRef window, Point* outSize);
// A command-process event carrying the command, sent to the target.
OSStatus sendCommand(EventTargetRef target, UInt32 commandID, UInt32 attributes);
// The Unicode-for-key text input event with the typed text.
OSStatus sendUnicodeKey(ControlRef control, const QString& text);

} // namespace hitoolbox
