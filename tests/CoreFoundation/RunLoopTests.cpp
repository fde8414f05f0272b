#include "TestSupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Counter {
    int fired = 0;
    int retains = 0;
    int releases = 0;
    CFRunLoopTimerRef invalidateOnFire = nullptr;
};

void count(CFRunLoopTimerRef timer, void* info) {
    auto* counter = static_cast<Counter*>(info);
    ++counter->fired;
    if (counter->invalidateOnFire == timer) CFRunLoopTimerInvalidate(timer);
}

CFRunLoopTimerContext contextFor(Counter& counter) {
    CFRunLoopTimerContext context = {};
    context.info = &counter;
    context.retain = [](const void* info) {
        ++static_cast<Counter*>(const_cast<void*>(info))->retains;
        return info;
    };
    context.release = [](const void* info) {
        ++static_cast<Counter*>(const_cast<void*>(info))->releases;
    };
    return context;
}

CFRef<CFRunLoopTimerRef> makeTimer(Counter& counter, double delay, double interval) {
    CFRunLoopTimerContext context = contextFor(counter);
    return CFRef<CFRunLoopTimerRef>(CFRunLoopTimerCreate(
        nullptr, CFAbsoluteTimeGetCurrent() + delay, interval, 0, 0, count, &context));
}

TEST(CFRunLoopTimer, OneShotFiresOnceThenIsInvalidAndReleasesItsInfo) {
    Counter counter;
    auto timer = makeTimer(counter, 0.01, 0);
    EXPECT_EQ(counter.retains, 1);
    CFRunLoopAddTimer(CFRunLoopGetCurrent(), timer.get(), kCFRunLoopCommonModes);
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 5.0, true), kCFRunLoopRunHandledSource);
    EXPECT_EQ(counter.fired, 1);
    EXPECT_EQ(counter.releases, 1);
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.05, false), kCFRunLoopRunTimedOut);
    EXPECT_EQ(counter.fired, 1);
}

TEST(CFRunLoopTimer, RepeatingTimerFiresUntilInvalidatedFromItsCallback) {
    Counter counter;
    auto timer = makeTimer(counter, 0.0, 0.01);
    CFRunLoopAddTimer(CFRunLoopGetCurrent(), timer.get(), kCFRunLoopCommonModes);
    for (int i = 0; i < 3; ++i)
        CFRunLoopRunInMode(kCFRunLoopDefaultMode, 5.0, true);
    EXPECT_EQ(counter.fired, 3);
    counter.invalidateOnFire = timer.get();
    CFRunLoopRunInMode(kCFRunLoopDefaultMode, 5.0, true);
    EXPECT_EQ(counter.fired, 4);
    EXPECT_EQ(counter.releases, 1);
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.05, false), kCFRunLoopRunTimedOut);
    EXPECT_EQ(counter.fired, 4);
}

TEST(CFRunLoopTimer, TimersFireInNestedQtLoops) {
    // A modal loop of the toolbox is a plain nested Qt loop: timers fire there too.
    Counter nested;
    auto timer = makeTimer(nested, 0.01, 0);
    CFRunLoopAddTimer(CFRunLoopGetCurrent(), timer.get(), kCFRunLoopCommonModes);
    QEventLoop modal;
    QTimer::singleShot(200, &modal, &QEventLoop::quit);
    modal.exec();
    EXPECT_EQ(nested.fired, 1);
}

TEST(CFRunLoop, StopEndsTheInnermostRun) {
    QTimer::singleShot(10, [] { CFRunLoopStop(CFRunLoopGetCurrent()); });
    EXPECT_EQ(CFRunLoopRunInMode(kCFRunLoopDefaultMode, 5.0, false), kCFRunLoopRunStopped);
    EXPECT_FALSE(CFRunLoopTimerCreate(nullptr, 0, 0, 0, 0, nullptr, nullptr));
}

} // namespace
