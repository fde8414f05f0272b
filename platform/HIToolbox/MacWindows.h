// Windows, each a top-level Qt widget. A WindowRef is valid from its creation (CreateNewWindow,
// CreateWindowFromNib) until DisposeWindow; calls on a null or disposed window return
// errInvalidWindowRef (or do nothing, for those without a status).
//
// What happens to a window's widget reaches its event target as window events (direct object
// the window): the close box -> close; a move -> bounds changed with the origin-changed
// attribute, a resize -> bounds changed with the size-changed attribute; painting -> draw
// content; activation -> activated, deactivated. The maximise button plays the zoom box: it
// asks for the ideal size (get ideal size); when a handler answers noErr with the dimensions
// (kEventParamDimensions, h width and v height), the window takes that content size instead
// of being maximised.
#pragma once

#include "CarbonEvents.h"

extern "C" {

typedef UInt32 WindowClass;
typedef UInt64 WindowAttributes;
typedef UInt32 WindowPositionMethod;
typedef UInt16 WindowRegionCode;
typedef void* SRefCon;

enum : WindowClass {
    kAlertWindowClass = 1,
    kMovableAlertWindowClass = 2,
    kModalWindowClass = 3,
    kMovableModalWindowClass = 4,
    kFloatingWindowClass = 5,
    kDocumentWindowClass = 6,
    kSheetWindowClass = 11,
    kPlainWindowClass = 13,
};

enum : WindowAttributes {
    kWindowNoAttributes = 0,
    kWindowCloseBoxAttribute = 1u << 0,
    kWindowStandardHandlerAttribute = 1u << 25,
    kWindowInWindowMenuAttribute = 1u << 27,
};

enum : WindowPositionMethod {
    kWindowCenterOnMainScreen = 1,
    kWindowCenterOnParentWindow = 2,
    kWindowCenterOnParentWindowScreen = 3,
    kWindowCascadeOnMainScreen = 4,
    kWindowCascadeOnParentWindow = 5,
    kWindowCascadeOnParentWindowScreen = 6,
    kWindowAlertPositionOnMainScreen = 7,
    kWindowAlertPositionOnParentWindow = 8,
    kWindowAlertPositionOnParentWindowScreen = 9,
};

enum : WindowRegionCode {
    kWindowStructureRgn = 32,
    kWindowContentRgn = 33,
};

// A hidden window of the class, its content at contentBounds (global coordinates).
OSStatus CreateNewWindow(WindowClass windowClass, WindowAttributes attributes,
                         const Rect* contentBounds, WindowRef* outWindow);
// Ends the window's modal loops, removes its and its controls' event handlers and destroys the
// widget (after the current Qt event); the WindowRef and its ControlRefs become stale.
void DisposeWindow(WindowRef window);

CGrafPtr GetWindowPort(WindowRef window); // null for a stale window
void SetWindowKind(WindowRef window, SInt16 kind);
SInt16 GetWindowKind(WindowRef window);
void SetWRefCon(WindowRef window, SRefCon data);
SRefCon GetWRefCon(WindowRef window);
OSStatus GetWindowClass(WindowRef window, WindowClass* outClass);
OSStatus ChangeWindowAttributes(WindowRef window, WindowAttributes setTheseAttributes,
                                WindowAttributes clearTheseAttributes);
OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes);

void SelectWindow(WindowRef window); // brings the window to the front and activates it
void ShowWindow(WindowRef window);
void HideWindow(WindowRef window);
Boolean IsWindowVisible(WindowRef window);

OSStatus SetWindowTitleWithCFString(WindowRef window, CFStringRef title);
OSStatus CopyWindowTitleAsCFString(WindowRef window, CFStringRef* outTitle); // caller releases
// The alternate title is the window's name in menus; it is kept, not shown.
OSStatus SetWindowAlternateTitle(WindowRef window, CFStringRef title);
OSStatus CopyWindowAlternateTitle(WindowRef window, CFStringRef* outTitle);

// Moves the content's top-left corner to the global point.
void MoveWindow(WindowRef window, SInt16 hGlobal, SInt16 vGlobal, Boolean front);
void SizeWindow(WindowRef window, SInt16 width, SInt16 height, Boolean fUpdate);
// Places the window by the method; a null parent means the main screen.
OSStatus RepositionWindow(WindowRef window, WindowRef parentWindow, WindowPositionMethod method);
// The content (or structure) rectangle in global coordinates.
OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* outBounds);

// Invalidating marks the area for a repaint and the window as update-pending until it has been
// painted or the whole window validated again.
OSStatus InvalWindowRgn(WindowRef window, RgnHandle region);
OSStatus InvalWindowRect(WindowRef window, const Rect* bounds);
OSStatus ValidWindowRgn(WindowRef window, RgnHandle region);
OSStatus ValidWindowRect(WindowRef window, const Rect* bounds);
Boolean IsWindowUpdatePending(WindowRef window);

// The buttons that Return and Escape press in the window; a null control clears the role.
OSStatus SetWindowDefaultButton(WindowRef window, ControlRef control);
OSStatus SetWindowCancelButton(WindowRef window, ControlRef control);
}
