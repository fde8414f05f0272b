#include "CFRunLoop.h"
#include "CFInternal.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

const CFStringRef kCFRunLoopDefaultMode = CFSTR("kCFRunLoopDefaultMode");
const CFStringRef kCFRunLoopCommonModes = CFSTR("kCFRunLoopCommonModes");

struct __CFRunLoopTimer;

namespace {

// Receives the Qt timer events of one thread's run loop.
class TimerHost : public QObject {
  public:
    std::map<int, __CFRunLoopTimer*> armed; // Qt timer id to CF timer

  protected:
    void timerEvent(QTimerEvent* event) override;
};

// A nested loop run by CFRunLoopRunInMode.
struct ActiveRun {
    QEventLoop* loop;
    bool returnAfterSourceHandled;
};

} // namespace

struct __CFRunLoop : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDRunLoop;
    __CFRunLoop() : Object(kTypeID) { immortal = true; }

    TimerHost host;
    std::vector<__CFRunLoopTimer*> timers; // scheduled here, each retained
    std::vector<ActiveRun> runs;           // innermost last

    void sourceHandled() {
        if (!runs.empty() && runs.back().returnAfterSourceHandled)
            runs.back().loop->exit(kCFRunLoopRunHandledSource);
    }
};

struct __CFRunLoopTimer : cf::Object {
    static constexpr CFTypeID kTypeID = cf::kTypeIDRunLoopTimer;
    __CFRunLoopTimer(CFAbsoluteTime fireDate, CFTimeInterval interval,
                     CFRunLoopTimerCallBack callout, const CFRunLoopTimerContext& context)
        : Object(kTypeID), fireDate(fireDate), interval(interval), callout(callout),
          context(context) {}
    ~__CFRunLoopTimer() override { releaseInfo(); }

    void releaseInfo() {
        if (context.release && context.info) context.release(context.info);
        context.info = nullptr;
    }

    // Starts a Qt timer for the next fire date on the run loop's thread.
    void arm() {
        disarm();
        const double seconds = std::max(0.0, fireDate - CFAbsoluteTimeGetCurrent());
        const int milliseconds = int(std::min(std::ceil(seconds * 1000), double(INT32_MAX)));
        qtTimer = runLoop->host.startTimer(milliseconds, Qt::PreciseTimer);
        if (qtTimer) runLoop->host.armed[qtTimer] = this;
    }
    void disarm() {
        if (!qtTimer) return;
        runLoop->host.killTimer(qtTimer);
        runLoop->host.armed.erase(qtTimer);
        qtTimer = 0;
    }

    CFAbsoluteTime fireDate;
    const CFTimeInterval interval;
    const CFRunLoopTimerCallBack callout;
    CFRunLoopTimerContext context;
    bool valid = true;
    __CFRunLoop* runLoop = nullptr; // where it is scheduled
    int qtTimer = 0;
};

namespace {

std::mutex runLoopsMutex;
std::map<std::thread::id, __CFRunLoop*>& runLoops() {
    static auto* all = new std::map<std::thread::id, __CFRunLoop*>();
    return *all;
}

__CFRunLoop* runLoopOf(std::thread::id thread) {
    std::lock_guard lock(runLoopsMutex);
    __CFRunLoop*& runLoop = runLoops()[thread];
    if (!runLoop) runLoop = new __CFRunLoop(); // lives as long as the process
    return runLoop;
}

void unschedule(__CFRunLoopTimer* timer) {
    __CFRunLoop* runLoop = timer->runLoop;
    if (!runLoop) return;
    timer->disarm();
    std::erase(runLoop->timers, timer);
    timer->runLoop = nullptr;
    CFRelease(timer);
}

void fire(__CFRunLoopTimer* timer) {
    if (!timer->valid) return;
    __CFRunLoop* runLoop = timer->runLoop;
    CFRetain(timer); // the callout may invalidate and release it
    timer->callout(timer, timer->context.info);
    if (timer->valid && timer->runLoop == runLoop && runLoop) {
        if (timer->interval > 0) {
            const CFAbsoluteTime now = CFAbsoluteTimeGetCurrent();
            do
                timer->fireDate += timer->interval;
            while (timer->fireDate <= now);
            timer->arm();
        } else {
            CFRunLoopTimerInvalidate(timer);
        }
    }
    CFRelease(timer);
    if (runLoop) runLoop->sourceHandled();
}

void TimerHost::timerEvent(QTimerEvent* event) {
    auto found = armed.find(event->timerId());
    if (found == armed.end()) return;
    __CFRunLoopTimer* timer = found->second;
    timer->disarm(); // each arming fires once
    fire(timer);
}

__CFRunLoopTimer* timerOf(CFRunLoopTimerRef ref) {
    return cf::as<__CFRunLoopTimer>(ref);
}

} // namespace

CFRunLoopRef CFRunLoopGetCurrent(void) {
    return runLoopOf(std::this_thread::get_id());
}

CFRunLoopRunResult CFRunLoopRunInMode(CFStringRef, CFTimeInterval seconds,
                                      Boolean returnAfterSourceHandled) {
    __CFRunLoop* runLoop = CFRunLoopGetCurrent();
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop,
                     [&loop] { loop.exit(kCFRunLoopRunTimedOut); });
    timeout.start(int(std::clamp(seconds * 1000, 0.0, double(INT32_MAX))));
    runLoop->runs.push_back({&loop, bool(returnAfterSourceHandled)});
    const int result = loop.exec();
    runLoop->runs.pop_back();
    return result > 0 ? result : kCFRunLoopRunTimedOut;
}

CFRunLoopTimerRef CFRunLoopTimerCreate(CFAllocatorRef, CFAbsoluteTime fireDate,
                                       CFTimeInterval interval, CFOptionFlags, CFIndex,
                                       CFRunLoopTimerCallBack callout,
                                       CFRunLoopTimerContext* context) {
    if (!callout) return nullptr;
    CFRunLoopTimerContext copy = context ? *context : CFRunLoopTimerContext{};
    if (copy.retain && copy.info) copy.info = const_cast<void*>(copy.retain(copy.info));
    return new __CFRunLoopTimer(fireDate, std::max(0.0, interval), callout, copy);
}

void CFRunLoopAddTimer(CFRunLoopRef rl, CFRunLoopTimerRef ref, CFStringRef) {
    __CFRunLoop* runLoop = cf::as<__CFRunLoop>(rl);
    __CFRunLoopTimer* timer = timerOf(ref);
    if (!runLoop || !timer || !timer->valid || timer->runLoop) return;
    CFRetain(timer);
    timer->runLoop = runLoop;
    runLoop->timers.push_back(timer);
    timer->arm();
}

void CFRunLoopTimerInvalidate(CFRunLoopTimerRef ref) {
    __CFRunLoopTimer* timer = timerOf(ref);
    if (!timer || !timer->valid) return;
    timer->valid = false;
    CFRetain(timer);
    unschedule(timer);
    timer->releaseInfo();
    CFRelease(timer);
}
