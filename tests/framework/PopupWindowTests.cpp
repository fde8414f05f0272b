// The life of a child window: built from the given nib at construction, its controls bound
// through the owner, shown, released and rebuilt from the plug-in's own nib with its controls
// bound again, reset to their initial data and then shown with their current values.
#include "CallLog.h"
#include "TestBundles.h"
#include "TestWindows.h"

#include <CPopupWindowInPanel.h>
#include <ToolboxDriver.h>

#include <MacErrors.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

const ControlID kMessageID = {FOUR_CHAR_CODE("mste"), 600};
const ControlID kOKButtonID = {FOUR_CHAR_CODE("okbt"), 1};

bool hasTitle(WindowRef window, CFStringRef expected) {
    CFStringRef title = nullptr;
    if (CopyWindowTitleAsCFString(window, &title) != noErr) return false;
    CFRef<CFStringRef> held(title);
    return CFStringCompare(title, expected, 0) == kCFCompareEqualTo;
}

bool isDisposed(WindowRef window) {
    return GetWindowEventTarget(window) == nullptr;
}

// A child window of an owner panel, on the test nib's stand-in of the message window (the
// plug-in's own nib has a window of the same name and controls, titled "Fax").
class PopupWindowTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(nullptr, faxPlugInBundle()); }
    void TearDown() override {
        popup.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Made, its two controls added, added to the owner and initialised through it.
    void build(CFStringRef windowName = CFSTR("About")) {
        popup =
            std::make_unique<CPopupWindowInPanel>(CFSTR("PanelNib"), windowName, panelTestBundle());
        popup->RunTimeAddNewControl(&message);
        popup->RunTimeAddNewControl(&okButton);
        owner.RunTimeAddNewWindow(popup.get());
        owner.InitilaizeChildWindow(nullptr, nullptr, panelTestBundle(), nullptr);
    }

    // Both controls bound to the child window's current platform window.
    bool controlsBoundToWindow() const {
        WindowRef window = popup->GetWindowRef();
        return window && GetControlOwner(message.GetControlHandle()) == window &&
               GetControlOwner(okButton.GetControlHandle()) == window;
    }
    // A released window leaves no control holding a reference into it, which a control of a
    // later window could reuse.
    bool controlsUnbound() const {
        return !message.GetControlHandle() && !okButton.GetControlHandle();
    }

    CallLog log;
    CBasePrintPanel owner;
    RecordingControl message{log, "message", &kMessageID};
    RecordingControl okButton{log, "ok", &kOKButtonID};
    std::unique_ptr<CPopupWindowInPanel> popup;
};

TEST_F(PopupWindowTest, TheWindowIsBuiltFromTheGivenNibAtConstruction) {
    CFRef<CFMutableStringRef> name(CFStringCreateMutableCopy(nullptr, 0, CFSTR("About")));
    CPopupWindowInPanel window(CFSTR("PanelNib"), name.get(), panelTestBundle());
    CFStringAppend(name.get(), CFSTR("!")); // the window keeps a copy
    EXPECT_EQ(kCFCompareEqualTo, CFStringCompare(window.GetWindowName(), CFSTR("About"), 0));
    ASSERT_NE(nullptr, window.GetWindow());
    EXPECT_TRUE(hasTitle(window.GetWindowRef(), CFSTR("Test message")));
    EXPECT_EQ(TWindow::kWindowKind, GetWindowKind(window.GetWindowRef()));
    EXPECT_FALSE(IsWindowVisible(window.GetWindowRef()));
}

TEST_F(PopupWindowTest, TheOwnerBindsTheControlsAndActivatingShowsTheValuesThenTheWindow) {
    build();
    EXPECT_EQ((CallLog{"message:InitializeCtrl", "ok:InitializeCtrl"}), log);
    EXPECT_TRUE(controlsBoundToWindow());
    WindowRef built = popup->GetWindowRef();
    log.clear();
    EXPECT_EQ(noErr, popup->ActivateWindow());
    EXPECT_EQ(built, popup->GetWindowRef());
    EXPECT_TRUE(IsWindowVisible(built));
    EXPECT_EQ((CallLog{"message:SetControlValueToUI", "ok:SetControlValueToUI",
                       "message:Simulation", "ok:Simulation"}),
              log);
    log.clear();
    ASSERT_TRUE(ToolboxDriver::click(built, kOKButtonID));
    EXPECT_EQ((CallLog{"ok:UIEventHandler", "ok:GetValueFromUI"}), log);
}

TEST_F(PopupWindowTest, ShownAgainAfterDeactivationTheWindowIsRebuiltFromThePlugInsNib) {
    build();
    ASSERT_EQ(noErr, popup->ActivateWindow());
    WindowRef first = popup->GetWindowRef();
    EXPECT_EQ(noErr, popup->DeactivateWindow());
    EXPECT_EQ(nullptr, popup->GetWindow());
    EXPECT_TRUE(isDisposed(first));
    EXPECT_TRUE(controlsUnbound());

    log.clear();
    EXPECT_EQ(noErr, popup->ActivateWindow());
    ASSERT_NE(nullptr, popup->GetWindowRef());
    EXPECT_TRUE(hasTitle(popup->GetWindowRef(), CFSTR("Fax"))); // the plug-in's "About"
    EXPECT_TRUE(IsWindowVisible(popup->GetWindowRef()));
    EXPECT_TRUE(controlsBoundToWindow());
    // Bound again, back to the initial data, and only then the current values.
    EXPECT_EQ((CallLog{"message:ReInitializeCtrl", "message:ResetStatus", "ok:ReInitializeCtrl",
                       "ok:ResetStatus", "message:SetUIValueToIniData", "ok:SetUIValueToIniData",
                       "message:SetControlValueToUI", "ok:SetControlValueToUI",
                       "message:Simulation", "ok:Simulation"}),
              log);

    log.clear();
    ASSERT_TRUE(ToolboxDriver::click(popup->GetWindowRef(), kOKButtonID));
    EXPECT_EQ((CallLog{"ok:UIEventHandler", "ok:GetValueFromUI"}), log);
}

TEST_F(PopupWindowTest, ReleaseTerminateAndDeletionGiveUpTheWindowAndOnAnUnbuiltOneDoNothing) {
    build();
    WindowRef built = popup->GetWindowRef();
    log.clear();
    EXPECT_EQ(noErr, popup->ReleaseWindow());
    EXPECT_EQ(nullptr, popup->GetWindow());
    EXPECT_TRUE(isDisposed(built));
    EXPECT_TRUE(controlsUnbound());
    EXPECT_EQ(noErr, popup->ReleaseWindow());
    EXPECT_EQ(noErr, popup->Terminate(nullptr, noErr));
    EXPECT_EQ(noErr, popup->DeactivateWindow());
    EXPECT_EQ(nullptr, popup->GetWindow());
    EXPECT_TRUE(log.empty());

    ASSERT_EQ(noErr, popup->ActivateWindow());
    built = popup->GetWindowRef();
    EXPECT_EQ(noErr, popup->Terminate(nullptr, noErr));
    EXPECT_EQ(nullptr, popup->GetWindow());
    EXPECT_TRUE(isDisposed(built));
    EXPECT_TRUE(controlsUnbound());

    ASSERT_EQ(noErr, popup->ActivateWindow());
    built = popup->GetWindowRef();
    popup.reset();
    EXPECT_TRUE(isDisposed(built));
}

TEST_F(PopupWindowTest, AWindowTheNibDoesNotHaveLeavesTheControlsUnbound) {
    build(CFSTR("Missing"));
    ASSERT_NE(nullptr, popup->GetWindow());
    EXPECT_EQ(nullptr, popup->GetWindowRef());
    EXPECT_EQ((CallLog{"message:InitializeCtrl(no window)", "ok:InitializeCtrl(no window)"}), log);
    EXPECT_EQ(noErr, popup->ActivateWindow());
    EXPECT_EQ(noErr, popup->DeactivateWindow());
    log.clear();
    EXPECT_EQ(noErr, popup->ActivateWindow()); // the plug-in's nib has none either
    EXPECT_EQ(nullptr, popup->GetWindowRef());
    EXPECT_EQ("message:ReInitializeCtrl(no window)", log.at(0));
    EXPECT_EQ(nullptr, message.GetControlHandle());
}

TEST_F(PopupWindowTest, AWindowClosedByItsCloseBoxIsForgottenAndRebuiltWhenShownAgain) {
    build();
    ASSERT_EQ(noErr, popup->ActivateWindow());
    WindowRef shown = popup->GetWindowRef();
    HIWindowGetWidget(shown)->close();
    EXPECT_EQ(nullptr, popup->GetWindow());
    EXPECT_TRUE(isDisposed(shown));
    EXPECT_TRUE(controlsUnbound());
    EXPECT_EQ(noErr, popup->ActivateWindow());
    EXPECT_TRUE(hasTitle(popup->GetWindowRef(), CFSTR("Fax")));
    EXPECT_TRUE(controlsBoundToWindow());
}

} // namespace
