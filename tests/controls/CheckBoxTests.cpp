// The delayed-send check box of the fax settings sheet: its title, its value on screen, in the
// ticket and in the preferences, and the delayed-time field it disables while unchecked.
#include <CBasePrintPanel.h>
#include <CCheckBoxControl.h>
#include <ControlDefinitionTables.h>
#include <NibWindow.h>
#include <ToolboxDriver.h>

#include <MacErrors.h>

#include <gtest/gtest.h>

#include <string>

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
    SInt32 uiValue() { return *static_cast<SInt32*>(checkBox.GetValueFromUI()); }
    // The UI value the panel starts from: the records' initial value -1.
    void startFromIniData() { checkBox.SetUIValueToIniData(); }
    bool timeFieldActive() const { return IsControlActive(delayedTime.GetControlHandle()); }

    NibWindow window{CFSTR("FaxSettings")};
    CBasePrintPanel panel;
    CCheckBoxControl checkBox{&delayedSendCheckBoxCtrlID, &delayedSendCheckBoxIniData,
                              &delayedSendConstrainInfo, &delayedSendAccessInfo};
    CBaseControl delayedTime{&delayedTimeTextEditCtrlID};
};

TEST_F(CheckBoxTest, BindingTitlesTheBoxAndStartsBothValuesUnchecked) {
    EXPECT_EQ("Send later at", ToolboxDriver::controlText(window.get(), delayedSendCheckBoxCtrlID));
    ASSERT_NE(nullptr, checkBox.GetValueFromControl());
    EXPECT_EQ(0, *static_cast<SInt32*>(checkBox.GetValueFromControl()));
    EXPECT_EQ(4, checkBox.GetDataBlkSize());

    CCheckBoxControl untitled(&delayedSendCheckBoxCtrlID, nullptr, nullptr, nullptr);
    EXPECT_TRUE(untitled.InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
    EXPECT_EQ(nullptr, untitled.GetDefaultDataBlk());
    const CheckBoxIniData noKey = {0, 0, -1, nullptr};
    CCheckBoxControl keyless(&delayedSendCheckBoxCtrlID, &noKey, nullptr, nullptr);
    EXPECT_FALSE(keyless.InitializeCtrl(window.get(), nullptr, faxBundle(), nullptr));
    EXPECT_EQ(nullptr, keyless.GetValueFromControl()) << "no buffers without a title";
}

// Replaying the initial value disables the time field for an unchecked box only; unchecking
// disables it and checking enables it again.
TEST_F(CheckBoxTest, TheDelayedTimeFieldIsUsableOnlyWhileTheBoxIsChecked) {
    startFromIniData();
    SetControlValue(box(), 0);
    EXPECT_TRUE(checkBox.SimulationUIEventHandler());
    EXPECT_EQ(1, delayedTime.GetDisableCount());
    EXPECT_FALSE(timeFieldActive());
    EXPECT_EQ(0, uiValue());
    EXPECT_TRUE(checkBox.SimulationUIEventHandler()); // no change, nothing more
    EXPECT_EQ(1, delayedTime.GetDisableCount());

    startFromIniData();
    delayedTime.ResetStatus();
    SetControlValue(box(), 1);
    checkBox.SimulationUIEventHandler();
    EXPECT_EQ(0, delayedTime.GetDisableCount()) << "the checked state's list is empty";
    EXPECT_EQ(1, uiValue());

    ASSERT_TRUE(ToolboxDriver::click(window.get(), delayedSendCheckBoxCtrlID));
    EXPECT_EQ(0, GetControlValue(box()));
    EXPECT_EQ(1, delayedTime.GetDisableCount());
    EXPECT_FALSE(timeFieldActive());
    ASSERT_TRUE(ToolboxDriver::click(window.get(), delayedSendCheckBoxCtrlID));
    EXPECT_EQ(0, delayedTime.GetDisableCount());
    EXPECT_TRUE(timeFieldActive());
}

TEST_F(CheckBoxTest, ConstraintsWithoutRecordsAreLeftToTheNextHandler) {
    CCheckBoxControl unconstrained(&delayedSendCheckBoxCtrlID, &delayedSendCheckBoxIniData, nullptr,
                                   nullptr);
    const ConstrainInfo empty = {nullptr, nullptr, nullptr, nullptr, 0};
    CCheckBoxControl emptyLists(&delayedSendCheckBoxCtrlID, &delayedSendCheckBoxIniData, &empty,
                                nullptr);
    for (CCheckBoxControl* control : {&unconstrained, &emptyLists}) {
        EXPECT_EQ(eventNotHandledErr, control->DoControlConstrain());
        EXPECT_EQ(eventNotHandledErr, control->DoControlHideConstrain());
        EXPECT_EQ(eventNotHandledErr, control->DoControlUpdateConstrain());
    }
}

TEST_F(CheckBoxTest, ExternalValuesShowTheirLow16BitsAndAnInactiveBoxReportsFailure) {
    SInt32 checked = 0x10001;
    EXPECT_TRUE(checkBox.SetExternalValueToUI(&checked, 0));
    EXPECT_EQ(1, GetControlValue(box()));
    EXPECT_FALSE(checkBox.SetExternalValueToUI(nullptr, 4));

    SInt32 unchecked = 0;
    checkBox.Disable();
    EXPECT_FALSE(checkBox.SetExternalValueToUI(&unchecked, 4));
    EXPECT_EQ(0, GetControlValue(box())) << "an inactive box still shows the value";
}

TEST_F(CheckBoxTest, TheValueTravelsAsDecimalTextThroughScreenTicketAndPreferences) {
    SetControlValue(box(), 1);
    checkBox.GetValueFromUI();
    checkBox.SetValueFromUIToControl();
    char text[256] = {};
    ASSERT_TRUE(checkBox.ConvertToTickectData(reinterpret_cast<unsigned char*>(text)));
    EXPECT_STREQ("1", text);
    EXPECT_FALSE(checkBox.ConvertToPreferenceString(nullptr));

    char stored[] = "0";
    ASSERT_TRUE(checkBox.ConvertFromPreferenceString(stored));
    ASSERT_TRUE(checkBox.ConvertToPreferenceString(text));
    EXPECT_STREQ("0", text);
    char storedOn[] = "1";
    ASSERT_TRUE(checkBox.ConvertFromPreferenceString(storedOn));
    EXPECT_EQ(1, *static_cast<SInt32*>(checkBox.GetValueFromControl()));
    SetControlValue(box(), 0);
    EXPECT_TRUE(checkBox.SetControlValueToUI());
    EXPECT_EQ(1, GetControlValue(box()));
    EXPECT_FALSE(checkBox.ConvertFromPreferenceString(nullptr));
}

} // namespace
