// The agree-or-cancel question: a caution alert with OK and Cancel buttons.
#pragma once

#include <CFBundle.h>

// Shows the localised title and message (each key is its own default) with the localised
// "OK Button Title" (default item) and "Cancel Button Title" buttons, modally; true only when
// the user pressed OK. False, showing nothing, when a text or the alert cannot be made.
bool ShowMessageToAgree(CFBundleRef bundle, CFStringRef titleKey, CFStringRef messageKey);
