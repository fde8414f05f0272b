// The definition tables as the windows rely on them: ControlIDs that a window can tell apart,
// constraint lists that name controls their panel can reach, keys that the bundle translates,
// and access records made ready when the plug-in is loaded.
#include "NibWindow.h"
#include "NibWindowControls.h"
#include "PlugInTestSupport.h"

#include <CFPreferences.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

namespace {

bool operator==(const ControlID& one, const ControlID& other) {
    return one.signature == other.signature && one.id == other.id;
}

const NibWindowControls& controlsOf(std::string_view nibWindowName) {
    return *std::find_if(
        std::begin(kNibWindowControls), std::end(kNibWindowControls),
        [&](const NibWindowControls& window) { return window.nibWindowName == nibWindowName; });
}

TEST(ControlTables, EveryControlIDIsDistinctWithinItsWindow) {
    for (const NibWindowControls& window : kNibWindowControls)
        for (size_t i = 0; i < window.controls.size(); ++i)
            for (size_t j = i + 1; j < window.controls.size(); ++j)
                EXPECT_FALSE(*window.controls[i] == *window.controls[j])
                    << window.nibWindowName << ": " << controlName(*window.controls[i]);
}

TEST(ControlTables, EachHelpButtonIsFoundOnlyInItsOwnWindow) {
    NibWindow pane(CFSTR("Window"));
    NibWindow sheet(CFSTR("FaxSettings"));
    NibWindow addresses(CFSTR("AddressBook"));
    EXPECT_TRUE(pane.control(helpBookButtonCtrlID));
    EXPECT_FALSE(pane.control(helpButtonCtrlID));
    EXPECT_TRUE(sheet.control(helpButtonCtrlID));
    EXPECT_FALSE(sheet.control(helpBookButtonCtrlID));
    EXPECT_TRUE(addresses.control(HelpButtonCtrlID));
}

struct ConstrainedControl {
    const ConstrainInfo* info;
    size_t values;
    // The owner's nib window and those of its child windows, where its panel looks controls up.
    std::vector<const char*> reachableWindows;
};

TEST(ControlTables, EveryConstraintListNamesAControlItsPanelReaches) {
    const std::vector<const char*> fromSheet = {"FaxSettings", "AddressBook", "UserProperty",
                                                "GroupProperty"};
    std::vector<const char*> fromPane = fromSheet;
    fromPane.insert(fromPane.begin(), "Window");
    const ConstrainedControl constrained[] = {
        {&senderModeConstrainInfo, std::size(senderModeConstrainArrayInfo), fromPane},
        {&coverPageConstrainInfo, std::size(coverPageConstrainArrayInfo), fromPane},
        {&delayedSendConstrainInfo, std::size(delayedSendConstrainArrayInfo), fromSheet},
    };
    for (const ConstrainedControl& control : constrained) {
        EXPECT_FALSE(control.info->hideArray);
        EXPECT_FALSE(control.info->updateArray);
        size_t lists = 0;
        for (size_t value = 0; value < control.values; ++value) {
            ConstrainList list = control.info->disableArray[value];
            for (; list && *list; ++list, ++lists) {
                const bool reached = std::any_of(
                    control.reachableWindows.begin(), control.reachableWindows.end(),
                    [&](const char* name) {
                        const auto ids = controlsOf(name).controls;
                        return std::any_of(ids.begin(), ids.end(),
                                           [&](const ControlID* id) { return *id == **list; });
                    });
                EXPECT_TRUE(reached) << controlName(**list) << " is in no window it can reach";
            }
        }
        EXPECT_GT(lists, 0u);
    }
}

TEST(ControlTables, TheBundleTranslatesEveryKeyOfTheRecords) {
    std::vector<CFStringRef> keys = {
        delayedSendCheckBoxIniData.titleKey, senderNameTextEditFilterData.errorMessageKey,
        userNameTextEditFilterData.errorMessageKey, phoneNumberTextEditFilterData.errorMessageKey,
        passwordTextEditFilterData.errorMessageKey};
    for (const CFStringRef* title = addressSettingTabIniData.tabTitleKeys; *title; ++title)
        keys.push_back(*title);
    for (const BrowseListColumn* columns :
         {DestinationTableViewTitles, AddrDestTableViewTitles, MemberTableViewTitles})
        for (; columns->propertyID != kBrowseListColumnsEnd; ++columns)
            keys.push_back(columns->titleKey);
    for (CFStringRef key : keys) {
        CFRef<CFStringRef> text(CFBundleCopyLocalizedString(faxBundle(), key, key, nullptr));
        EXPECT_FALSE(CFEqual(text.get(), key)) << CFStringGetCStringPtr(key, kCFStringEncodingUTF8);
    }
}

TEST(ControlTables, LoadingThePlugInSetsEveryAccessRecordsPreferencesUser) {
    const auto records = ControlAccessRecords();
    // Every record once, among them those whose values are remembered in the preferences.
    const std::set<const ControlAccessInfo*> distinct(records.begin(), records.end());
    EXPECT_EQ(distinct.size(), 16u);
    for (const ControlAccessInfo* remembered :
         {&senderNameTextEditAccessInfo, &delayedTimesTextEditAccessInfo, &delayedSendAccessInfo,
          &passwordTextEditAccessInfo})
        EXPECT_TRUE(distinct.count(remembered));

    for (ControlAccessInfo* record : records)
        record->preferencesUser = nullptr;
    IUnknownVTbl** factory = makeFactoryObject();
    ASSERT_TRUE(factory);
    (*factory)->Release(factory);
    for (const ControlAccessInfo* record : records)
        EXPECT_EQ(record->preferencesUser, kCFPreferencesCurrentUser);
}

} // namespace
