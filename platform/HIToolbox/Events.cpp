// Event records and their typed parameters.
#include "CarbonEvents.h"
#include "MacErrors.h"

#include <QByteArray>
#include <QDateTime>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>

struct OpaqueEventRef {
    UInt32 eventClass = 0;
    UInt32 kind = 0;
    EventTime when = 0;
    std::atomic<int> references{1};
    std::map<EventParamName, std::pair<EventParamType, QByteArray>> parameters;
};

OSStatus CreateEvent(CFAllocatorRef, UInt32 eventClass, UInt32 kind, EventTime when,
                     EventAttributes, EventRef* outEvent) {
    if (!outEvent) return paramErr;
    auto* event = new OpaqueEventRef;
    event->eventClass = eventClass;
    event->kind = kind;
    event->when = when ? when : GetCurrentEventTime();
    *outEvent = event; // with its one reference
    return noErr;
}

EventRef RetainEvent(EventRef event) {
    if (event) ++event->references;
    return event;
}

void ReleaseEvent(EventRef event) {
    if (event && --event->references == 0) delete event;
}

UInt32 GetEventClass(EventRef event) {
    return event ? event->eventClass : 0;
}

UInt32 GetEventKind(EventRef event) {
    return event ? event->kind : 0;
}

EventTime GetCurrentEventTime(void) {
    return double(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

OSStatus SetEventParameter(EventRef event, EventParamName name, EventParamType type, ByteCount size,
                           const void* data) {
    if (!event || (size && !data) || size > ByteCount(INT32_MAX)) return paramErr;
    event->parameters[name] = {type, QByteArray(static_cast<const char*>(data), qsizetype(size))};
    return noErr;
}

OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                           EventParamType* outActualType, ByteCount bufferSize,
                           ByteCount* outActualSize, void* outData) {
    if (!event) return paramErr;
    auto found = event->parameters.find(name);
    if (found == event->parameters.end()) return eventParameterNotFoundErr;
    const auto& [type, bytes] = found->second;
    if (desiredType != typeWildCard && desiredType != type) return errAECoercionFail;
    if (outActualType) *outActualType = type;
    if (outActualSize) *outActualSize = ByteCount(bytes.size());
    if (outData)
        std::memcpy(outData, bytes.constData(), std::min(bufferSize, ByteCount(bytes.size())));
    return noErr;
}
