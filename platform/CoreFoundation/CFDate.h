// Absolute time (seconds since 1 January 2001, 00:00 GMT) and its Gregorian calendar form in a
// time zone.
#pragma once

#include "CFBase.h"

CF_EXTERN_C_BEGIN

typedef double CFTimeInterval;
typedef CFTimeInterval CFAbsoluteTime;
typedef struct __CFTimeZone* CFTimeZoneRef;

// 16 bytes: the year, month 1-12, day 1-31, hour 0-23, minute 0-59 and the seconds.
typedef struct {
    SInt32 year;
    SInt8 month;
    SInt8 day;
    SInt8 hour;
    SInt8 minute;
    double second;
} CFGregorianDate;

extern const CFTimeInterval kCFAbsoluteTimeIntervalSince1970;

CFAbsoluteTime CFAbsoluteTimeGetCurrent(void);
// The date at the time in the zone; a null zone is GMT.
CFGregorianDate CFAbsoluteTimeGetGregorianDate(CFAbsoluteTime at, CFTimeZoneRef tz);

CF_EXTERN_C_END
