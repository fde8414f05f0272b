// Nibs: a nib is a folder "<name>" (or "<name>.nib") among a bundle's resources holding one
// Qt Designer file per window, "<window name>.ui", loaded with QUiLoader. A top-level QDialog
// makes a movable modal window, another widget a document window; the form's dynamic property
// "windowClass" (an integer) overrides that. A push button marked "default" in the form is the
// window's default button.
#pragma once

#include "MacWindows.h"

#include <CFBundle.h>

extern "C" {

typedef struct OpaqueIBNibRef* IBNibRef;

// kIBCarbonRuntimeCantFindNibFile, with a message on standard error, when the bundle has no
// such nib; paramErr for a null bundle or name.
OSStatus CreateNibReferenceWithCFBundle(CFBundleRef bundle, CFStringRef nibName,
                                        IBNibRef* outNibRef);
// A hidden window from "<name>.ui": kIBCarbonRuntimeCantFindObject when the file is missing,
// kIBCarbonRuntimeObjectNotOfRequestedType when it cannot be loaded (each with a message on
// standard error). The window outlives the nib reference.
OSStatus CreateWindowFromNib(IBNibRef nibRef, CFStringRef windowName, WindowRef* outWindow);
void DisposeNibReference(IBNibRef nibRef); // null is ignored
}
