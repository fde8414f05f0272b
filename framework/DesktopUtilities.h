// Free functions the windows share: help pages of the plug-in's help book, moving a control,
// finding a text among a popup's items and releasing a string through its holder; and desktop
// utilities the plug-in offers without calling them itself (administrator tests, the current
// date, a picture from a bundle resource).
#pragma once

#include <CFBundle.h>
#include <CFDate.h>
#include <CFString.h>
#include <Controls.h>
#include <QuickTimeComponents.h>

// Opens the page (at the anchor, which may be null) of the help book whose name is the
// localisation of helpBookKey in the plug-in bundle (the key itself without one). fnfErr when
// the bundle or the name cannot be had, paramErr when the name is not a string; otherwise the
// help viewer's status.
OSStatus GotoHelpPage(CFStringRef page, CFStringRef anchor, CFStringRef helpBookKey);

// Moves the control's bounds by the offsets, taken as 16-bit coordinates. errUnknownControl
// for a null or stale control.
OSStatus AdjustControlBounds(ControlRef control, SInt32 verticalOffset, SInt32 horizontalOffset);

// True when the text of one of the popup's items (1 to the control's maximum) equals the text
// exactly, case included. The text is read in the item text's smallest encoding.
bool ISPrintSupported(ControlRef popup, const char* text);

// Releases the string the holder points to, if any, and clears the holder.
void ReleaseCFString(CFStringRef* holder);

// The login name's membership of the group "admin" (CheckUserGroups).
bool IsUserAdmin();

// True when the user's primary group is the group or the group's member list names the user.
// An unknown user writes "groups: no such user." to standard error and answers false.
bool CheckUserGroups(const char* userName, const char* groupName);

// The same question asked of the directory service: is the login name a member of the group
// "admin"? Each failing step writes its message to standard error and answers false.
bool IsUserAdmin_ADSafe();

// The current date and time in the system's time zone; false for a null record.
bool GetCurrentDateAndTime(CFGregorianDate* date);

// Decodes the bundle's resource (name and type, no sub-folder) into a new picture handle scaled
// to the bounds (null or empty: the picture's own size). 1 when the bundle has no such
// resource, fnfErr when its file cannot be reached, the importer's status when the file is no
// picture it can decode; noErr with the picture made. The caller kills the picture.
OSErr GetIconFromResource(CFBundleRef bundle, CFStringRef name, CFStringRef type,
                          PicHandle* picture, const Rect* bounds);
