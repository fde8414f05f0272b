// The system's time zone, from the system's time-zone database.
#pragma once

#include "CFDate.h"

CF_EXTERN_C_BEGIN

// The zone the system is set to (TZ, else the system's setting); the caller releases it.
CFTimeZoneRef CFTimeZoneCopySystem(void);

CF_EXTERN_C_END
