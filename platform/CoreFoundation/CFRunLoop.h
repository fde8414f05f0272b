// Run loops and timers over the Qt event loop of the calling thread. Every mode is served by
// the one Qt loop, so a timer added in any mode fires whenever that loop runs (including nested
// modal loops). A QCoreApplication must exist for timers to fire.
#pragma once

#include "CFDate.h"
#include "CFString.h"

CF_EXTERN_C_BEGIN

typedef struct __CFRunLoop* CFRunLoopRef;
typedef struct __CFRunLoopTimer* CFRunLoopTimerRef;

typedef void (*CFRunLoopTimerCallBack)(CFRunLoopTimerRef timer, void* info);
typedef struct {
    CFIndex version;
    void* info;
    const void* (*retain)(const void* info);
    void (*release)(const void* info);
    CFStringRef (*copyDescription)(const void* info);
} CFRunLoopTimerContext;

typedef SInt32 CFRunLoopRunResult;
enum : CFRunLoopRunResult {
    kCFRunLoopRunFinished = 1,
    kCFRunLoopRunStopped = 2,
    kCFRunLoopRunTimedOut = 3,
    kCFRunLoopRunHandledSource = 4,
};

extern const CFStringRef kCFRunLoopDefaultMode;
extern const CFStringRef kCFRunLoopCommonModes;

CFRunLoopRef CFRunLoopGetCurrent(void); // the calling thread's, borrowed
// Runs for at most seconds; with returnAfterSourceHandled, returns after the first timer fires.
CFRunLoopRunResult CFRunLoopRunInMode(CFStringRef mode, CFTimeInterval seconds,
                                      Boolean returnAfterSourceHandled);

// interval 0 makes a one-shot timer, invalidated after it fires. The context is copied and its
// info retained with the context's retain callback.
CFRunLoopTimerRef CFRunLoopTimerCreate(CFAllocatorRef allocator, CFAbsoluteTime fireDate,
                                       CFTimeInterval interval, CFOptionFlags flags, CFIndex order,
                                       CFRunLoopTimerCallBack callout,
                                       CFRunLoopTimerContext* context);
// The run loop retains a timer while it is scheduled.
void CFRunLoopAddTimer(CFRunLoopRef rl, CFRunLoopTimerRef timer, CFStringRef mode);
// Stops the timer for good, removes it from its run loop and releases its context info.
void CFRunLoopTimerInvalidate(CFRunLoopTimerRef timer);

CF_EXTERN_C_END
