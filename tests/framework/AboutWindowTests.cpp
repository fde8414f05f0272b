// The message window built from the plug-in's nib: the localised message shown modally until
// OK, nothing else closing it, its commands, a window that cannot be built, and a message shown
// from inside a child window's modal loop.
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

const ControlID kOKButtonID = {FOUR_CHAR_CODE("okbt"), 1};

std::string messageOf(WindowRef window) {
    return ToolboxDriver::controlText(window, aboutMsgWndStatictTextCtrlID).toStdString();
}

void sendCommand(WindowRef window, UInt32 commandID) {
    EventRef event = NewCommandEvent(commandID);
    SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event);
}

class AboutWindowTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(faxPlugInBundle()); }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ToolboxDriver driver_;
};

TEST_F(AboutWindowTest, PresentShowsTheLocalisedMessageModallyUntilOKOnly) {
    struct Case {
        CFStringRef key;
        const char* shown;
    };
    const Case cases[] = {
        {CFSTR("No Sender Specified"), "Please add at least one recipient, or enter a fax number."},
        {CFSTR("A message without a translation"), "A message without a translation"},
    };
    for (const Case& each : cases) {
        std::string shown;
        bool modal = false;
        driver_.answerNextModal([&](WindowRef window) {
            shown = messageOf(window);
            modal = IsWindowVisible(window) &&
                    HIWindowGetWidget(window)->windowModality() == Qt::ApplicationModal;
            EXPECT_TRUE(ToolboxDriver::click(window, kOKButtonID));
        });
        EXPECT_EQ(noErr, AboutWindow::Present(faxPlugInBundle(), each.key));
        EXPECT_EQ(each.shown, shown);
        EXPECT_TRUE(modal);
        EXPECT_EQ(0u, driver_.pendingAnswers());
    }

    // Neither the close box nor any other command closes it.
    std::string log;
    driver_.answerNextModal([&](WindowRef window) {
        sendCommand(window, kHICommandClose);
        sendCommand(window, kHICommandCancel);
        HIWindowGetWidget(window)->close(); // the close box
        log += IsWindowVisible(window) ? "still shown;" : "closed;";
        sendCommand(window, kHICommandOK);
        log += "OK;";
    });
    EXPECT_EQ(noErr, AboutWindow::Present(faxPlugInBundle(), CFSTR("No Sender Specified")));
    EXPECT_EQ("still shown;OK;", log);
}

TEST_F(AboutWindowTest, WithoutItsNibWindowNothingIsShownAndNothingWaits) {
    // The panel test bundle has no nib "NVSendraFax".
    EXPECT_EQ(errInvalidWindowRef, AboutWindow::Present(panelTestBundle(), CFSTR("Message")));
    EXPECT_EQ(0u, driver_.pendingAnswers());
}

TEST_F(AboutWindowTest, AMessageFromAChildWindowRunsInsideItsModalLoop) {
    TWindow child(CFSTR("NVSendraFax"), CFSTR("FaxSettings"), faxPlugInBundle());
    ASSERT_NE(nullptr, child.GetWindowRef());
    child.Show();
    std::string log;
    driver_.answerNextModal([&](WindowRef childWindow) {
        log += "child loop;";
        log += AboutWindow::Present(faxPlugInBundle(), CFSTR("Bad Password")) == noErr
                   ? "message dismissed;"
                   : "no message;";
        log += IsWindowVisible(childWindow) ? "child shown;" : "child gone;";
        QuitAppModalLoopForWindow(childWindow);
    });
    driver_.answerNextModal([&](WindowRef message) {
        log += "message: " + messageOf(message) + ";";
        ToolboxDriver::click(message, kOKButtonID);
    });
    EXPECT_EQ(noErr, RunAppModalLoopForWindow(child.GetWindowRef()));
    EXPECT_EQ("child loop;message: The password is four digits.;message dismissed;child shown;",
              log);
}

} // namespace
