#include "UserPanePlacement.h"

OSStatus EmbedAndShowControl(ControlRef control, ControlRef parent) {
    const OSStatus status = EmbedControl(control, parent);
    if (status != noErr) return status;
    return SetControlVisibility(control, true, false);
}

OSStatus AdjustControlBoundsCenter(ControlRef control, const Rect* rectangle) {
    if (!control || !rectangle) return paramErr;
    Rect bounds;
    GetControlBounds(control, &bounds);
    const SInt16 down = rectangle->top;
    const SInt16 across =
        SInt16(((rectangle->right - rectangle->left) - (bounds.right - bounds.left)) / 2);
    bounds.top = SInt16(bounds.top + down);
    bounds.bottom = SInt16(bounds.bottom + down);
    bounds.left = SInt16(bounds.left + across);
    bounds.right = SInt16(bounds.right + across);
    SetControlBounds(control, &bounds);
    return noErr;
}
