// How a service's name becomes addresses: through the Avahi daemon, or through the tests' own
// resolver when one is installed.
#pragma once

#include "CFNetServices.h"

#include <CFRef.h>

#include <functional>
#include <memory>
#include <string>

namespace cfnet {

struct ServiceName {
    std::string name, type, domain; // UTF-8
};

// The one answer of a resolution: a new array of CFData socket addresses and a zero error
// domain, or a null array and the error that ended it.
using AnswerHandler = std::function<void(CFRef<CFArrayRef> addresses, CFStreamError error)>;

// One running resolution. Destroying it stops it: its handler is not called afterwards. The
// handler may destroy it.
class Resolution {
  public:
    virtual ~Resolution() = default;
};

class Resolver {
  public:
    virtual ~Resolver() = default;
    // Starts resolving; the handler is called at most once, later, from the calling thread's
    // event loop. Null, with *error set, when the resolution cannot start.
    virtual std::unique_ptr<Resolution> start(const ServiceName& service, AnswerHandler handler,
                                              CFStreamError& error) = 0;
};

Resolver& avahiResolver();
// The installed test resolver, else the daemon's.
Resolver& currentResolver();

} // namespace cfnet
