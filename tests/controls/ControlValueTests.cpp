// Binding and the movement of a control's value between its default and initial-data blocks,
// its two buffers and the screen.
#include "TestControl.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

namespace {

const ControlID kFieldID = {FOUR_CHAR_CODE("fild"), 5};
const ControlID kOtherID = {FOUR_CHAR_CODE("fild"), 6};

TEST(ControlBinding, AControlFindsItselfInTheWindowByItsControlID) {
    WidgetWindow window;
    window.addPane("fild_5", Rect{0, 0, 20, 20});
    TestControl field(&kFieldID);
    TestControl missing(&kOtherID);
    TestControl anonymous(nullptr);
    EXPECT_FALSE(field.InitializeCtrl(nullptr));
    EXPECT_TRUE(field.InitializeCtrl(window.window(), nullptr, nullptr, nullptr));
    EXPECT_NE(nullptr, field.GetControlHandle());
    EXPECT_TRUE(field.ReInitializeCtrl(window.window()));
    EXPECT_FALSE(field.ReInitializeCtrl(nullptr)) << "a window without the control";
    EXPECT_EQ(nullptr, field.GetControlHandle()) << "no reference to the earlier window is kept";
    EXPECT_FALSE(missing.InitializeCtrl(window.window()));
    EXPECT_EQ(nullptr, missing.GetControlHandle());
    EXPECT_FALSE(anonymous.InitializeCtrl(window.window()));
}

TEST(ControlValues, AnUnboundControlHasNoBuffersToFillAndNoDefaultToShow) {
    TestControl field(&kFieldID);
    field.hasBlocks = true;
    EXPECT_TRUE(field.SetControlValueToDefault());
    EXPECT_TRUE(field.SetUIValueToIniData());
    EXPECT_TRUE(field.SetUIValueToDefault());
    EXPECT_TRUE(field.SetDefaultValueToUI());
    EXPECT_TRUE(field.SetValueFromUIToControl());
    EXPECT_EQ(0, field.GetDataBlkSize());
    EXPECT_TRUE(field.steps.empty());
    field.defaultBlock = 2;
    field.allocateBuffers(); // the default is shown only once the value buffer is there
    EXPECT_TRUE(field.SetDefaultValueToUI());
    EXPECT_EQ(std::vector<std::string>{"SetExternalValueToUI 2/4"}, field.steps);
}

TEST(ControlValues, BlocksAreCopiedIntoTheirBuffersAndWithoutBlocksTheBuffersKeepTheirValues) {
    TestControl unblocked(&kFieldID);
    unblocked.allocateBuffers();
    unblocked.setUIValue(7, 4);
    unblocked.SetControlValueToDefault();
    unblocked.SetUIValueToDefault();
    unblocked.SetUIValueToIniData();
    EXPECT_EQ(0, unblocked.controlValue());
    EXPECT_EQ(7, unblocked.uiValue());

    TestControl field(&kFieldID);
    field.allocateBuffers();
    field.hasBlocks = true;
    field.defaultBlock = 3;
    field.iniBlock = -1;
    EXPECT_TRUE(field.SetControlValueToDefault());
    EXPECT_EQ(3, field.controlValue());
    EXPECT_EQ(4, field.GetDataBlkSize());
    EXPECT_TRUE(field.SetUIValueToIniData());
    EXPECT_EQ(-1, field.uiValue());
    EXPECT_TRUE(field.SetUIValueToDefault());
    EXPECT_EQ(3, field.uiValue());
}

TEST(ControlValues, TheScreenValueReachesTheControlValueByDataSize) {
    TestControl field(&kFieldID);
    field.allocateBuffers();
    field.setUIValue(9, 0);
    field.SetValueFromUIToControl();
    EXPECT_EQ(0, field.controlValue()); // nothing meaningful to copy
    field.setUIValue(9, 4);
    field.SetValueFromUIToControl();
    EXPECT_EQ(9, field.controlValue());
}

} // namespace
