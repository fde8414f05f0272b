// A thin wrapper around one platform window: it makes the window (from a nib, from an existing
// window, or new), installs one event handler on it for the events of kEvents and dispatches
// them to the virtual operations below, which subclasses override. The base of the message
// window and the window of every child window of the pane.
//
// A wrapper without a window (the nib or its window could not be made) is harmless: its calls
// act on nothing. A wrapper owns its window and disposes of it when deleted; a wrapper that
// may be closed (Close, the close box, the command 'clos') must live on the heap, as Close
// deletes it.
//
// The virtual operations keep this slot order; a subclass appends its own after the last.
#pragma once

#include <CFBundle.h>
#include <CFString.h>
#include <CarbonEvents.h>
#include <Controls.h>
#include <MacWindows.h>
#include <Quickdraw.h>

class TWindow {
  public:
    // The window kind that marks a window made by a TWindow.
    static constexpr SInt16 kWindowKind = 2001;
    // The events the handler is installed for, in this order: close, activated, deactivated,
    // draw content, bounds changed, get ideal size, process command, update command status.
    static const EventTypeSpec kEvents[8];

    // No window: every field null.
    TWindow();
    // Wraps the existing window (InitWithPlatformWindow).
    explicit TWindow(WindowRef window);
    // The window named in the bundle's nib; no window when the nib or the window cannot be made.
    TWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle);
    // A new hidden window of the class with the attributes, its content at the bounds.
    TWindow(WindowClass windowClass, WindowAttributes attributes, const Rect& bounds);
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // Disposes of the window when there is one (its handler goes with it).
    virtual ~TWindow();
    // Hide, then delete this wrapper.
    virtual void Close();
    // SelectWindow, then ShowWindow.
    virtual void Show();
    virtual void Hide();
    // Called after the handlers below this one have drawn; does nothing.
    virtual void Draw();
    // Called after the handlers below this one have seen the activation; do nothing.
    virtual void Activated();
    virtual void Deactivated();
    // Called when the window's origin (but not its size) changed; does nothing.
    virtual void Moved();
    // Called when the window's size changed (whether or not it moved too); does nothing.
    virtual void Resized();
    // The window's ideal content size (h width, v height); (0, 0) leaves it to the platform.
    virtual Point GetIdealSize();
    // 'clos': enables the close command and answers true; false for any other command.
    virtual Boolean UpdateCommandStatus(const HICommand& command);
    // 'clos': sends the window its close event and answers true (also when the event cannot
    // be made); false for any other command. After 'clos' this wrapper may be gone.
    virtual Boolean HandleCommand(const HICommand& command);
    // Dispatches a window or command event to the operations above; noErr when one handled
    // it, eventNotHandledErr otherwise.
    virtual OSStatus HandleEvent(EventHandlerCallRef callRef, EventRef event);

    WindowRef GetWindowRef() const { return window_; }
    CGrafPtr GetPort() const { return port_; }
    // Forgets the window and port (someone else disposed of the window) without disposing.
    void PlatformWindowDisposed();

    Boolean IsVisible() const;
    void Select();

    OSStatus SetTitle(CFStringRef title);
    CFStringRef CopyTitle() const; // the caller releases it; null without a window
    OSStatus SetAlternateTitle(CFStringRef title);
    CFStringRef CopyAlternateTitle() const; // the caller releases it; null without a window

    // Moves the content's top-left corner to the global point, not bringing it to the front.
    void MoveTopLeftOfContentTo(SInt16 h, SInt16 v);
    void SetContentSize(SInt16 width, SInt16 height);

    OSStatus InvalidateArea(RgnHandle region);
    OSStatus InvalidateArea(const Rect& bounds);
    OSStatus ValidateArea(RgnHandle region);
    OSStatus ValidateArea(const Rect& bounds);

    OSStatus SetDefaultButton(ControlRef control);
    OSStatus SetCancelButton(ControlRef control);

    // Adds (removes) event types on the installed handler; paramErr without a handler.
    OSStatus RegisterForEvents(ItemCount count, const EventTypeSpec* list);
    OSStatus UnregisterForEvents(ItemCount count, const EventTypeSpec* list);

    // When an update is pending, sends the window its update event at once.
    void UpdateNow();

    // The control of the window with the ID: the look-up's status when it fails, else the
    // status of enabling, disabling, showing or hiding it.
    OSStatus EnableControlByID(ControlID id);
    OSStatus DisableControlByID(ControlID id);
    OSStatus ShowControlByID(ControlID id);
    OSStatus HideControlByID(ControlID id);

  protected:
    // Stores the window and its port, marks the window as ours (kind, reference constant),
    // turns on the standard handler, installs the shared handler for kEvents with this
    // wrapper as user data and, for a document window, turns on the window-menu attribute.
    void InitWithPlatformWindow(WindowRef window);

    // The handler of every wrapper's window: the user data's HandleEvent.
    static OSStatus EventHandlerProc(EventHandlerCallRef callRef, EventRef event, void* wrapper);
    // The one handler procedure, made on first use.
    static EventHandlerUPP GetEventHandlerProc();

  private:
    // Sends the window an event of class 'wind' and the kind, with the window as direct
    // object; nothing when the event cannot be made.
    void SendWindowEvent(UInt32 kind);

    WindowRef window_ = nullptr;
    CGrafPtr port_ = nullptr;
    EventHandlerRef handler_ = nullptr;
};
