// Watches a window's text fields for changes made by the user. From system 10.4 a field reports
// each change (text-did-change); older systems get the field's validation procedure, which
// finds its window again through the field's 'NVRC' property, and a key handler that reacts
// once the key has reached the field, through a one-shot 0.1-second idle timer.
//
// The watcher owns the idle timers it starts: those not yet fired are removed when the watcher
// goes, so none fires into a window that is gone. A window keeps its watcher as a member.
#pragma once

#include <CarbonEvents.h>
#include <Controls.h>

#include <vector>

class TextFieldWatcher {
  public:
    // What a window gives for its fields: its change handler (newer systems), and its
    // validation procedure and key handler (older ones). The handlers get the window as user
    // data.
    struct Handlers {
        EventHandlerUPP textDidChange;
        ControlEditTextValidationUPP validation;
        EventHandlerUPP keyInput;
    };

    TextFieldWatcher() = default;
    TextFieldWatcher(const TextFieldWatcher&) = delete;
    TextFieldWatcher& operator=(const TextFieldWatcher&) = delete;
    // Removes the idle timers that have not fired.
    ~TextFieldWatcher();

    // Installs the handlers fitting the running system on the field, the window as their user
    // data. errUnknownControl without a field; else the first failing installation's status,
    // or 0.
    static OSStatus Watch(ControlRef field, SInt32 systemVersion, void* window,
                          const Handlers& handlers);
    // The window stored in the field's 'NVRC' property; null when it has none.
    static void* WindowOfField(ControlRef field);

    // A key handler's answer to a key in a watched field: starts the one-shot idle timer that
    // calls back with the window, and answers eventNotHandledErr so that the key still reaches
    // the field; the timer's installation error when it cannot start.
    OSStatus KeyTyped(EventLoopIdleTimerProcPtr callback, void* window);
    // Removes a timer that has fired and forgets it.
    void TimerFired(EventLoopTimerRef timer);

  private:
    std::vector<EventLoopTimerRef> pendingTimers_;
};
