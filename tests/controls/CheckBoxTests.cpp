// The delayed-send check box of the fax settings sheet: the delayed-time field it disables while
// unchecked, and its value where there is no record, buffer or screen for it.
#include <CBasePrintPanel.h>
#include <CCheckBoxControl.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>

#include <MacErrors.h>

#include <gtest/gtest.h>

namespace {

class CheckBoxTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(nullptr, window.get());
        panel.RunTimeAddNewControl(&checkBox);
        panel.RunTimeAddNewControl(&delayedTime);
        panel.InitializeUserPaneControl(window.get(), nullptr, faxBundle(), nullptr);
        panel.SetControlEventHandler();
    }
    ControlRef box() const { return checkBox.GetControlHandle(); }

    NibWindow window{CFSTR("FaxSettings")};
    CBasePrintPanel panel;
    CCheckBoxControl checkBox{&delayedSendCheckBoxCtrlID, &delayedSendCheckBoxIniData,
                              &delayedSendConstrainInfo, &delayedSendAccessInfo};
    CBaseControl delayedTime{&delayedTimeTextEditCtrlID};
};

// The records' initial value -1 names no constraint list: replaying it from the unchecked box
// disables the time field once, from the checked box not at all.
TEST_F(CheckBoxTest, TheDelayedTimeFieldIsUsableOnlyWhileTheBoxIsChecked) {
    for (const SInt16 checked : {0, 1}) {
        checkBox.SetUIValueToIniData();
        delayedTime.ResetStatus();
        SetControlValue(box(), checked);
        EXPECT_TRUE(checkBox.SimulationUIEventHandler());
        EXPECT_TRUE(checkBox.SimulationUIEventHandler()); // no change, nothing more
        EXPECT_EQ(1 - checked, delayedTime.GetDisableCount());
        EXPECT_EQ(checked, IsControlActive(delayedTime.GetControlHandle()));
    }
}

TEST_F(CheckBoxTest, WithoutRecordsTitleBufferOrValueNothingIsDoneAndFailureIsReported) {
    const CheckBoxIniData noKey = {0, 0, -1, nullptr};
    CCheckBoxControl keyless(&delayedSendCheckBoxCtrlID, &noKey, nullptr, nullptr);
    EXPECT_FALSE(keyless.InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
    EXPECT_EQ(nullptr, keyless.GetValueFromControl()) << "no buffers without a title";
    const ConstrainInfo empty = {nullptr, nullptr, nullptr, nullptr, 0};
    CCheckBoxControl emptyLists(&delayedSendCheckBoxCtrlID, nullptr, &empty, nullptr);
    EXPECT_TRUE(emptyLists.InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
    EXPECT_EQ(nullptr, emptyLists.GetDefaultDataBlk());
    EXPECT_TRUE(emptyLists.SetUIValueToDefault());
    for (CCheckBoxControl* control : {&keyless, &emptyLists}) {
        EXPECT_EQ(eventNotHandledErr, control->DoControlConstrain());
        EXPECT_EQ(eventNotHandledErr, control->DoControlHideConstrain());
        EXPECT_EQ(eventNotHandledErr, control->DoControlUpdateConstrain());
    }

    EXPECT_FALSE(checkBox.ConvertToPreferenceString(nullptr));
    EXPECT_FALSE(checkBox.ConvertFromPreferenceString(nullptr));
    char huge[] = "-99999999999"; // a stored number is held to 32 bits
    ASSERT_TRUE(checkBox.ConvertFromPreferenceString(huge));
    EXPECT_EQ(INT32_MIN, *static_cast<SInt32*>(checkBox.GetValueFromControl()));
    EXPECT_FALSE(checkBox.SetExternalValueToUI(nullptr, 4));
    SInt32 checked = 0x10001; // its low 16 bits are shown
    checkBox.Disable();
    EXPECT_FALSE(checkBox.SetExternalValueToUI(&checked, 4)) << "an inactive box";
    EXPECT_EQ(1, GetControlValue(box()));
}

} // namespace
