// Status codes of the toolbox calls, with the values the Mac gives them.
#pragma once

#include <MacTypes.h>

enum : OSStatus {
    errAECoercionFail = -1700, // a parameter cannot be given in the requested type
    errDataBrowserItemNotFound = -4971,
    errDataBrowserPropertyNotFound = -4972,
    errDataBrowserPropertyNotSupported = -4979,
    gestaltUndefSelectorErr = -5551, // Gestalt does not know the selector
    errInvalidWindowRef = -5600,     // null or disposed window
    controlPropertyNotFoundErr = -5604,
    windowNoAppModalStateErr = -5618, // no modal loop runs for the window
    eventParameterNotFoundErr = -9870,
    eventNotHandledErr = -9874, // the handler passes the event on
    kIBCarbonRuntimeCantFindNibFile = -10960,
    kIBCarbonRuntimeObjectNotOfRequestedType = -10961,
    kIBCarbonRuntimeCantFindObject = -10962,
    errDataNotSupported = -30581, // the control does not take this data tag
    errUnknownControl = -30584,   // null or disposed control, or no control with the ID
    errDataSizeMismatch = -30598, // the buffer does not have the size the tag needs
};
