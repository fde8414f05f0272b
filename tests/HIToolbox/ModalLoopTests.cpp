// Modal loops, timers and standard alerts, answered through the test driver.
#include "ToolboxDriver.h"
#include "ToolboxTestSupport.h"

#include <HIToolboxTesting.h>

#include <gtest/gtest-spi.h>

#include <string>

namespace {

class ModalLoopTest : public NibWindowTest {
  protected:
    ToolboxDriver driver;
};

TEST_F(ModalLoopTest, NestedLoopsEndInnermostFirst) {
    WindowRef outer = openWindow("Dialog");
    WindowRef inner = openWindow("Dialog");
    std::vector<std::string> log;
    driver.answerNextModal([&](WindowRef window) {
        EXPECT_EQ(outer, window);
        log.push_back("outer running");
        RunAppModalLoopForWindow(inner); // answered by the next action
        log.push_back("inner returned");
        EXPECT_EQ(noErr, QuitAppModalLoopForWindow(outer));
    });
    driver.answerNextModal([&](WindowRef window) {
        EXPECT_EQ(inner, window);
        log.push_back("inner running");
        EXPECT_EQ(noErr, QuitAppModalLoopForWindow(inner));
    });

    EXPECT_EQ(noErr, RunAppModalLoopForWindow(outer));
    log.push_back("outer returned");
    EXPECT_EQ((std::vector<std::string>{"outer running", "inner running", "inner returned",
                                        "outer returned"}),
              log);
    EXPECT_EQ(windowNoAppModalStateErr, QuitAppModalLoopForWindow(outer));
    EXPECT_EQ(0u, driver.pendingAnswers());
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

OSStatus quitOnOK(EventHandlerCallRef, EventRef event, void* window) {
    HICommand command{};
    GetEventParameter(event, kEventParamDirectObject, typeHICommand, nullptr, sizeof command,
                      nullptr, &command);
    if (command.commandID != kHICommandOK) return eventNotHandledErr;
    QuitAppModalLoopForWindow(static_cast<WindowRef>(window));
    return noErr;
}

TEST_F(ModalLoopTest, AButtonOfTheModalWindowEndsItsLoop) {
    WindowRef dialog = openWindow("Dialog");
    const EventTypeSpec command{kEventClassCommand, kEventCommandProcess};
    InstallWindowEventHandler(dialog, quitOnOK, 1, &command, dialog, nullptr);
    ShowWindow(dialog);
    driver.answerNextModal([](WindowRef window) {
        EXPECT_TRUE(ToolboxDriver::windowTexts(window).contains("Test Dialog"));
        ToolboxDriver::click(window, controlID("done", 1));
    });
    EXPECT_EQ(noErr, RunAppModalLoopForWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(ModalLoopTest, DisposingTheWindowEndsItsLoop) {
    WindowRef dialog = openWindow("Dialog");
    driver.answerNextModal([](WindowRef window) { DisposeWindow(window); });
    EXPECT_EQ(noErr, RunAppModalLoopForWindow(dialog));
    EXPECT_EQ(nullptr, GetWindowEventTarget(dialog));
}

struct TimerLog {
    std::vector<EventLoopIdleTimerMessage> messages;
    bool removeWhenCalled = true;
};

void idleTimerCalled(EventLoopTimerRef timer, EventLoopIdleTimerMessage message, void* data) {
    auto* log = static_cast<TimerLog*>(data);
    log->messages.push_back(message);
    if (log->removeWhenCalled) {
        EXPECT_EQ(noErr, RemoveEventLoopTimer(timer));
    }
}

TEST(EventLoopTimers, AnIdleTimerFiresOnceAndMayRemoveItself) {
    TimerLog log;
    EventLoopTimerRef timer = nullptr;
    ASSERT_EQ(noErr, InstallEventLoopIdleTimer(GetMainEventLoop(), 0.01, 0, idleTimerCalled, &log,
                                               &timer));
    EXPECT_TRUE(waitFor([&] { return !log.messages.empty(); }));
    EXPECT_EQ(std::vector<EventLoopIdleTimerMessage>{kEventLoopIdleTimerStarted}, log.messages);
    EXPECT_EQ(paramErr, RemoveEventLoopTimer(timer)); // it removed itself
}

TEST(EventLoopTimers, UserInputRestartsAnIdleTimer) {
    TimerLog log{{}, false};
    EventLoopTimerRef timer = nullptr;
    ASSERT_EQ(noErr, InstallEventLoopIdleTimer(GetMainEventLoop(), 0.01, 10, idleTimerCalled, &log,
                                               &timer));
    ASSERT_TRUE(waitFor([&] { return !log.messages.empty(); }));
    QWidget target;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QCoreApplication::sendEvent(&target, &press);
    EXPECT_TRUE(waitFor([&] { return log.messages.size() == 3; }));
    EXPECT_EQ((std::vector<EventLoopIdleTimerMessage>{kEventLoopIdleTimerStarted,
                                                      kEventLoopIdleTimerStopped,
                                                      kEventLoopIdleTimerStarted}),
              log.messages);
    EXPECT_EQ(noErr, RemoveEventLoopTimer(timer));
}

DialogRef makeAlert() {
    AlertStdCFStringAlertParamRec param;
    GetStandardAlertDefaultParams(&param, kStdCFStringAlertVersionOne);
    param.defaultText = CFSTR("Go on");
    param.cancelText = CFSTR("Stop");
    param.cancelButton = kAlertStdAlertCancelButton;
    DialogRef alert = nullptr;
    EXPECT_EQ(noErr, CreateStandardAlert(kAlertCautionAlert, CFSTR("Duplicated"),
                                         CFSTR("Add it again?"), &param, &alert));
    return alert;
}

void pressEscape(WindowRef window) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(HIWindowGetWidget(window), &escape);
}

TEST_F(ModalLoopTest, AlertsAnswerTheItemOfTheButtonPressedAndEscapeCancels) {
    struct Case {
        const char* what;
        std::function<void(WindowRef)> answer;
        DialogItemIndex item;
    };
    const Case cases[] = {
        {"OK", [](WindowRef w) { ToolboxDriver::clickAlertButton(w, kAlertStdAlertOKButton); },
         kAlertStdAlertOKButton},
        {"Cancel",
         [](WindowRef w) { ToolboxDriver::clickAlertButton(w, kAlertStdAlertCancelButton); },
         kAlertStdAlertCancelButton},
        {"Escape", pressEscape, kAlertStdAlertCancelButton},
    };
    DialogItemIndex itemHit = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList shown;
        driver.answerNextModal([&](WindowRef window) {
            shown = ToolboxDriver::windowTexts(window);
            c.answer(window);
        });
        EXPECT_EQ(noErr, RunStandardAlert(makeAlert(), nullptr, &itemHit));
        EXPECT_EQ(c.item, itemHit);
        EXPECT_TRUE(shown.contains("Duplicated") && shown.contains("Add it again?") &&
                    shown.contains("Go on") && shown.contains("Stop"));
    }
    EXPECT_EQ(paramErr, RunStandardAlert(nullptr, nullptr, &itemHit));
}

TEST_F(ModalLoopTest, AnAlertRunsInsideAModalWindowsLoop) {
    WindowRef dialog = openWindow("Dialog");
    DialogItemIndex itemHit = 0;
    driver.answerNextModal([&](WindowRef window) {
        RunStandardAlert(makeAlert(), nullptr, &itemHit);
        QuitAppModalLoopForWindow(window);
    });
    driver.answerNextAlert(kAlertStdAlertOKButton);
    EXPECT_EQ(noErr, RunAppModalLoopForWindow(dialog));
    EXPECT_EQ(kAlertStdAlertOKButton, itemHit);
}

// A Unicode-key handler that, like a field watcher on older systems, looks at the field's text
// from a one-shot idle timer after each key.
struct FieldWatch {
    ControlRef field;
    std::vector<QString> seen;
};

void readField(EventLoopTimerRef timer, EventLoopIdleTimerMessage, void* data) {
    auto* watch = static_cast<FieldWatch*>(data);
    CFStringRef text = nullptr;
    GetControlData(watch->field, kControlEditTextPart, kControlEditTextCFStringTag, sizeof text,
                   &text, nullptr);
    watch->seen.push_back(qText(text));
    CFRelease(text);
    RemoveEventLoopTimer(timer);
}

OSStatus watchKey(EventHandlerCallRef, EventRef, void* data) {
    const OSStatus status =
        InstallEventLoopIdleTimer(GetMainEventLoop(), 0.01, 0, readField, data, nullptr);
    return status == noErr ? eventNotHandledErr : status;
}

TEST_F(ModalLoopTest, AnIdleTimerInstalledForAKeySeesTheTypedText) {
    WindowRef window = openWindow();
    FieldWatch watch{control(window, "edit", 5), {}};
    const EventTypeSpec unicodeKey{kEventClassTextInput, kEventTextInputUnicodeForKeyEvent};
    InstallControlEventHandler(watch.field, watchKey, 1, &unicodeKey, &watch, nullptr);
    ToolboxDriver::typeKeys(window, controlID("edit", 5), "12");
    EXPECT_TRUE(waitFor([&] { return watch.seen.size() == 2; }));
    EXPECT_EQ((std::vector<QString>{"12", "12"}), watch.seen); // both fire after the typing
}

} // namespace
