// Each nib window of the real bundle, shown as the plug-in shows it: every control of its
// definition table is there under its ControlID, also after the window is built again as a
// child window rebuilds it, and laid out without overlaps inside its window. A screenshot of
// every window is saved for review.
#include "NibWindow.h"
#include "NibWindowControls.h"

#include <CPopupWindowInPanel.h>
#include <PlugInIdentity.h>

#include <TestDriver/ToolboxDriver.h>

#include <QDir>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Saves the window as "<name>.png" in the build tree's screenshot folder.
bool saveScreenshot(WindowRef window, const QString& name) {
    const QDir folder(QStringLiteral(NV_SCREENSHOT_DIR));
    return folder.mkpath(QStringLiteral(".")) &&
           ToolboxDriver::saveWindowImage(window, folder.filePath(name + QStringLiteral(".png")));
}

class NibWindows : public testing::TestWithParam<NibWindowControls> {
  protected:
    // The windows are built from the bundle as they are constructed: it is loaded first.
    void SetUp() override { ASSERT_NE(nullptr, faxBundle()); }
    static CFRef<CFStringRef> windowName() {
        return CFRef<CFStringRef>(
            CFStringCreateWithCString(nullptr, GetParam().nibWindowName, kCFStringEncodingUTF8));
    }
};

// Built as a child window builds it: from the bundle, bound through its owner, shown, put away
// and shown again, rebuilt from the nib with every control found and bound again.
TEST_P(NibWindows, ShowEveryControlOfTheirTableUnderItsControlIDAgainWhenRebuilt) {
    CBasePrintPanel owner;
    CPopupWindowInPanel window(GetPDENibFileName(), windowName().get(), GetAppBundleRef());
    std::vector<std::unique_ptr<CBaseControl>> controls;
    for (const ControlID* id : GetParam().controls) {
        controls.push_back(std::make_unique<CBaseControl>(id));
        window.RunTimeAddNewControl(controls.back().get());
    }
    owner.RunTimeAddNewWindow(&window);
    owner.InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr);
    ASSERT_EQ(noErr, window.ActivateWindow());
    ASSERT_EQ(noErr, window.DeactivateWindow());
    EXPECT_EQ(nullptr, window.GetWindow());
    ASSERT_EQ(noErr, window.ActivateWindow());
    ASSERT_TRUE(window.GetWindowRef());
    EXPECT_TRUE(IsWindowVisible(window.GetWindowRef()));
    for (const auto& control : controls) {
        const ControlID& id = *control->GetControlID();
        ControlRef found = nullptr;
        ASSERT_EQ(noErr, GetControlByID(window.GetWindowRef(), &id, &found)) << controlName(id);
        EXPECT_EQ(found, control->GetControlHandle()) << controlName(id) << " bound again";
        EXPECT_TRUE(IsControlVisible(found)) << controlName(id);
        EXPECT_TRUE(IsControlEnabled(found)) << controlName(id);
    }
    EXPECT_TRUE(saveScreenshot(window.GetWindowRef(), QString::fromUtf8(GetParam().nibWindowName)));
    EXPECT_TRUE(owner.ReleaseChildWindow());
    EXPECT_EQ(nullptr, window.GetWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_P(NibWindows, LayOutTheirControlsInsideTheirParentsWithoutOverlaps) {
    NibWindow window(windowName().get());
    ASSERT_TRUE(window.get());
    ShowWindow(window.get());
    const auto controls = GetParam().controls;
    // Each tab's pane gets its size when the tab is first shown.
    for (const ControlID* id : controls) {
        if (!qobject_cast<QTabWidget*>(window.widget(*id))) continue;
        ControlRef tabView = window.control(*id);
        for (SInt32 tab = GetControl32BitMaximum(tabView); tab >= 1; --tab)
            SetControl32BitValue(tabView, tab);
    }
    for (size_t i = 0; i < controls.size(); ++i) {
        QWidget* widget = window.widget(*controls[i]);
        ASSERT_TRUE(widget) << controlName(*controls[i]);
        const QRect area = widget->parentWidget()->rect();
        EXPECT_TRUE(area.contains(widget->geometry()))
            << controlName(*controls[i]) << " lies outside its container";
        for (size_t j = i + 1; j < controls.size(); ++j) {
            QWidget* other = window.widget(*controls[j]);
            if (other && other->parentWidget() == widget->parentWidget()) {
                EXPECT_FALSE(widget->geometry().intersects(other->geometry()))
                    << controlName(*controls[i]) << " overlaps " << controlName(*controls[j]);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(FaxBundle, NibWindows, testing::ValuesIn(kNibWindowControls),
                         [](const testing::TestParamInfo<NibWindowControls>& info) {
                             return std::string(info.param.nibWindowName);
                         });

TEST(FaxBundle, AddressWindowsTabsHoldOneSourceEachWithItsListsFieldAndButtons) {
    NibWindow window(CFSTR("AddressBook"));
    ASSERT_TRUE(window.get());
    ShowWindow(window.get());
    ControlRef tabView = window.control(AddressSettingTabViewCtrlID);
    ASSERT_TRUE(tabView);
    UInt16 tabs = 0;
    ASSERT_EQ(CountSubControls(tabView, &tabs), noErr);
    ASSERT_EQ(tabs, 2);
    for (UInt16 tab = 1; tab <= tabs; ++tab) {
        ControlRef pane = nullptr;
        ASSERT_EQ(GetIndexedSubControl(tabView, tab, &pane), noErr);
        // Tab 1 holds the controls 301 to 307, tab 2 those of 401 to 407.
        const SInt32 first = 201 + 100 * tab;
        int held = 0;
        for (const ControlID* id : kAddressBookControls) {
            const bool onThisTab = id->id >= first && id->id < first + 7;
            EXPECT_EQ(HIControlGetWidget(pane)->isAncestorOf(window.widget(*id)), onThisTab)
                << controlName(*id) << " on tab " << tab;
            held += onThisTab;
        }
        EXPECT_EQ(held, 7);
        SetControl32BitValue(tabView, tab);
        EXPECT_TRUE(saveScreenshot(window.get(), QStringLiteral("AddressBook-tab%1").arg(tab)));
    }
}

} // namespace
