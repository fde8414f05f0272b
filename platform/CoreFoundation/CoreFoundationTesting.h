// Hooks for tests: how they steer CoreFoundation. Production code does not use them.
#pragma once

#include "CFString.h"

CF_EXTERN_C_BEGIN

// Makes CFStringIsEncodingAvailable answer false for the encoding (or normal again), so that
// callers' paths for platforms without it can be tested. Conversions are not affected.
void _CFStringSetEncodingUnavailableForTesting(CFStringEncoding encoding, Boolean unavailable);

CF_EXTERN_C_END
