// The localised titles of the control wrappers: a title key looked up in a bundle's default
// strings table, the key itself being the text when the table has no entry for it.
#pragma once

#include <CFBundle.h>
#include <CFRef.h>

// The text of the key in the bundle; null without a bundle or a key.
CFRef<CFStringRef> CopyLocalizedTitle(CFBundleRef bundle, CFStringRef key);
