// The Qt event loop drives Avahi's watches and time-outs: checked with a pipe and a timer, so
// no daemon is needed.
#include <Private/QtAvahiPoll.h>

#include <CFRunLoop.h>

#include <sys/time.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

struct Woken {
    const AvahiPoll* api;
    int readable = 0; // watch callbacks, each reading one byte
    AvahiWatchEvent events{};
    int timeouts = 0;
};

void onReadable(AvahiWatch* watch, int fd, AvahiWatchEvent, void* userdata) {
    auto* woken = static_cast<Woken*>(userdata);
    ++woken->readable;
    woken->events = woken->api->watch_get_events(watch);
    char byte;
    EXPECT_EQ(1, read(fd, &byte, 1));
}

void onTimeout(AvahiTimeout* timeout, void* userdata) {
    auto* woken = static_cast<Woken*>(userdata);
    ++woken->timeouts;
    woken->api->timeout_free(timeout); // freed inside its own callback, as Avahi does
}

void runLoopFor(double seconds) {
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, seconds, false);
}

TEST(AvahiPollTest, WatchesAndTimeoutsRunInTheEventLoop) {
    QtAvahiPoll poll;
    Woken woken{poll.api()};
    const AvahiPoll* api = poll.api();
    int pipeEnds[2];
    ASSERT_EQ(0, pipe(pipeEnds));
    AvahiWatch* watch = api->watch_new(api, pipeEnds[0], AVAHI_WATCH_IN, onReadable, &woken);
    timeval now;
    gettimeofday(&now, nullptr);
    api->timeout_new(api, &now, onTimeout, &woken);
    AvahiTimeout* disabled = api->timeout_new(api, &now, onTimeout, &woken);
    api->timeout_update(disabled, nullptr);

    ASSERT_EQ(1, write(pipeEnds[1], "x", 1));
    runLoopFor(0.1);
    EXPECT_EQ(1, woken.readable);
    EXPECT_EQ(AVAHI_WATCH_IN, woken.events);
    EXPECT_EQ(1, woken.timeouts) << "a disabled time-out does not fire";

    api->watch_update(watch, AvahiWatchEvent(0));
    ASSERT_EQ(1, write(pipeEnds[1], "x", 1));
    runLoopFor(0.1);
    EXPECT_EQ(1, woken.readable) << "a watch waiting for nothing stays quiet";

    api->watch_free(watch);
    api->timeout_free(disabled);
    runLoopFor(0.01); // the freed watch's notifiers go
    close(pipeEnds[0]);
    close(pipeEnds[1]);
}

} // namespace
