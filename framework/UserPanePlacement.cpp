#include "UserPanePlacement.h"

#include "DesktopUtilities.h"

OSStatus EmbedAndShowControl(ControlRef control, ControlRef parent) {
    const OSStatus status = EmbedControl(control, parent);
    if (status != noErr) return status;
    return SetControlVisibility(control, true, false);
}

OSStatus AdjustControlBoundsCenter(ControlRef control, const Rect* rectangle) {
    if (!control || !rectangle) return paramErr;
    Rect bounds;
    GetControlBounds(control, &bounds);
    const SInt16 across =
        SInt16(((rectangle->right - rectangle->left) - (bounds.right - bounds.left)) / 2);
    return AdjustControlBounds(control, rectangle->top, across);
}
