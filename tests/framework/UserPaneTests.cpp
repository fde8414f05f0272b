// Building the pane into the dialog: the parent user pane's growth, the centring and
// embedding of the nib's user pane, the binding of the controls and the print-button handler.
#include "CallLog.h"
#include "TestBundles.h"
#include "TestWindows.h"

#include <ToolboxDriver.h>
#include <UserPanePlacement.h>

#include <MacErrors.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

const ControlID kParentID = {FOUR_CHAR_CODE("prnt"), 1};
const ControlID kCheckBoxID = {FOUR_CHAR_CODE("chkb"), 10};
const ControlID kNibPaneID = {FOUR_CHAR_CODE("tpan"), 1};

// A dialog with its parent user pane, and a panel on the test nib whose Print is held back.
class UserPaneTest : public testing::Test {
  protected:
    // A new dialog and panel; InitializeUserPane's answer.
    OSStatus build(const Rect& parentBounds, CFStringRef windowName = CFSTR("Window")) {
        panel.reset();
        dialog = std::make_unique<WidgetWindow>();
        dialog->addPane("prnt_1", parentBounds);
        panel = std::make_unique<PrintAnsweringPanel>(log);
        panel->SetUserPaneIdentity(FOUR_CHAR_CODE("tpan"), 1, CFSTR("PanelNib"), windowName);
        panel->RunTimeAddNewControl(&checkBox);
        panel->printAnswer = false;
        return initialize();
    }
    OSStatus initialize() {
        const OSStatus result =
            panel->InitializeUserPane(nullptr, parent(), panelTestBundle(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return result;
    }
    ControlRef parent() { return dialog->control(kParentID); }

    // The dialog's Print as the dialog sends it to its own window.
    OSStatus pressPrint() {
        EventRef event = NewCommandEvent(kHICommandOK);
        const OSStatus status =
            SendEventToEventTarget(event, GetWindowEventTarget(dialog->window()));
        ReleaseEvent(event);
        return status;
    }

    CallLog log;
    RecordingControl checkBox{log, "check", &kCheckBoxID};
    std::unique_ptr<WidgetWindow> dialog;
    std::unique_ptr<PrintAnsweringPanel> panel;
};

// The nib pane is 320 wide and 180 high: a parent grows to it in each dimension it lacks. Only
// with the nib pane does the panel watch the dialog's Print (which it holds back here).
TEST_F(UserPaneTest, TheParentGrowsToTheNibPaneWhereItIsSmallerAndOnlyWithIt) {
    const Rect small = {30, 20, 80, 120};
    const struct {
        Rect before;
        CFStringRef window;
        Rect after;
        const char* calls; // after the Print
    } cases[] = {
        {small, CFSTR("Window"), {30, 20, 210, 340}, "check:InitializeCtrl panel:Print"},
        {{10, 5, 310, 505}, CFSTR("Window"), {10, 5, 310, 505}, "check:InitializeCtrl panel:Print"},
        {{10, 5, 60, 505}, CFSTR("Window"), {10, 5, 190, 505}, "check:InitializeCtrl panel:Print"},
        {small, CFSTR("NoPane"), small, "check:InitializeCtrl"}, // bound to the nib window
        {small, CFSTR("Missing"), small, "check:InitializeCtrl(no window)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(noErr, build(c.before, c.window));
        EXPECT_EQ(c.after, boundsOf(parent()));
        pressPrint();
        EXPECT_EQ(c.calls, taken(log));
    }
    EXPECT_EQ(nullptr, checkBox.GetControlHandle()); // a failed binding forgets the earlier one
}

TEST_F(UserPaneTest, TheNibPaneIsCentredEmbeddedAndShownWithItsControlsTakingClicks) {
    ASSERT_EQ(noErr, build(Rect{10, 5, 310, 505})); // 500 wide: the 320-wide pane moves by 90
    ControlRef pane = nullptr;
    ASSERT_EQ(noErr, GetControlByID(dialog->window(), &kNibPaneID, &pane));
    EXPECT_EQ((Rect{10, 90, 190, 410}), boundsOf(pane));
    EXPECT_TRUE(IsControlVisible(pane));
    EXPECT_EQ("check:InitializeCtrl", taken(log));
    ASSERT_NE(nullptr, checkBox.GetControlHandle());
    EXPECT_EQ(dialog->window(), GetControlOwner(checkBox.GetControlHandle()));
    ASSERT_TRUE(ToolboxDriver::click(dialog->window(), kCheckBoxID));
    EXPECT_EQ("check:Hit check:FromUI", log);
    EXPECT_EQ(errUnknownControl, EmbedAndShowControl(pane, nullptr)); // nowhere to embed it
}

// One handler for the panel's life, however often it is built, and none once it is gone.
TEST_F(UserPaneTest, ThePrintButtonHandlerWatchesTheDialogWindowUntilThePanelGoes) {
    build(Rect{10, 5, 310, 505});
    initialize();
    log.clear();
    EXPECT_EQ(noErr, pressPrint());
    EXPECT_EQ("panel:Print", taken(log));
    panel.reset();
    EXPECT_EQ(eventNotHandledErr, pressPrint());
    EXPECT_EQ("", log);
}

} // namespace
