// Modal loops that end by disposal or by the driver's time limit, and idle timers that user
// input restarts.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <gtest/gtest-spi.h>

#include <string>

namespace {

class ModalLoopTest : public NibWindowTest {
  protected:
    ToolboxDriver driver;
};

TEST_F(ModalLoopTest, DisposingTheWindowEndsItsLoop) {
    WindowRef dialog = openWindow("Dialog");
    driver.answerNextModal([](WindowRef window) { DisposeWindow(window); });
    EXPECT_EQ(noErr, RunAppModalLoopForWindow(dialog));
    EXPECT_EQ(nullptr, GetWindowEventTarget(dialog));
}

TEST_F(ModalLoopTest, ALoopItsActionLeavesOpenFailsTheTestOnceTheTimeLimitEndsIt) {
    WindowRef window = openWindow("Dialog");
    SetWindowTitleWithCFString(window, cfString("Stuck").get());
    driver.setModalTimeLimit(std::chrono::milliseconds(50));
    driver.answerNextModal([](WindowRef) {}); // closes nothing
    testing::TestPartResultArray failures;
    {
        const testing::ScopedFakeTestPartResultReporter intercept(
            testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        EXPECT_EQ(noErr, RunAppModalLoopForWindow(window));
    }
    ASSERT_EQ(1, failures.size());
    const std::string message = failures.GetTestPartResult(0).message();
    EXPECT_NE(std::string::npos, message.find("Stuck")) << message;
    EXPECT_NE(std::string::npos, message.find("its scripted action did not close it")) << message;
}

void logIdleMessage(EventLoopTimerRef, EventLoopIdleTimerMessage message, void* log) {
    static_cast<std::vector<EventLoopIdleTimerMessage>*>(log)->push_back(message);
}

TEST(EventLoopTimers, UserInputRestartsAnIdleTimer) {
    std::vector<EventLoopIdleTimerMessage> log;
    EventLoopTimerRef timer = nullptr;
    ASSERT_EQ(noErr, InstallEventLoopIdleTimer(GetMainEventLoop(), 0.01, 10, logIdleMessage, &log,
                                               &timer));
    ASSERT_TRUE(waitFor([&] { return !log.empty(); }));
    QWidget target;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(&target, &press);
    EXPECT_TRUE(waitFor([&] { return log.size() == 3; }));
    EXPECT_EQ((std::vector<EventLoopIdleTimerMessage>{kEventLoopIdleTimerStarted,
                                                      kEventLoopIdleTimerStopped,
                                                      kEventLoopIdleTimerStarted}),
              log);
    EXPECT_EQ(noErr, RemoveEventLoopTimer(timer));
    EXPECT_EQ(paramErr, RemoveEventLoopTimer(timer));
}

} // namespace
