// The address window's tab view: the pane of the chosen tab, tab numbers that do not exist, and
// binding again.
#include <CBasePrintPanel.h>
#include <CTabView.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(TabViewTest, OnlyTheCurrentTabsPaneShowsAndTabsThatDoNotExistAreRefused) {
    NibWindow window{CFSTR("AddressBook")};
    ASSERT_NE(nullptr, window.get());
    CBasePrintPanel panel;
    CTabView tabs{&AddressSettingTabViewCtrlID, &addressSettingTabIniData, nullptr, nullptr};
    panel.RunTimeAddNewControl(&tabs);
    panel.InitializeUserPaneControl(window.get(), nullptr, faxBundle(), nullptr);
    panel.SetControlEventHandler();
    // The current tab as the view and the platform control know it, then each pane's visibility.
    const auto state = [&tabs] {
        std::vector<int> shown = {tabs.getCurrentTabIndex(),
                                  int(GetControl32BitValue(tabs.GetControlHandle()))};
        for (UInt16 tab = 1; tab <= 2; ++tab) {
            ControlRef pane = nullptr;
            GetIndexedSubControl(tabs.GetControlHandle(), tab, &pane);
            shown.push_back(IsControlVisible(pane));
        }
        return shown;
    };
    EXPECT_EQ((std::vector<int>{1, 1, true, false}), state());
    for (const unsigned short missing : {3, 0})
        EXPECT_FALSE(tabs.selectTab(missing));
    ASSERT_TRUE(ToolboxDriver::pickTab(window.get(), AddressSettingTabViewCtrlID, 2));
    EXPECT_TRUE(tabs.ReInitializeCtrl(window.get()));
    EXPECT_EQ((std::vector<int>{2, 2, false, true}), state()) << "the user's pick stays current";
    EXPECT_TRUE(tabs.selectTab(1));
    EXPECT_TRUE(tabs.selectTab(1)); // the current tab shows its pane again
    EXPECT_EQ((std::vector<int>{1, 1, true, false}), state());
}

} // namespace
