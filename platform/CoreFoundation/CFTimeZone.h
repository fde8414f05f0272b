// Time zones of the system's time-zone database, named as there ("Europe/Berlin").
#pragma once

#include "CFDate.h"
#include "CFString.h"

CF_EXTERN_C_BEGIN

CFTypeID CFTimeZoneGetTypeID(void);
// The zone the system is set to (TZ, else the system's setting); the caller releases it.
CFTimeZoneRef CFTimeZoneCopySystem(void);
// Null for a name the database does not know.
CFTimeZoneRef CFTimeZoneCreateWithName(CFAllocatorRef allocator, CFStringRef name,
                                       Boolean tryAbbrev);
CFStringRef CFTimeZoneGetName(CFTimeZoneRef tz); // borrowed
// The zone's offset from GMT at the time, daylight saving included.
CFTimeInterval CFTimeZoneGetSecondsFromGMT(CFTimeZoneRef tz, CFAbsoluteTime at);

CF_EXTERN_C_END
