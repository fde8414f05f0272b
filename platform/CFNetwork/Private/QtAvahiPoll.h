// An AvahiPoll whose watches and time-outs run in the Qt event loop of the thread that made it:
// socket notifiers for the watches, Qt timers for the time-outs. It must outlive every Avahi
// object made with it.
#pragma once

#include <avahi-common/watch.h>

#include <QObject>

#include <map>

class QtAvahiPoll : public QObject {
  public:
    QtAvahiPoll();
    const AvahiPoll* api() const { return &api_; }

    // Arms (or, for a null time, disarms) a time-out; used by the poll's callbacks.
    void arm(AvahiTimeout* timeout, const struct timeval* when);
    void disarm(AvahiTimeout* timeout);

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    AvahiPoll api_;
    std::map<int, AvahiTimeout*> armed_; // Qt timer id to time-out
};
