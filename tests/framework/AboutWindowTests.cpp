// The message window built from the plug-in's nib: shown modally until OK and nothing else, and
// a window that cannot be built.
#include "CallLog.h"
#include "TestBundles.h"

#include <AboutWindow.h>

#include <ControlDefinitionTables.h>
#include <HIToolboxQt.h>
#include <MacErrors.h>
#include <TestDriver/ToolboxDriver.h>

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

void sendCommand(WindowRef window, UInt32 commandID) {
    EventRef event = NewCommandEvent(commandID);
    SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event);
}

TEST(AboutWindowTest, TheMessageStaysUpModallyUntilOKOnly) {
    ASSERT_TRUE(faxPlugInBundle());
    ToolboxDriver driver;
    std::string log;
    driver.answerNextModal([&](WindowRef window) {
        log = ToolboxDriver::controlText(window, aboutMsgWndStatictTextCtrlID).toStdString() + ";";
        if (HIWindowGetWidget(window)->windowModality() == Qt::ApplicationModal) log += "modal;";
        sendCommand(window, kHICommandClose);
        sendCommand(window, kHICommandCancel);
        HIWindowGetWidget(window)->close(); // the close box
        log += IsWindowVisible(window) ? "still shown;" : "closed;";
        sendCommand(window, kHICommandOK);
    });
    EXPECT_EQ(noErr,
              AboutWindow::Present(faxPlugInBundle(), CFSTR("A message without a translation")));
    EXPECT_EQ("A message without a translation;modal;still shown;", log);
    EXPECT_EQ(0u, driver.pendingAnswers());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
