// The address window's tab view: tab titles, the pane of the chosen tab, and tab numbers that
// do not exist.
#include <CBasePrintPanel.h>
#include <CTabView.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <CFRef.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TabViewTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(nullptr, window.get());
        panel.RunTimeAddNewControl(&tabs);
        panel.InitializeUserPaneControl(window.get(), nullptr, faxBundle(), nullptr);
        panel.SetControlEventHandler();
    }

    std::string tabTitle(UInt16 tab) const {
        ControlTabInfoRecV1 info = {};
        if (GetControlData(tabs.GetControlHandle(), ControlPartCode(tab), kControlTabInfoTag,
                           sizeof info, &info, nullptr) != noErr)
            return "<none>";
        CFRef<CFStringRef> name(info.name);
        char text[256] = {};
        CFStringGetCString(name.get(), text, sizeof text, kCFStringEncodingUTF8);
        return text;
    }
    void retitleTab(UInt16 tab) const {
        const ControlTabInfoRecV1 info = {kControlTabInfoVersionOne, 0, CFSTR("From the nib")};
        SetControlData(tabs.GetControlHandle(), ControlPartCode(tab), kControlTabInfoTag,
                       sizeof info, &info);
    }
    // The visibility of each pane, tab 1 first.
    std::vector<bool> panesShown() const {
        std::vector<bool> shown;
        UInt16 count = 0;
        CountSubControls(tabs.GetControlHandle(), &count);
        for (UInt16 tab = 1; tab <= count; ++tab) {
            ControlRef pane = nullptr;
            GetIndexedSubControl(tabs.GetControlHandle(), tab, &pane);
            shown.push_back(IsControlVisible(pane));
        }
        return shown;
    }

    NibWindow window{CFSTR("AddressBook")};
    CBasePrintPanel panel;
    CTabView tabs{&AddressSettingTabViewCtrlID, &addressSettingTabIniData, nullptr, nullptr};
};

// Binding titles the tabs and shows only the initial tab's pane; selecting shows that tab's pane
// and a tab beyond the count changes nothing.
TEST_F(TabViewTest, BindingAndSelectingShowOnlyTheCurrentTabsPane) {
    EXPECT_EQ(1, tabs.getCurrentTabIndex());
    EXPECT_EQ((std::vector<bool>{true, false}), panesShown());
    EXPECT_EQ("Address Book", tabTitle(1));
    EXPECT_EQ("Device", tabTitle(2));

    for (unsigned short missing : {3, 0}) {
        EXPECT_FALSE(tabs.selectTab(missing));
        EXPECT_EQ(1, tabs.getCurrentTabIndex());
        EXPECT_EQ(1, GetControl32BitValue(tabs.GetControlHandle()));
    }
    EXPECT_TRUE(tabs.selectTab(2));
    EXPECT_EQ(2, tabs.getCurrentTabIndex());
    EXPECT_EQ(2, GetControl32BitValue(tabs.GetControlHandle()));
    EXPECT_EQ((std::vector<bool>{false, true}), panesShown());
    EXPECT_TRUE(tabs.selectTab(2)); // the current tab shows its pane again
    EXPECT_EQ((std::vector<bool>{false, true}), panesShown());
}

TEST_F(TabViewTest, TheTabTheUserPicksBecomesTheCurrentOne) {
    ASSERT_TRUE(ToolboxDriver::pickTab(window.get(), AddressSettingTabViewCtrlID, 2));
    EXPECT_EQ(2, tabs.getCurrentTabIndex());
    EXPECT_EQ((std::vector<bool>{false, true}), panesShown());
    retitleTab(1);
    EXPECT_TRUE(tabs.ReInitializeCtrl(window.get()));
    EXPECT_EQ("Address Book", tabTitle(1));
    EXPECT_EQ(2, tabs.getCurrentTabIndex()) << "binding again keeps the current tab";
    EXPECT_EQ((std::vector<bool>{false, true}), panesShown());
}

} // namespace
