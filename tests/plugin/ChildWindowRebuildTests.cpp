// The child windows of the plug-in's nib as child windows build them: made from the bundle,
// bound through their owner, shown, deactivated, shown again (rebuilt from the nib) and
// released; every control of the window is found again in the rebuilt window.
#include "NibWindow.h"
#include "NibWindowControls.h"

#include <CPopupWindowInPanel.h>
#include <PlugInIdentity.h>

#include <gtest/gtest.h>

#include <memory>
#include <string_view>
#include <vector>

namespace {

const NibWindowControls* controlsOf(std::string_view windowName) {
    for (const NibWindowControls& entry : kNibWindowControls)
        if (windowName == entry.nibWindowName) return &entry;
    return nullptr;
}

class ChildWindowRebuildTest : public testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { ASSERT_NE(nullptr, faxBundle()); }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_P(ChildWindowRebuildTest, IsBuiltShownReleasedAndRebuiltWithEveryControl) {
    const NibWindowControls* entry = controlsOf(GetParam());
    ASSERT_NE(nullptr, entry);
    CFRef<CFStringRef> name(CFStringCreateWithCString(nullptr, GetParam(), kCFStringEncodingUTF8));
    CBasePrintPanel owner;
    CPopupWindowInPanel window(GetPDENibFileName(), name.get(), GetAppBundleRef());
    std::vector<std::unique_ptr<CBaseControl>> controls;
    for (const ControlID* id : entry->controls) {
        controls.push_back(std::make_unique<CBaseControl>(id));
        window.RunTimeAddNewControl(controls.back().get());
    }
    owner.RunTimeAddNewWindow(&window);
    owner.InitilaizeChildWindow(nullptr, nullptr, GetAppBundleRef(), nullptr);
    ASSERT_NE(nullptr, window.GetWindowRef());

    ASSERT_EQ(noErr, window.ActivateWindow());
    EXPECT_TRUE(IsWindowVisible(window.GetWindowRef()));
    ASSERT_EQ(noErr, window.DeactivateWindow());
    EXPECT_EQ(nullptr, window.GetWindow());
    ASSERT_EQ(noErr, window.ActivateWindow());
    ASSERT_NE(nullptr, window.GetWindowRef());
    EXPECT_TRUE(IsWindowVisible(window.GetWindowRef()));

    for (size_t i = 0; i < controls.size(); ++i) {
        const ControlID& id = *entry->controls[i];
        ControlRef found = nullptr;
        EXPECT_EQ(noErr, GetControlByID(window.GetWindowRef(), &id, &found)) << controlName(id);
        EXPECT_EQ(found, controls[i]->GetControlHandle()) << controlName(id) << " bound again";
    }

    EXPECT_TRUE(owner.ReleaseChildWindow());
    EXPECT_EQ(nullptr, window.GetWindow());
}

INSTANTIATE_TEST_SUITE_P(PlugInNib, ChildWindowRebuildTest,
                         testing::Values("FaxSettings", "AddressBook", "UserProperty",
                                         "GroupProperty"));

} // namespace
