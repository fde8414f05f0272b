// Run-loop timers fire until they are invalidated, a one-shot one after its first firing, a
// repeating one from its own callback; then each releases its info once.
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Counter {
    int fired = 0;
    int releases = 0;
    int invalidateAt = 0; // the firing whose callback invalidates the timer; 0: none
};

TEST(CFRunLoopTimer, TimersFireUntilInvalidatedThenReleaseTheirInfo) {
    for (const double interval : {0.0, 0.01}) {
        Counter counter;
        counter.invalidateAt = interval > 0 ? 3 : 0;
        CFRunLoopTimerContext context = {};
        context.info = &counter;
        context.release = [](const void* info) {
            ++static_cast<Counter*>(const_cast<void*>(info))->releases;
        };
        auto fire = [](CFRunLoopTimerRef timer, void* info) {
            auto* counter = static_cast<Counter*>(info);
            if (++counter->fired == counter->invalidateAt) CFRunLoopTimerInvalidate(timer);
        };
        CFRef<CFRunLoopTimerRef> timer(CFRunLoopTimerCreate(nullptr, CFAbsoluteTimeGetCurrent(),
                                                            interval, 0, 0, fire, &context));
        CFRunLoopAddTimer(CFRunLoopGetCurrent(), timer.get(), kCFRunLoopCommonModes);
        for (int run = 0; run < 10; ++run)
            if (CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.1, true) == kCFRunLoopRunTimedOut)
                break;
        EXPECT_EQ(counter.fired, interval > 0 ? 3 : 1) << interval;
        EXPECT_EQ(counter.releases, 1) << interval;
    }
}

} // namespace
