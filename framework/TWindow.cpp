// The window wrapper: making the window, its one event handler and the dispatch of window and
// command events to the wrapper's operations.
#include "TWindow.h"

#include <IBCarbonRuntime.h>
#include <MacErrors.h>
#include <Menus.h>

const EventTypeSpec TWindow::kEvents[8] = {
    {kEventClassWindow, kEventWindowClose},         {kEventClassWindow, kEventWindowActivated},
    {kEventClassWindow, kEventWindowDeactivated},   {kEventClassWindow, kEventWindowDrawContent},
    {kEventClassWindow, kEventWindowBoundsChanged}, {kEventClassWindow, kEventWindowGetIdealSize},
    {kEventClassCommand, kEventCommandProcess},     {kEventClassCommand, kEventCommandUpdateStatus},
};

TWindow::TWindow() = default;

TWindow::TWindow(WindowRef window) {
    InitWithPlatformWindow(window);
}

TWindow::TWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle) {
    IBNibRef nib = nullptr;
    WindowRef window = nullptr;
    if (CreateNibReferenceWithCFBundle(bundle, nibName, &nib) != noErr) return;
    const OSStatus status = CreateWindowFromNib(nib, windowName, &window);
    DisposeNibReference(nib);
    if (status == noErr) InitWithPlatformWindow(window);
}

TWindow::TWindow(WindowClass windowClass, WindowAttributes attributes, const Rect& bounds) {
    WindowRef window = nullptr;
    if (CreateNewWindow(windowClass, attributes, &bounds, &window) == noErr)
        InitWithPlatformWindow(window);
}

TWindow::~TWindow() {
    if (window_) DisposeWindow(window_);
}

void TWindow::InitWithPlatformWindow(WindowRef window) {
    window_ = window;
    port_ = GetWindowPort(window);
    SetWindowKind(window, kWindowKind);
    SetWRefCon(window, this);
    ChangeWindowAttributes(window, kWindowStandardHandlerAttribute, kWindowNoAttributes);
    if (InstallWindowEventHandler(window, GetEventHandlerProc(), 8, kEvents, this, &handler_) !=
        noErr)
        handler_ = nullptr;
    WindowClass windowClass = 0;
    if (GetWindowClass(window, &windowClass) == noErr && windowClass == kDocumentWindowClass)
        ChangeWindowAttributes(window, kWindowInWindowMenuAttribute, kWindowNoAttributes);
}

EventHandlerUPP TWindow::GetEventHandlerProc() {
    static const EventHandlerUPP proc = NewEventHandlerUPP(EventHandlerProc);
    return proc;
}

OSStatus TWindow::EventHandlerProc(EventHandlerCallRef callRef, EventRef event, void* wrapper) {
    return static_cast<TWindow*>(wrapper)->HandleEvent(callRef, event);
}

// Nothing may touch the wrapper after Close or HandleCommand: either may have deleted it.
OSStatus TWindow::HandleEvent(EventHandlerCallRef callRef, EventRef event) {
    const UInt32 kind = GetEventKind(event);
    switch (GetEventClass(event)) {
    case kEventClassCommand: {
        HICommand command = {};
        if (GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr,
                              sizeof command, nullptr, &command) != noErr)
            return eventNotHandledErr;
        Boolean handled = false;
        if (kind == kEventCommandProcess)
            handled = HandleCommand(command);
        else if (kind == kEventCommandUpdateStatus)
            handled = UpdateCommandStatus(command);
        return handled ? noErr : eventNotHandledErr;
    }
    case kEventClassWindow:
        switch (kind) {
        case kEventWindowDrawContent:
            CallNextEventHandler(callRef, event);
            Draw();
            return noErr;
        case kEventWindowActivated:
            CallNextEventHandler(callRef, event);
            Activated();
            return noErr;
        case kEventWindowDeactivated:
            CallNextEventHandler(callRef, event);
            Deactivated();
            return noErr;
        case kEventWindowBoundsChanged: {
            UInt32 attributes = 0;
            if (GetEventParameter(event, kEventParamAttributes, typeUInt32, nullptr,
                                  sizeof attributes, nullptr, &attributes) != noErr)
                return eventNotHandledErr;
            if (attributes & kWindowBoundsChangeSizeChanged) {
                Resized();
                return noErr;
            }
            if (attributes & kWindowBoundsChangeOriginChanged) {
                Moved();
                return noErr;
            }
            return eventNotHandledErr;
        }
        case kEventWindowClose:
            Close();
            return noErr;
        case kEventWindowGetIdealSize: {
            const Point size = GetIdealSize();
            if (size.h == 0 || size.v == 0) return eventNotHandledErr;
            SetEventParameter(event, kEventParamDimensions, typeQDPoint, sizeof size, &size);
            return noErr;
        }
        default:
            return eventNotHandledErr;
        }
    default:
        return eventNotHandledErr;
    }
}

void TWindow::Close() {
    Hide();
    delete this;
}

void TWindow::Show() {
    SelectWindow(window_);
    ShowWindow(window_);
}

void TWindow::Hide() {
    HideWindow(window_);
}

void TWindow::Draw() {}
void TWindow::Activated() {}
void TWindow::Deactivated() {}
void TWindow::Moved() {}
void TWindow::Resized() {}

Point TWindow::GetIdealSize() {
    return Point{0, 0};
}

Boolean TWindow::UpdateCommandStatus(const HICommand& command) {
    if (command.commandID != kHICommandClose) return false;
    EnableMenuCommand(nullptr, kHICommandClose);
    return true;
}

Boolean TWindow::HandleCommand(const HICommand& command) {
    if (command.commandID != kHICommandClose) return false;
    SendWindowEvent(kEventWindowClose);
    return true;
}

void TWindow::SendWindowEvent(UInt32 kind) {
    EventRef event = nullptr;
    if (CreateEvent(nullptr, kEventClassWindow, kind, GetCurrentEventTime(), kEventAttributeNone,
                    &event) != noErr)
        return;
    WindowRef window = window_;
    SetEventParameter(event, kEventParamDirectObject, typeWindowRef, sizeof window, &window);
    SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event); // the close event may have deleted this wrapper: no member from here
}

void TWindow::PlatformWindowDisposed() {
    window_ = nullptr;
    port_ = nullptr;
}

Boolean TWindow::IsVisible() const {
    return IsWindowVisible(window_);
}

void TWindow::Select() {
    SelectWindow(window_);
}

OSStatus TWindow::SetTitle(CFStringRef title) {
    return SetWindowTitleWithCFString(window_, title);
}

CFStringRef TWindow::CopyTitle() const {
    CFStringRef title = nullptr;
    CopyWindowTitleAsCFString(window_, &title);
    return title;
}

OSStatus TWindow::SetAlternateTitle(CFStringRef title) {
    return SetWindowAlternateTitle(window_, title);
}

CFStringRef TWindow::CopyAlternateTitle() const {
    CFStringRef title = nullptr;
    CopyWindowAlternateTitle(window_, &title);
    return title;
}

void TWindow::MoveTopLeftOfContentTo(SInt16 h, SInt16 v) {
    MoveWindow(window_, h, v, false);
}

void TWindow::SetContentSize(SInt16 width, SInt16 height) {
    SizeWindow(window_, width, height, true);
}

OSStatus TWindow::InvalidateArea(RgnHandle region) {
    return InvalWindowRgn(window_, region);
}

OSStatus TWindow::InvalidateArea(const Rect& bounds) {
    return InvalWindowRect(window_, &bounds);
}

OSStatus TWindow::ValidateArea(RgnHandle region) {
    return ValidWindowRgn(window_, region);
}

OSStatus TWindow::ValidateArea(const Rect& bounds) {
    return ValidWindowRect(window_, &bounds);
}

OSStatus TWindow::SetDefaultButton(ControlRef control) {
    return SetWindowDefaultButton(window_, control);
}

OSStatus TWindow::SetCancelButton(ControlRef control) {
    return SetWindowCancelButton(window_, control);
}

OSStatus TWindow::RegisterForEvents(ItemCount count, const EventTypeSpec* list) {
    return AddEventTypesToHandler(handler_, count, list);
}

OSStatus TWindow::UnregisterForEvents(ItemCount count, const EventTypeSpec* list) {
    return RemoveEventTypesFromHandler(handler_, count, list);
}

void TWindow::UpdateNow() {
    if (IsWindowUpdatePending(window_)) SendWindowEvent(kEventWindowUpdate);
}

namespace {

// The control of the window with the ID, acted on; the look-up's status when it fails.
template <class Action> OSStatus actOnControl(WindowRef window, const ControlID& id, Action act) {
    ControlRef control = nullptr;
    const OSStatus status = GetControlByID(window, &id, &control);
    return status != noErr ? status : act(control);
}

} // namespace

OSStatus TWindow::EnableControlByID(ControlID id) {
    return actOnControl(window_, id, EnableControl);
}

OSStatus TWindow::DisableControlByID(ControlID id) {
    return actOnControl(window_, id, DisableControl);
}

OSStatus TWindow::ShowControlByID(ControlID id) {
    return actOnControl(window_, id, [](ControlRef control) {
        ShowControl(control);
        return noErr;
    });
}

OSStatus TWindow::HideControlByID(ControlID id) {
    return actOnControl(window_, id, [](ControlRef control) {
        HideControl(control);
        return noErr;
    });
}
