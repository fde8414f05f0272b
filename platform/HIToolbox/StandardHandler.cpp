// The standard handling of events that no handler took.
#include "Private/StandardHandler.h"
#include "MacErrors.h"
#include "Private/EventSending.h"
#include "Private/ToolboxObjects.h"

namespace hitoolbox {
namespace {

UInt32 commandOf(EventRef event) {
    HICommand command{};
    if (GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                          nullptr, &command) != noErr)
        return 0;
    return command.commandID;
}

// A button with a command sends it to its window.
OSStatus handleControl(EventRef event, ControlRef control) {
    if (GetEventClass(event) != kEventClassControl || GetEventKind(event) != kEventControlHit ||
        !control->command)
        return eventNotHandledErr;
    WindowRef window = windowOfControl(control);
    if (!window) return eventNotHandledErr;
    return sendCommand(&window->target, control->command, kHICommandFromControl);
}

// The close command closes the window; a window with the standard handler is disposed of when
// it closes.
OSStatus handleWindow(EventRef event, WindowRef window) {
    if (GetEventClass(event) == kEventClassCommand && GetEventKind(event) == kEventCommandProcess &&
        commandOf(event) == kHICommandClose) {
        sendWindowEvent(window, kEventWindowClose);
        return noErr;
    }
    if (GetEventClass(event) == kEventClassWindow && GetEventKind(event) == kEventWindowClose &&
        (window->attributes & kWindowStandardHandlerAttribute)) {
        DisposeWindow(window);
        return noErr;
    }
    return eventNotHandledErr;
}

} // namespace

OSStatus runStandardHandling(EventRef event, OpaqueEventTargetRef::Owner owner, void* object) {
    switch (owner) {
    case OpaqueEventTargetRef::Owner::Control:
        if (ControlRef control = liveControl(static_cast<ControlRef>(object)))
            return handleControl(event, control);
        break;
    case OpaqueEventTargetRef::Owner::Window:
        if (WindowRef window = liveWindow(static_cast<WindowRef>(object)))
            return handleWindow(event, window);
        break;
    case OpaqueEventTargetRef::Owner::Application:
        break;
    }
    return eventNotHandledErr;
}

} // namespace hitoolbox
