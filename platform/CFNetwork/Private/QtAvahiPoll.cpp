#include "QtAvahiPoll.h"

#include <avahi-common/timeval.h>

#include <QSocketNotifier>
#include <QTimerEvent>

#include <algorithm>
#include <climits>

struct AvahiWatch {
    int fd;
    AvahiWatchEvent happened; // during the callback: the events that woke it
    AvahiWatchCallback callback;
    void* userdata;
    QSocketNotifier* read;
    QSocketNotifier* write;
};

struct AvahiTimeout {
    QtAvahiPoll* poll;
    int timerId;
    AvahiTimeoutCallback callback;
    void* userdata;
};

namespace {

QSocketNotifier* makeNotifier(AvahiWatch* watch, QSocketNotifier::Type type,
                              AvahiWatchEvent event) {
    auto* notifier = new QSocketNotifier(watch->fd, type);
    QObject::connect(notifier, &QSocketNotifier::activated, [watch, event] {
        watch->happened = event;
        watch->callback(watch, watch->fd, event, watch->userdata); // may free the watch
    });
    return notifier;
}

void watchUpdate(AvahiWatch* watch, AvahiWatchEvent events) {
    watch->read->setEnabled(events & AVAHI_WATCH_IN);
    watch->write->setEnabled(events & AVAHI_WATCH_OUT);
}

AvahiWatch* watchNew(const AvahiPoll*, int fd, AvahiWatchEvent events, AvahiWatchCallback callback,
                     void* userdata) {
    auto* watch = new AvahiWatch{fd, AvahiWatchEvent(0), callback, userdata, nullptr, nullptr};
    watch->read = makeNotifier(watch, QSocketNotifier::Read, AVAHI_WATCH_IN);
    watch->write = makeNotifier(watch, QSocketNotifier::Write, AVAHI_WATCH_OUT);
    watchUpdate(watch, events);
    return watch;
}

AvahiWatchEvent watchGetEvents(AvahiWatch* watch) {
    return watch->happened;
}

// The watch may be freed from inside its own notifier's signal, so the notifiers go later.
void watchFree(AvahiWatch* watch) {
    for (QSocketNotifier* notifier : {watch->read, watch->write}) {
        notifier->setEnabled(false);
        QObject::disconnect(notifier, nullptr, nullptr, nullptr);
        notifier->deleteLater();
    }
    delete watch;
}

AvahiTimeout* timeoutNew(const AvahiPoll* api, const struct timeval* when,
                         AvahiTimeoutCallback callback, void* userdata) {
    auto* poll = static_cast<QtAvahiPoll*>(api->userdata);
    auto* timeout = new AvahiTimeout{poll, 0, callback, userdata};
    poll->arm(timeout, when);
    return timeout;
}

void timeoutUpdate(AvahiTimeout* timeout, const struct timeval* when) {
    timeout->poll->arm(timeout, when);
}

void timeoutFree(AvahiTimeout* timeout) {
    timeout->poll->disarm(timeout);
    delete timeout;
}

} // namespace

QtAvahiPoll::QtAvahiPoll()
    : api_{this,      watchNew,   watchUpdate,   watchGetEvents,
           watchFree, timeoutNew, timeoutUpdate, timeoutFree} {}

void QtAvahiPoll::arm(AvahiTimeout* timeout, const struct timeval* when) {
    disarm(timeout);
    if (!when) return;
    // avahi_age is the time since `when` in microseconds: negative while it lies ahead.
    const AvahiUsec ahead = std::max<AvahiUsec>(0, -avahi_age(when));
    const int milliseconds = int(std::min<AvahiUsec>((ahead + 999) / 1000, INT_MAX));
    timeout->timerId = startTimer(milliseconds, Qt::PreciseTimer);
    if (timeout->timerId) armed_[timeout->timerId] = timeout;
}

void QtAvahiPoll::disarm(AvahiTimeout* timeout) {
    if (!timeout->timerId) return;
    killTimer(timeout->timerId);
    armed_.erase(timeout->timerId);
    timeout->timerId = 0;
}

void QtAvahiPoll::timerEvent(QTimerEvent* event) {
    const auto found = armed_.find(event->timerId());
    if (found == armed_.end()) return;
    AvahiTimeout* timeout = found->second;
    disarm(timeout);                               // each arming fires once
    timeout->callback(timeout, timeout->userdata); // may update or free the time-out
}
