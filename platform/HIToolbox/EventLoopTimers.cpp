// Idle timers over QTimers. They count from the user's last key press or mouse click, which an
// application-wide event filter watches.
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
    EventLoopIdleTimerUPP callback = nullptr;
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
    const EventLoopIdleTimerMessage message =
        timer->idling ? kEventLoopIdleTimerIdling : kEventLoopIdleTimerStarted;
    timer->idling = true;
    timer->callback(timer, message, timer->userData);
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
            if (!liveTimers().count(timer)) continue;
            timer->timer->start(milliseconds(timer->delay));
            if (timer->idling) {
                timer->idling = false;
                timer->callback(timer, kEventLoopIdleTimerStopped, timer->userData);
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

OSStatus InstallEventLoopIdleTimer(EventLoopRef loop, EventTimerInterval delay,
                                   EventTimerInterval interval, EventLoopIdleTimerUPP callback,
                                   void* userData, EventLoopTimerRef* outTimer) {
    if (!loop || !callback) return paramErr;
    watchUserActivity();
    return install(new OpaqueEventLoopTimerRef{nullptr, delay, interval, callback, userData, false},
                   outTimer);
}

OSStatus RemoveEventLoopTimer(EventLoopTimerRef timer) {
    if (!timer || !liveTimers().erase(timer)) return paramErr;
    timer->timer->stop();
    timer->timer->deleteLater();
    delete timer;
    return noErr;
}
