// The definition tables as the windows rely on them: constraint lists that name controls their
// panel can reach, and access records made ready when the plug-in is loaded.
#include "NibWindow.h"
#include "PlugInTestSupport.h"

#include <ControlDefinitionTables.h>

#include <CFPreferences.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// A panel looks controls up in its own nib window and those of its child windows.
TEST(ControlTables, EveryConstraintListNamesAControlItsPanelReaches) {
    const NibWindow pane(CFSTR("Window")), sheet(CFSTR("FaxSettings")),
        addresses(CFSTR("AddressBook")), user(CFSTR("UserProperty")), group(CFSTR("GroupProperty"));
    const std::vector<const NibWindow*> fromSheet = {&sheet, &addresses, &user, &group};
    const std::vector<const NibWindow*> fromPane = {&pane, &sheet, &addresses, &user, &group};
    const struct {
        const ConstrainInfo* info;
        size_t values;
        const std::vector<const NibWindow*>& reachable;
    } constrained[] = {
        {&senderModeConstrainInfo, std::size(senderModeConstrainArrayInfo), fromPane},
        {&coverPageConstrainInfo, std::size(coverPageConstrainArrayInfo), fromPane},
        {&delayedSendConstrainInfo, std::size(delayedSendConstrainArrayInfo), fromSheet},
    };
    for (const auto& control : constrained) {
        EXPECT_FALSE(control.info->hideArray || control.info->updateArray);
        size_t lists = 0;
        for (size_t value = 0; value < control.values; ++value)
            for (ConstrainList list = control.info->disableArray[value]; list && *list;
                 ++list, ++lists)
                EXPECT_TRUE(
                    std::any_of(control.reachable.begin(), control.reachable.end(),
                                [&](const NibWindow* window) { return window->control(**list); }))
                    << controlName(**list) << " is in no window it can reach";
        EXPECT_GT(lists, 0u);
    }
}

TEST(ControlTables, LoadingThePlugInSetsEveryAccessRecordsPreferencesUser) {
    const auto records = ControlAccessRecords();
    // Among them those whose values are remembered in the preferences.
    for (const ControlAccessInfo* remembered :
         {&senderNameTextEditAccessInfo, &delayedTimesTextEditAccessInfo, &delayedSendAccessInfo,
          &passwordTextEditAccessInfo})
        EXPECT_NE(std::find(records.begin(), records.end(), remembered), records.end());
    for (ControlAccessInfo* record : records)
        record->preferencesUser = nullptr;
    IUnknownVTbl** factory = makeFactoryObject();
    ASSERT_TRUE(factory);
    (*factory)->Release(factory);
    for (const ControlAccessInfo* record : records)
        EXPECT_EQ(record->preferencesUser, kCFPreferencesCurrentUser);
}

} // namespace
