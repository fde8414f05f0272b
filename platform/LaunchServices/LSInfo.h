// Finding applications: an application is known by its bundle identifier, which names its
// desktop entry <identifier>.desktop (DesktopEntries.h tells how an entry maps onto an
// application's location).
#pragma once

#include <CFString.h>
#include <CFURL.h>
#include <Files.h>

inline constexpr OSStatus kLSUnknownErr = -10810;
inline constexpr OSStatus kLSApplicationNotFoundErr = -10814;
inline constexpr OSStatus kLSNoExecutableErr = -10827;

inline constexpr OSType kLSUnknownCreator = 0;

CF_EXTERN_C_BEGIN

// The application with the bundle identifier: its location as a file reference and as a URL
// (either out pointer may be null; the caller releases the URL). Creators and names are not
// known on this platform: only the identifier finds an application. paramErr when no
// identifier is given; kLSApplicationNotFoundErr when no runnable application has it.
OSStatus LSFindApplicationForInfo(OSType inCreator, CFStringRef inBundleID, CFStringRef inName,
                                  FSRef* outAppRef, CFURLRef* outAppURL);

CF_EXTERN_C_END
