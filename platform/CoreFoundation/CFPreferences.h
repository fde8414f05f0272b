// Preferences of the current user, kept as XML property lists under the user's XDG
// configuration folder ($XDG_CONFIG_HOME, else ~/.config) in CFPreferences/; files are written
// atomically by CFPreferencesSynchronize. Only the current user's domains can be written.
#pragma once

#include "CFString.h"

CF_EXTERN_C_BEGIN

extern const CFStringRef kCFPreferencesAnyApplication;
extern const CFStringRef kCFPreferencesCurrentApplication;
extern const CFStringRef kCFPreferencesAnyHost;
extern const CFStringRef kCFPreferencesCurrentHost;
extern const CFStringRef kCFPreferencesAnyUser;
extern const CFStringRef kCFPreferencesCurrentUser;

// A null value removes the key. The change is written by CFPreferencesSynchronize.
void CFPreferencesSetValue(CFStringRef key, CFPropertyListRef value, CFStringRef applicationID,
                           CFStringRef userName, CFStringRef hostName);
// The value (the caller releases it), or null when absent.
CFPropertyListRef CFPreferencesCopyValue(CFStringRef key, CFStringRef applicationID,
                                         CFStringRef userName, CFStringRef hostName);
// Writes pending changes and reads what other processes wrote; false when the file cannot be
// written.
Boolean CFPreferencesSynchronize(CFStringRef applicationID, CFStringRef userName,
                                 CFStringRef hostName);

// Forgets every value kept in memory, as a new process would start (pending changes are lost).
void _CFPreferencesFlushCaches(void);

CF_EXTERN_C_END
