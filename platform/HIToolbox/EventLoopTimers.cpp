// Event-loop timers and idle timers over QTimers. Idle timers count from the user's last key
// press or mouse click, which an application-wide event filter watches.
#include "CarbonEvents.h"
#include "MacErrors.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <unordered_set>

struct OpaqueEventLoopTimerRef {
    QTimer* timer = nullptr; // deleted later, so that a timer may remove itself
    EventTimerInterval delay = 0;
    EventTimerInterval interval = 0;
    EventLoopTimerUPP callback = nullptr;
    EventLoopIdleTimerUPP idleCallback = nullptr; // set for idle timers
    void* userData = nullptr;
    bool idling = false; // an idle timer's started message has been sent
};

namespace {

std::unordered_set<OpaqueEventLoopTimerRef*>& liveTimers() {
    static std::unordered_set<OpaqueEventLoopTimerRef*> timers;
    return timers;
}

int milliseconds(EventTimerInterval seconds) {
    return seconds > 0 ? int(seconds * 1000.0) : 0;
}

void fire(OpaqueEventLoopTimerRef* timer) {
    if (!liveTimers().count(timer)) return;
    if (timer->interval > 0) timer->timer->start(milliseconds(timer->interval));
    if (timer->idleCallback) {
        const EventLoopIdleTimerMessage message =
            timer->idling ? kEventLoopIdleTimerIdling : kEventLoopIdleTimerStarted;
        timer->idling = true;
        timer->idleCallback(timer, message, timer->userData);
    } else {
        timer->callback(timer, timer->userData);
    }
}

// Restarts the idle timers' count on every key press and mouse click.
class UserActivityWatcher : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::MouseButtonPress)
            return false;
        const std::vector<OpaqueEventLoopTimerRef*> timers(liveTimers().begin(),
                                                           liveTimers().end());
        for (OpaqueEventLoopTimerRef* timer : timers) {
            if (!liveTimers().count(timer) || !timer->idleCallback) continue;
            timer->timer->start(milliseconds(timer->delay));
            if (timer->idling) {
                timer->idling = false;
                timer->idleCallback(timer, kEventLoopIdleTimerStopped, timer->userData);
            }
        }
        return false;
    }
};

void watchUserActivity() {
    static UserActivityWatcher* watcher = nullptr;
    if (!watcher && QCoreApplication::instance()) {
        watcher = new UserActivityWatcher;
        watcher->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watcher);
    }
}

OSStatus install(OpaqueEventLoopTimerRef* timer, EventLoopTimerRef* outTimer) {
    timer->timer = new QTimer;
    timer->timer->setSingleShot(true);
    QObject::connect(timer->timer, &QTimer::timeout, [timer] { fire(timer); });
    liveTimers().insert(timer);
    timer->timer->start(milliseconds(timer->delay));
    if (outTimer) *outTimer = timer;
    return noErr;
}

} // namespace

OSStatus InstallEventLoopTimer(EventLoopRef loop, EventTimerInterval delay,
                               EventTimerInterval interval, EventLoopTimerUPP callback,
                               void* userData, EventLoopTimerRef* outTimer) {
    if (!loop || !callback) return paramErr;
    return install(
        new OpaqueEventLoopTimerRef{nullptr, delay, interval, callback, nullptr, userData, false},
        outTimer);
}

OSStatus InstallEventLoopIdleTimer(EventLoopRef loop, EventTimerInterval delay,
                                   EventTimerInterval interval, EventLoopIdleTimerUPP callback,
                                   void* userData, EventLoopTimerRef* outTimer) {
    if (!loop || !callback) return paramErr;
    watchUserActivity();
    return install(
        new OpaqueEventLoopTimerRef{nullptr, delay, interval, nullptr, callback, userData, false},
        outTimer);
}

OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer) {
    if (!timer || !liveTimers().erase(timer)) return paramErr;
    timer->timer->stop();
    timer->timer->deleteLater();
    delete timer;
    return noErr;
}
