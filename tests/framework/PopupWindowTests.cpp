// The life of a child window: built from the given nib at construction, its controls bound
// through the owner, shown, released any way and rebuilt from the plug-in's own nib with its
// controls bound again, reset to their initial data and then shown with their current values.
#include "CallLog.h"
#include "TestBundles.h"

#include <CPopupWindowInPanel.h>
#include <HIToolboxQt.h>

#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

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

// The owner binds the controls to the window built at construction; activating shows the values,
// then the window. Every way of giving the window up unbinds the controls; a child window closed
// by its close box or 'clos' (its wrapper deletes itself) forgets it. Shown again, it is rebuilt.
TEST_F(PopupWindowTest, AWindowGivenUpAnyWayIsForgottenAndRebuiltFromThePlugInsNib) {
    const std::function<void(CPopupWindowInPanel&)> ways[] = {
        [](CPopupWindowInPanel& p) { EXPECT_EQ(noErr, p.DeactivateWindow()); },
        [](CPopupWindowInPanel& p) { EXPECT_EQ(noErr, p.ReleaseWindow()); },
        [](CPopupWindowInPanel& p) { EXPECT_EQ(noErr, p.Terminate(nullptr, noErr)); },
        [](CPopupWindowInPanel& p) { HIWindowGetWidget(p.GetWindowRef())->close(); },
        [](CPopupWindowInPanel& p) {
            EventRef close = NewCommandEvent(kHICommandClose);
            SendEventToEventTarget(close, GetWindowEventTarget(p.GetWindowRef()));
            ReleaseEvent(close);
        },
    };
    build();
    EXPECT_EQ("message:InitializeCtrl ok:InitializeCtrl", taken(log));
    EXPECT_TRUE(controlsBoundToWindow());
    EXPECT_TRUE(hasTitle(popup->GetWindowRef(), CFSTR("Test message")));
    const std::string showValues = "message:ToUI ok:ToUI message:Simulation ok:Simulation";
    for (size_t way = 0; way < std::size(ways); ++way) {
        SCOPED_TRACE(way);
        WindowRef shown = popup->GetWindowRef();
        ASSERT_EQ(noErr, popup->ActivateWindow());
        EXPECT_EQ(shown, popup->GetWindowRef());
        EXPECT_TRUE(IsWindowVisible(shown));
        EXPECT_EQ(showValues, taken(log));
        ways[way](*popup);
        EXPECT_EQ(nullptr, popup->GetWindow());
        EXPECT_TRUE(isDisposed(shown));
        EXPECT_TRUE(controlsUnbound());
        EXPECT_EQ(noErr, popup->ReleaseWindow()); // nothing left to give up
        EXPECT_EQ(noErr, popup->DeactivateWindow());

        EXPECT_EQ(noErr, popup->ActivateWindow());
        EXPECT_TRUE(hasTitle(popup->GetWindowRef(), CFSTR("Fax"))); // the plug-in's "About"
        EXPECT_TRUE(controlsBoundToWindow());
        // Bound again, back to the initial data, and only then the current values.
        EXPECT_EQ("message:ReInitializeCtrl message:Reset ok:ReInitializeCtrl ok:Reset "
                  "message:IniData ok:IniData " +
                      showValues,
                  taken(log));
    }
    WindowRef last = popup->GetWindowRef();
    popup.reset();
    EXPECT_TRUE(isDisposed(last));
}

TEST_F(PopupWindowTest, AWindowTheNibDoesNotHaveLeavesTheControlsUnbound) {
    build(CFSTR("Missing"));
    ASSERT_NE(nullptr, popup->GetWindow());
    EXPECT_EQ(nullptr, popup->GetWindowRef());
    EXPECT_EQ("message:InitializeCtrl(no window) ok:InitializeCtrl(no window)", log);
    EXPECT_EQ(noErr, popup->DeactivateWindow());
    log.clear();
    EXPECT_EQ(noErr, popup->ActivateWindow()); // the plug-in's nib has none either
    EXPECT_EQ(nullptr, popup->GetWindowRef());
    EXPECT_EQ(0u, log.find("message:ReInitializeCtrl(no window)"));
    EXPECT_EQ(nullptr, message.GetControlHandle());
}

} // namespace
