// Carbon events: event records with typed parameters, event targets with handler stacks, the
// application's event loop, modal loops and event-loop timers.
//
// Every window, control and the application has an event target. The handler installed last
// runs first; a handler that returns eventNotHandledErr passes the event to the next one down,
// then to the parent target (control -> its window -> application). When no handler takes an
// event, the standard handling runs: a control hit on a button with a command sends that
// command to the button's window; the command 'clos' sends the window its close event; a close
// event disposes of a window that has the standard-handler attribute.
#pragma once

#include "Menus.h"
#include "Quickdraw.h"

#include <CFBase.h>

extern "C" {

typedef struct OpaqueEventRef* EventRef;
typedef struct OpaqueEventTargetRef* EventTargetRef;
typedef struct OpaqueEventHandlerRef* EventHandlerRef;
typedef struct OpaqueEventHandlerCallRef* EventHandlerCallRef;
typedef struct OpaqueEventLoopRef* EventLoopRef;
typedef struct OpaqueEventLoopTimerRef* EventLoopTimerRef;
typedef struct OpaqueWindowPtr* WindowRef;
typedef struct OpaqueControlRef* ControlRef;

typedef double EventTime; // seconds
typedef EventTime EventTimerInterval;
typedef UInt32 EventAttributes;
typedef OSType EventParamName;
typedef OSType EventParamType;
typedef UInt16 EventModifiers;

struct EventTypeSpec {
    OSType eventClass;
    UInt32 eventKind;
};

// A command as carried by 'cmds' events (parameter type typeHICommand).
struct HICommand {
    UInt32 attributes;
    UInt32 commandID;
    struct {
        MenuRef menuRef;
        MenuItemIndex menuItemIndex;
    } menu;
};

enum : OSType {
    kEventClassControl = FOUR_CHAR_CODE("cntl"),
    kEventClassCommand = FOUR_CHAR_CODE("cmds"),
    kEventClassWindow = FOUR_CHAR_CODE("wind"),
    kEventClassTextInput = FOUR_CHAR_CODE("text"),
    kEventClassTextField = FOUR_CHAR_CODE("txfd"),
};

enum : UInt32 {
    kEventControlHit = 1,
    kEventCommandProcess = 1,
    kEventCommandUpdateStatus = 2,
    kEventWindowUpdate = 1,
    kEventWindowDrawContent = 2,
    kEventWindowActivated = 5,
    kEventWindowDeactivated = 6,
    kEventWindowBoundsChanged = 27,
    kEventWindowClose = 72,
    kEventWindowGetIdealSize = 80,
    kEventTextInputUnicodeForKeyEvent = 2,
    kEventTextDidChange = 3,
};

enum : OSType {
    kEventParamDirectObject = FOUR_CHAR_CODE("----"),
    kEventParamAttributes = FOUR_CHAR_CODE("attr"),
    kEventParamDimensions = FOUR_CHAR_CODE("dims"),
    kEventParamControlPart = FOUR_CHAR_CODE("cprt"),
    kEventParamKeyModifiers = FOUR_CHAR_CODE("kmod"),
    kEventParamTextInputSendText = FOUR_CHAR_CODE("tstx"),
    typeWildCard = FOUR_CHAR_CODE("****"),
    typeControlRef = FOUR_CHAR_CODE("ctrl"),
    typeWindowRef = FOUR_CHAR_CODE("wind"),
    typeHICommand = FOUR_CHAR_CODE("hcmd"),
    typeUInt32 = FOUR_CHAR_CODE("magn"),
    typeQDPoint = FOUR_CHAR_CODE("QDpt"),
    typeControlPartCode = FOUR_CHAR_CODE("cprt"),
    typeUnicodeText = FOUR_CHAR_CODE("utxt"),
};

enum : UInt32 {
    kEventAttributeNone = 0,
    kHICommandFromControl = 1u << 1,
    kWindowBoundsChangeSizeChanged = 1u << 2,
    kWindowBoundsChangeOriginChanged = 1u << 3,
};

enum : UInt32 {
    kHICommandOK = FOUR_CHAR_CODE("ok  "),
    kHICommandCancel = FOUR_CHAR_CODE("not!"),
    kHICommandClose = FOUR_CHAR_CODE("clos"),
};

// Key modifiers as Carbon reports them; on Linux the Ctrl key plays the command key.
enum : EventModifiers {
    cmdKey = 0x0100,
    shiftKey = 0x0200,
    alphaLock = 0x0400,
    optionKey = 0x0800,
    controlKey = 0x1000,
};

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef inHandlerCallRef, EventRef inEvent,
                                        void* inUserData);
typedef EventHandlerProcPtr EventHandlerUPP;
inline EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr proc) {
    return proc;
}
inline void DisposeEventHandlerUPP(EventHandlerUPP) {}

// Events. CreateEvent gives a record with one reference; ReleaseEvent drops it.
OSStatus CreateEvent(CFAllocatorRef allocator, UInt32 eventClass, UInt32 kind, EventTime when,
                     EventAttributes flags, EventRef* outEvent);
EventRef RetainEvent(EventRef event);
void ReleaseEvent(EventRef event);    // null is ignored
UInt32 GetEventClass(EventRef event); // 0 for null
UInt32 GetEventKind(EventRef event);  // 0 for null
EventTime GetCurrentEventTime(void);
// Stores a copy of size bytes under name with the given type (replacing an earlier value).
OSStatus SetEventParameter(EventRef event, EventParamName name, EventParamType type, ByteCount size,
                           const void* data);
// Copies at most bufferSize bytes of the parameter; eventParameterNotFoundErr when it is
// missing, errAECoercionFail when its type is neither desiredType nor typeWildCard requested.
OSStatus GetEventParameter(EventRef event, EventParamName name, EventParamType desiredType,
                           EventParamType* outActualType, ByteCount bufferSize,
                           ByteCount* outActualSize, void* outData);

// Targets and handlers. A target of a disposed window or control is gone with its handlers.
EventTargetRef GetApplicationEventTarget(void);
EventTargetRef GetWindowEventTarget(WindowRef window);    // null for a null or stale window
EventTargetRef GetControlEventTarget(ControlRef control); // null for a null or stale control
// Pushes a handler for the listed event types on top of the target's stack.
OSStatus InstallEventHandler(EventTargetRef target, EventHandlerUPP handler, ItemCount numTypes,
                             const EventTypeSpec* list, void* userData, EventHandlerRef* outRef);
OSStatus RemoveEventHandler(EventHandlerRef handler); // paramErr for a removed or stale handler
OSStatus AddEventTypesToHandler(EventHandlerRef handler, ItemCount numTypes,
                                const EventTypeSpec* list);
OSStatus RemoveEventTypesFromHandler(EventHandlerRef handler, ItemCount numTypes,
                                     const EventTypeSpec* list);
// Runs the rest of the dispatch below the calling handler (its target's lower handlers, the
// parent targets, the standard handling) and returns what it gave.
OSStatus CallNextEventHandler(EventHandlerCallRef callRef, EventRef event);
// Dispatches the event to the target; the result of the handler that took it, or
// eventNotHandledErr.
OSStatus SendEventToEventTarget(EventRef event, EventTargetRef target);

inline OSStatus InstallWindowEventHandler(WindowRef window, EventHandlerUPP handler,
                                          ItemCount numTypes, const EventTypeSpec* list,
                                          void* userData, EventHandlerRef* outRef) {
    return InstallEventHandler(GetWindowEventTarget(window), handler, numTypes, list, userData,
                               outRef);
}
inline OSStatus InstallControlEventHandler(ControlRef control, EventHandlerUPP handler,
                                           ItemCount numTypes, const EventTypeSpec* list,
                                           void* userData, EventHandlerRef* outRef) {
    return InstallEventHandler(GetControlEventTarget(control), handler, numTypes, list, userData,
                               outRef);
}

// The event loop: there is one, the Qt event loop of the main thread.
EventLoopRef GetMainEventLoop(void);

// Runs a nested event loop until QuitAppModalLoopForWindow is called for the window (or the
// window is disposed). Loops nest: each quit ends the innermost loop running for that window.
OSStatus RunAppModalLoopForWindow(WindowRef window);
// windowNoAppModalStateErr when no loop runs for the window.
OSStatus QuitAppModalLoopForWindow(WindowRef window);

// Idle timers (QTimers of the main thread). The callback runs from the event loop, nested modal
// loops included; a timer may remove itself from its own callback.
typedef UInt16 EventLoopIdleTimerMessage;
enum : EventLoopIdleTimerMessage {
    kEventLoopIdleTimerStarted = 1, // the user has been idle for the timer's delay
    kEventLoopIdleTimerIdling = 2,  // the interval passed again without user input
    kEventLoopIdleTimerStopped = 3, // user input ended the idle period
};
typedef void (*EventLoopIdleTimerProcPtr)(EventLoopTimerRef timer,
                                          EventLoopIdleTimerMessage message, void* userData);
typedef EventLoopIdleTimerProcPtr EventLoopIdleTimerUPP;

// Fires once the user has made no key press or mouse click for delay seconds (started), then
// every interval seconds while idle (idling); input after it started reports stopped and
// starts the count again.
OSStatus InstallEventLoopIdleTimer(EventLoopRef loop, EventTimerInterval delay,
                                   EventTimerInterval interval, EventLoopIdleTimerUPP callback,
                                   void* userData, EventLoopTimerRef* outTimer);
OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer); // paramErr for a removed timer
}
