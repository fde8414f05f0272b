// Event targets and their handler stacks.
#pragma once

#include "../CarbonEvents.h"

#include <memory>
#include <vector>

struct OpaqueEventHandlerRef {
    EventHandlerUPP proc = nullptr;
    void* userData = nullptr;
    std::vector<EventTypeSpec> types;
    OpaqueEventTargetRef* target = nullptr;
    bool removed = false; // set when removed while a dispatch may still hold it

    bool handles(UInt32 eventClass, UInt32 kind) const;
};

struct OpaqueEventTargetRef {
    enum class Owner { Application, Window, Control };

    OpaqueEventTargetRef(Owner owner, void* object);
    // Removes every handler still installed; their references become stale.
    ~OpaqueEventTargetRef();
    OpaqueEventTargetRef(const OpaqueEventTargetRef&) = delete;
    OpaqueEventTargetRef& operator=(const OpaqueEventTargetRef&) = delete;

    const Owner owner;
    void* const object; // the WindowRef or ControlRef; null for the application
    std::vector<std::shared_ptr<OpaqueEventHandlerRef>> handlers; // bottom of the stack first
};

namespace hitoolbox {

// Whether the target exists (its window or control has not been disposed).
bool isLiveTarget(const OpaqueEventTargetRef* target);
// The target an event goes on to when this one's handlers pass it: control -> window ->
// application -> none.
OpaqueEventTargetRef* parentTarget(const OpaqueEventTargetRef* target);

} // namespace hitoolbox
