// Handler stacks and the dispatch of an event through a target and its parents.
#include "MacErrors.h"
#include "Private/StandardHandler.h"
#include "Private/ToolboxObjects.h"

#include <algorithm>
#include <unordered_set>

namespace {

std::unordered_set<const OpaqueEventHandlerRef*>& installedHandlers() {
    static std::unordered_set<const OpaqueEventHandlerRef*> handlers;
    return handlers;
}

std::unordered_set<const OpaqueEventTargetRef*>& liveTargets() {
    static std::unordered_set<const OpaqueEventTargetRef*> targets;
    return targets;
}

OpaqueEventHandlerRef* installed(EventHandlerRef handler) {
    return handler && installedHandlers().count(handler) ? handler : nullptr;
}

// One dispatch: every handler that may see the event, from the top of the first target's
// stack to the bottom of the last parent's, then the standard handling of the first target.
struct Dispatch {
    EventRef event;
    OpaqueEventTargetRef::Owner owner;
    void* object;
    std::vector<std::shared_ptr<OpaqueEventHandlerRef>> steps;
};

} // namespace

struct OpaqueEventHandlerCallRef {
    Dispatch* dispatch;
    size_t next;
    bool continued = false; // the handler called CallNextEventHandler
};

namespace {

OSStatus runFrom(Dispatch& dispatch, size_t first) {
    const UInt32 eventClass = GetEventClass(dispatch.event);
    const UInt32 kind = GetEventKind(dispatch.event);
    for (size_t i = first; i < dispatch.steps.size(); ++i) {
        const auto& handler = dispatch.steps[i];
        if (handler->removed || !handler->handles(eventClass, kind)) continue;
        OpaqueEventHandlerCallRef call{&dispatch, i + 1};
        const OSStatus result = handler->proc(&call, dispatch.event, handler->userData);
        if (call.continued || result != eventNotHandledErr) return result;
    }
    return hitoolbox::runStandardHandling(dispatch.event, dispatch.owner, dispatch.object);
}

} // namespace

bool OpaqueEventHandlerRef::handles(UInt32 eventClass, UInt32 kind) const {
    return std::any_of(types.begin(), types.end(), [&](const EventTypeSpec& type) {
        return type.eventClass == eventClass && type.eventKind == kind;
    });
}

bool hitoolbox::isLiveTarget(const OpaqueEventTargetRef* target) {
    return target && liveTargets().count(target);
}

OpaqueEventTargetRef::OpaqueEventTargetRef(Owner owner, void* object)
    : owner(owner), object(object) {
    installedHandlers(); // made first, so that it outlives every target at exit
    liveTargets().insert(this);
}

OpaqueEventTargetRef::~OpaqueEventTargetRef() {
    liveTargets().erase(this);
    for (const auto& handler : handlers) {
        handler->removed = true;
        installedHandlers().erase(handler.get());
    }
}

EventTargetRef GetApplicationEventTarget(void) {
    static OpaqueEventTargetRef application(OpaqueEventTargetRef::Owner::Application, nullptr);
    return &application;
}

EventTargetRef GetWindowEventTarget(WindowRef window) {
    window = hitoolbox::liveWindow(window);
    return window ? &window->target : nullptr;
}

EventTargetRef GetControlEventTarget(ControlRef control) {
    control = hitoolbox::liveControl(control);
    return control ? &control->target : nullptr;
}

OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, ItemCount numTypes,
                             const EventTypeSpec* list, void* userData, EventHandlerRef* outRef) {
    if (!hitoolbox::isLiveTarget(target) || !handler || (numTypes && !list)) return paramErr;
    auto record = std::make_shared<OpaqueEventHandlerRef>();
    record->proc = handler;
    record->userData = userData;
    record->types.assign(list, list + numTypes);
    record->target = target;
    installedHandlers().insert(record.get());
    target->handlers.push_back(record);
    if (outRef) *outRef = record.get();
    return noErr;
}

OSStatus RemoveEventHandler(EventHandlerRef handler) {
    if (!installed(handler)) return paramErr;
    installedHandlers().erase(handler);
    handler->removed = true;
    auto& handlers = handler->target->handlers;
    handlers.erase(std::find_if(handlers.begin(), handlers.end(),
                                [&](const auto& record) { return record.get() == handler; }));
    return noErr;
}

OSStatus AddEventTypesToHandler(EventHandlerRef handler, ItemCount numTypes,
                                const EventTypeSpec* list) {
    if (!installed(handler) || (numTypes && !list)) return paramErr;
    handler->types.insert(handler->types.end(), list, list + numTypes);
    return noErr;
}

OSStatus RemoveEventTypesFromHandler(EventHandlerRef handler, ItemCount numTypes,
                                     const EventTypeSpec* list) {
    if (!installed(handler) || (numTypes && !list)) return paramErr;
    for (ItemCount i = 0; i < numTypes; ++i)
        std::erase_if(handler->types, [&](const EventTypeSpec& type) {
            return type.eventClass == list[i].eventClass && type.eventKind == list[i].eventKind;
        });
    return noErr;
}

OSStatus CallNextEventHandler(EventHandlerCallRef callRef, EventRef event) {
    if (!callRef || !event || event != callRef->dispatch->event) return paramErr;
    callRef->continued = true;
    return runFrom(*callRef->dispatch, callRef->next);
}

OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target) {
    if (!event || !hitoolbox::isLiveTarget(target)) return paramErr;
    Dispatch dispatch{event, target->owner, target->object, {}};
    for (OpaqueEventTargetRef* t = target; t; t = hitoolbox::parentTarget(t))
        dispatch.steps.insert(dispatch.steps.end(), t->handlers.rbegin(), t->handlers.rend());
    RetainEvent(event);
    const OSStatus result = runFrom(dispatch, 0);
    ReleaseEvent(event);
    return result;
}
