// Status codes of the toolbox calls, with the values the Mac gives them. Constants rather than
// an enumeration, so that they mix with noErr in expressions.
#pragma once

#include <MacTypes.h>

// A parameter cannot be given in the requested type.
inline constexpr OSStatus errAECoercionFail = -1700;
inline constexpr OSStatus errDataBrowserItemNotFound = -4971;
inline constexpr OSStatus errDataBrowserPropertyNotFound = -4972;
inline constexpr OSStatus errDataBrowserPropertyNotSupported = -4979;
// Gestalt does not know the selector.
inline constexpr OSStatus gestaltUndefSelectorErr = -5551;
// A null or disposed window.
inline constexpr OSStatus errInvalidWindowRef = -5600;
inline constexpr OSStatus controlPropertyNotFoundErr = -5604;
// No modal loop runs for the window.
inline constexpr OSStatus windowNoAppModalStateErr = -5618;
inline constexpr OSStatus eventParameterNotFoundErr = -9870;
// The handler passes the event on.
inline constexpr OSStatus eventNotHandledErr = -9874;
inline constexpr OSStatus kIBCarbonRuntimeCantFindNibFile = -10960;
inline constexpr OSStatus kIBCarbonRuntimeObjectNotOfRequestedType = -10961;
inline constexpr OSStatus kIBCarbonRuntimeCantFindObject = -10962;
// No theme cursor of that number.
inline constexpr OSStatus themeBadCursorIndexErr = -30565;
// The control does not take this data tag.
inline constexpr OSStatus errDataNotSupported = -30581;
// A null or disposed control, or no control with the ID.
inline constexpr OSStatus errUnknownControl = -30584;
// The buffer does not have the size the tag needs.
inline constexpr OSStatus errDataSizeMismatch = -30598;
