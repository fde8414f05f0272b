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

class UserPaneTest : public testing::Test {
  protected:
    // The dialog with its parent user pane at the bounds, and the panel on the test nib.
    void build(const Rect& parentBounds, CFStringRef windowName = CFSTR("Window")) {
        dialog.addPane("prnt_1", parentBounds);
        panel = std::make_unique<PrintAnsweringPanel>(log);
        panel->SetUserPaneIdentity(FOUR_CHAR_CODE("tpan"), 1, CFSTR("PanelNib"), windowName);
        panel->RunTimeAddNewControl(&checkBox);
        panel->printAnswer = false;
        result = panel->InitializeUserPane(nullptr, parent(), panelTestBundle(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    ControlRef parent() { return dialog.control(kParentID); }

    // The dialog's Print as the dialog sends it to its own window.
    OSStatus pressPrint() {
        EventRef event = NewCommandEvent(kHICommandOK);
        const OSStatus status =
            SendEventToEventTarget(event, GetWindowEventTarget(dialog.window()));
        ReleaseEvent(event);
        return status;
    }

    CallLog log;
    WidgetWindow dialog;
    RecordingControl checkBox{log, "check", &kCheckBoxID};
    std::unique_ptr<PrintAnsweringPanel> panel;
    OSStatus result = -1;
};

// The nib pane is 320 wide and 180 high: a parent grows to it in each dimension it lacks.
class UserPaneSizeTest : public UserPaneTest,
                         public testing::WithParamInterface<std::pair<Rect, Rect>> {};

TEST_P(UserPaneSizeTest, TheParentGrowsToTheNibPaneOnlyWhereItIsSmaller) {
    build(GetParam().first);
    EXPECT_EQ(noErr, result);
    EXPECT_EQ(GetParam().second, boundsOf(parent()));
}

INSTANTIATE_TEST_SUITE_P(
    Parents, UserPaneSizeTest,
    testing::Values(std::pair{Rect{30, 20, 80, 120}, Rect{30, 20, 210, 340}}, // both
                    std::pair{Rect{10, 5, 310, 505}, Rect{10, 5, 310, 505}},  // neither
                    std::pair{Rect{10, 5, 60, 505}, Rect{10, 5, 190, 505}})); // height only

TEST_F(UserPaneTest, TheNibPaneIsCentredEmbeddedAndShownWithItsControlsTakingClicks) {
    build(Rect{10, 5, 310, 505}); // 500 wide: the 320-wide pane moves across by 90
    ControlRef pane = nullptr;
    ASSERT_EQ(noErr, GetControlByID(dialog.window(), &kNibPaneID, &pane));
    EXPECT_EQ((Rect{10, 90, 190, 410}), boundsOf(pane));
    EXPECT_TRUE(IsControlVisible(pane));
    EXPECT_EQ(CallLog{"check:InitializeCtrl"}, log);
    ASSERT_NE(nullptr, checkBox.GetControlHandle());
    EXPECT_EQ(dialog.window(), GetControlOwner(checkBox.GetControlHandle()));
    log.clear();
    ASSERT_TRUE(ToolboxDriver::click(dialog.window(), kCheckBoxID));
    EXPECT_EQ((CallLog{"check:UIEventHandler", "check:GetValueFromUI"}), log);
}

TEST_F(UserPaneTest, ThePrintButtonHandlerWatchesTheDialogWindowUntilThePanelGoes) {
    build(Rect{10, 5, 310, 505});
    log.clear();
    EXPECT_EQ(noErr, pressPrint()); // the panel holds the print back
    EXPECT_EQ(CallLog{"panel:OnClickPrintCommand"}, log);
    panel.reset();
    log.clear();
    EXPECT_EQ(eventNotHandledErr, pressPrint());
    EXPECT_TRUE(log.empty());
}

TEST_F(UserPaneTest, WithoutTheNibPaneTheParentStaysAndNoHandlerIsInstalled) {
    build(Rect{30, 20, 80, 120}, CFSTR("NoPane"));
    EXPECT_EQ(noErr, result);
    EXPECT_EQ((Rect{30, 20, 80, 120}), boundsOf(parent()));
    EXPECT_EQ(CallLog{"check:InitializeCtrl"}, log); // bound to the nib window all the same
    log.clear();
    EXPECT_EQ(eventNotHandledErr, pressPrint());
    EXPECT_TRUE(log.empty());
}

TEST_F(UserPaneTest, WithoutTheNibWindowTheParentStaysAndTheControlsAreInitialisedWithoutOne) {
    build(Rect{30, 20, 80, 120}, CFSTR("Missing"));
    EXPECT_EQ(noErr, result);
    EXPECT_EQ((Rect{30, 20, 80, 120}), boundsOf(parent()));
    EXPECT_EQ(CallLog{"check:InitializeCtrl(no window)"}, log);
    EXPECT_EQ(nullptr, checkBox.GetControlHandle());
}

TEST(UserPanePlacement, CentringMovesDownByTheTopAndAcrossByHalfTheWidthDifference) {
    WidgetWindow window;
    window.addPane("ctrl_1", Rect{0, 0, 10, 10});
    ControlRef control = window.control(ControlID{FOUR_CHAR_CODE("ctrl"), 1});
    const Rect rectangle = {10, 100, 110, 300}; // 200 wide; its left is not added
    struct Case {
        Rect before;
        Rect after;
    } cases[] = {
        {{0, 0, 50, 100}, {10, 50, 60, 150}},   // narrower: +50
        {{5, 20, 50, 280}, {15, -10, 60, 250}}, // wider by 60: moves left by 30
        {{0, 0, 20, 205}, {10, -2, 30, 203}},   // wider by 5: -2.5 truncated toward zero
    };
    for (const Case& c : cases) {
        SetControlBounds(control, &c.before);
        EXPECT_EQ(noErr, AdjustControlBoundsCenter(control, &rectangle));
        EXPECT_EQ(c.after, boundsOf(control));
    }
    EXPECT_EQ(paramErr, AdjustControlBoundsCenter(control, nullptr));
}

TEST(UserPanePlacement, EmbeddingShowsTheControlOnlyWhenTheEmbedSucceeds) {
    WidgetWindow window;
    window.addPane("host_1", Rect{0, 0, 300, 300});
    window.addPane("ctrl_1", Rect{0, 0, 10, 10});
    ControlRef host = window.control(ControlID{FOUR_CHAR_CODE("host"), 1});
    ControlRef control = window.control(ControlID{FOUR_CHAR_CODE("ctrl"), 1});
    HideControl(control);
    EXPECT_NE(noErr, EmbedAndShowControl(control, nullptr));
    EXPECT_FALSE(IsControlVisible(control));
    EXPECT_EQ(noErr, EmbedAndShowControl(control, host));
    EXPECT_TRUE(IsControlVisible(control));
}

} // namespace
