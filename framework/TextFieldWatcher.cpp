// The text fields' change watchers and the key idle timers they start.
#include "TextFieldWatcher.h"

#include <MacErrors.h>

#include <algorithm>

namespace {

// The first system version whose text fields report their changes.
constexpr SInt32 kTextDidChangeSystemVersion = 0x1040;
// The control property that leads a field's validation procedure to its window.
constexpr OSType kWindowPropertyCreator = FOUR_CHAR_CODE("????");
constexpr OSType kWindowPropertyTag = FOUR_CHAR_CODE("NVRC");
// A key is acted on once the user has paused this long.
constexpr EventTimerInterval kKeyIdleDelay = 0.1;

} // namespace

TextFieldWatcher::~TextFieldWatcher() {
    for (EventLoopTimerRef timer : pendingTimers_)
        RemoveEventLoopTimer(timer);
}

OSStatus TextFieldWatcher::Watch(ControlRef field, SInt32 systemVersion, void* window,
                                 const Handlers& handlers) {
    if (!field) return errUnknownControl;
    if (systemVersion >= kTextDidChangeSystemVersion) {
        static const EventTypeSpec textDidChange = {kEventClassTextField, kEventTextDidChange};
        return InstallControlEventHandler(field, handlers.textDidChange, 1, &textDidChange, window,
                                          nullptr);
    }
    // The whole pointer, so that the validation procedure finds the window again.
    if (const OSStatus status = SetControlProperty(field, kWindowPropertyCreator,
                                                   kWindowPropertyTag, sizeof window, &window))
        return status;
    if (const OSErr error =
            SetControlData(field, kControlEntireControl, kControlEditTextValidationProcTag,
                           sizeof handlers.validation, &handlers.validation))
        return error;
    static const EventTypeSpec unicodeKey = {kEventClassTextInput,
                                             kEventTextInputUnicodeForKeyEvent};
    return InstallControlEventHandler(field, handlers.keyInput, 1, &unicodeKey, window, nullptr);
}

void* TextFieldWatcher::WindowOfField(ControlRef field) {
    void* window = nullptr;
    if (GetControlProperty(field, kWindowPropertyCreator, kWindowPropertyTag, sizeof window,
                           nullptr, &window) != noErr)
        return nullptr;
    return window;
}

OSStatus TextFieldWatcher::KeyTyped(EventLoopIdleTimerProcPtr callback, void* window) {
    EventLoopTimerRef timer = nullptr;
    if (const OSStatus status = InstallEventLoopIdleTimer(GetMainEventLoop(), kKeyIdleDelay, 0,
                                                          callback, window, &timer))
        return status;
    pendingTimers_.push_back(timer);
    return eventNotHandledErr;
}

void TextFieldWatcher::TimerFired(EventLoopTimerRef timer) {
    RemoveEventLoopTimer(timer);
    std::erase(pendingTimers_, timer);
}
