// Making and sending the events that Qt activity turns into.
#include "Private/EventSending.h"
#include "MacErrors.h"
#include "Private/ToolboxObjects.h"

namespace hitoolbox {
namespace {

// Makes the event, lets fill() add its parameters, sends it, lets read() take the parameters
// that the handlers left, and releases it.
template <class Fill, class Read = void (*)(EventRef)>
OSStatus send(
    EventTargetRef target, UInt32 eventClass, UInt32 kind, Fill fill, Read read = [](EventRef) {}) {
    EventRef event = nullptr;
    if (OSStatus status = CreateEvent(nullptr, eventClass, kind, 0, kEventAttributeNone, &event))
        return status;
    fill(event);
    const OSStatus result = SendEventToEventTarget(event, target);
    read(event);
    ReleaseEvent(event);
    return result;
}

void setWindow(EventRef event, WindowRef window) {
    SetEventParameter(event, kEventParamDirectObject, typeWindowRef, sizeof window, &window);
}

} // namespace

OSStatus sendControlEvent(ControlRef control, UInt32 eventClass, UInt32 kind) {
    return send(&control->target, eventClass, kind, [&](EventRef event) {
        SetEventParameter(event, kEventParamDirectObject, typeControlRef, sizeof control, &control);
    });
}

OSStatus sendControlHit(ControlRef control, ControlPartCode part) {
    return send(&control->target, kEventClassControl, kEventControlHit, [&](EventRef event) {
        SetEventParameter(event, kEventParamDirectObject, typeControlRef, sizeof control, &control);
        SetEventParameter(event, kEventParamControlPart, typeControlPartCode, sizeof part, &part);
    });
}

OSStatus sendWindowEvent(WindowRef window, UInt32 kind, UInt32 attributes) {
    return send(&window->target, kEventClassWindow, kind, [&](EventRef event) {
        setWindow(event, window);
        if (attributes)
            SetEventParameter(event, kEventParamAttributes, typeUInt32, sizeof attributes,
                              &attributes);
    });
}

bool askIdealSize(WindowRef window, Point* outSize) {
    OSStatus answer = eventParameterNotFoundErr;
    const OSStatus result = send(
        &window->target, kEventClassWindow, kEventWindowGetIdealSize,
        [&](EventRef event) { setWindow(event, window); },
        [&](EventRef event) {
            answer = GetEventParameter(event, kEventParamDimensions, typeQDPoint, nullptr,
                                       sizeof *outSize, nullptr, outSize);
        });
    return result == noErr && answer == noErr;
}

OSStatus sendCommand(EventTargetRef target, UInt32 commandID, UInt32 attributes) {
    return send(target, kEventClassCommand, kEventCommandProcess, [&](EventRef event) {
        HICommand command{attributes, commandID, {nullptr, 0}};
        SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof command, &command);
    });
}

OSStatus sendUnicodeKey(ControlRef control, const QString& text) {
    return send(&control->target, kEventClassTextInput, kEventTextInputUnicodeForKeyEvent,
                [&](EventRef event) {
                    SetEventParameter(event, kEventParamTextInputSendText, typeUnicodeText,
                                      ByteCount(text.size()) * sizeof(UniChar), text.utf16());
                });
}

} // namespace hitoolbox
