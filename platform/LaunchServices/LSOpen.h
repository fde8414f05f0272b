// Opening applications.
#pragma once

#include <CFURL.h>

CF_EXTERN_C_BEGIN

// Starts the application at the URL (an application location from LSFindApplicationForInfo)
// without arguments and without waiting for it; the started process is never left a zombie.
// outLaunchedURL, when not null, receives a copy of the URL for the caller to release.
// paramErr for a null URL, kLSApplicationNotFoundErr when the URL is no application,
// kLSNoExecutableErr when it names no executable, kLSUnknownErr when it cannot be started.
OSStatus LSOpenCFURLRef(CFURLRef inURL, CFURLRef* outLaunchedURL);

CF_EXTERN_C_END
