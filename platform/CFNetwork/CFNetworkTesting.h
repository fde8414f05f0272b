// Hooks for tests: a resolver of the test's own in place of the Avahi daemon, and the switch
// that makes CFNetServiceResolveWithTimeout absent. Production code does not use them.
#pragma once

#include "CFNetServices.h"

#include <string>

// From now on every resolution is answered by the test resolver instead of the daemon: after
// `delay` seconds with a copy of `addresses` (CFData socket addresses; an empty array answers
// kCFNetServicesErrorNotFound), or never when the delay is negative. Nothing goes on the network.
void CFNetServiceSetTestResolver(CFArrayRef addresses, CFTimeInterval delay);
// From now on every resolution fails to start with `error`, as where no daemon runs.
void CFNetServiceSetRefusingTestResolver(CFStreamError error);
void CFNetServiceRemoveTestResolver(void); // back to the daemon

// What the last resolution that the test resolver was asked for named ("" before any).
struct CFNetServiceTestRequest {
    std::string name, type, domain;
};
CFNetServiceTestRequest CFNetServiceGetLastTestRequest(void);
// Resolutions of the test resolver that are running: started, not answered and not stopped.
CFIndex CFNetServiceGetTestResolutionCount(void);

// False makes CFNetServiceResolveWithTimeout null, as on a platform without it; true restores it.
void CFNetServiceSetResolveWithTimeoutPresent(Boolean present);
