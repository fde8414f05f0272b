// Counted enabling and showing, and the constraint lists through which controls change each
// other: two sources on one target, unknown ids, missing records, the update list.
#include "TestControl.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

namespace {

const ControlID kTargetID = {FOUR_CHAR_CODE("trgt"), 3};
const ControlID kUnknownID = {FOUR_CHAR_CODE("none"), 99};
const ControlID kChildTargetID = {FOUR_CHAR_CODE("chtg"), 4};
const ControlID kSourceAID = {FOUR_CHAR_CODE("srca"), 1};
const ControlID kSourceBID = {FOUR_CHAR_CODE("srcb"), 2};

const ControlID* const kTargetList[] = {&kUnknownID, &kTargetID, nullptr};
const ConstrainList kArray[] = {kTargetList, nullptr};
const ConstrainInfo kConstrainEverything = {kArray, kArray, kArray, nullptr, std::size(kArray)};

const ControlID* const kUpdateList[] = {&kTargetID, &kChildTargetID, nullptr};
const ConstrainList kUpdateArray[] = {nullptr, kUpdateList};
const ConstrainInfo kUpdateInfo = {nullptr, nullptr, kUpdateArray, nullptr,
                                   std::size(kUpdateArray)};

// Two sources that both constrain one target bound to a platform control.
class ConstraintTest : public testing::Test {
  protected:
    ConstraintTest() {
        window.addPane("trgt_3", Rect{0, 0, 20, 20});
        panel.RunTimeAddNewControl(&sourceA);
        panel.RunTimeAddNewControl(&sourceB);
        panel.RunTimeAddNewControl(&target);
        EXPECT_TRUE(target.InitializeCtrl(window.window()));
    }
    ControlRef targetHandle() const { return target.GetControlHandle(); }

    WidgetWindow window;
    CBasePrintPanel panel;
    TestControl sourceA{&kSourceAID, &kConstrainEverything};
    TestControl sourceB{&kSourceBID, &kConstrainEverything};
    TestControl target{&kTargetID};
};

TEST_F(ConstraintTest, ATargetDisabledOrHiddenByTwoSourcesComesBackOnlyWhenBothLetIt) {
    sourceA.DisableControlConstrains();
    sourceB.DisableControlConstrains();
    EXPECT_EQ(2, target.GetDisableCount());
    EXPECT_FALSE(IsControlActive(targetHandle()));
    sourceA.EnableControlConstrains();
    EXPECT_FALSE(IsControlActive(targetHandle()));
    sourceB.EnableControlConstrains();
    EXPECT_EQ(0, target.GetDisableCount());
    EXPECT_TRUE(IsControlActive(targetHandle()));

    sourceA.HideControlConstrains();
    sourceB.HideControlConstrains();
    sourceA.ShowControlConstrains();
    EXPECT_FALSE(IsControlVisible(targetHandle()));
    EXPECT_EQ(1, target.GetHideCount());
    sourceB.ShowControlConstrains();
    EXPECT_TRUE(IsControlVisible(targetHandle()));
}

TEST_F(ConstraintTest, ResettingActivatesAtOnceAndClearsBothCounts) {
    sourceA.DisableControlConstrains();
    sourceB.DisableControlConstrains();
    sourceA.HideControlConstrains();
    target.ResetStatus();
    EXPECT_TRUE(IsControlActive(targetHandle()));
    EXPECT_EQ(0, target.GetDisableCount());
    EXPECT_EQ(0, target.GetHideCount());
    EXPECT_FALSE(IsControlVisible(targetHandle())); // visibility is not touched
}

TEST_F(ConstraintTest, PPDVisibilityBypassesTheHideCountWhichIsNotClamped) {
    sourceA.HideControlConstrains();
    target.PPDCtrlShow();
    EXPECT_TRUE(IsControlVisible(targetHandle()));
    EXPECT_EQ(1, target.GetHideCount());
    target.PPDCtrlHide();
    EXPECT_FALSE(IsControlVisible(targetHandle()));

    // The counts are not clamped.
    target.Enable(); // an enable without a disable
    EXPECT_EQ(-1, target.GetDisableCount());
    target.Disable(); // back to 0: stays active
    EXPECT_TRUE(IsControlActive(targetHandle()));
    target.Disable();
    EXPECT_FALSE(IsControlActive(targetHandle()));
}

TEST_F(ConstraintTest, NothingChangesWithoutAListForTheCurrentValue) {
    TestControl noInfo(&kSourceAID);
    panel.RunTimeAddNewControl(&noInfo);
    noInfo.DisableControlConstrains();
    sourceA.valueIndex = -1;
    sourceA.DisableControlConstrains();
    sourceA.HideControlConstrains();
    sourceB.valueIndex = 1; // a null entry
    sourceB.DisableControlConstrains();
    TestControl ownerless(&kSourceAID, &kConstrainEverything); // no panel to ask
    ownerless.DisableControlConstrains();
    EXPECT_EQ(0, target.GetDisableCount());
    EXPECT_EQ(0, target.GetHideCount());
    EXPECT_TRUE(IsControlActive(targetHandle()));
}

TEST_F(ConstraintTest, TheUpdateListReachesControlsOfChildWindowsToo) {
    CBasePrintPanel child;
    TestControl childTarget(&kChildTargetID);
    panel.RunTimeAddNewWindow(&child);
    child.RunTimeAddNewControl(&childTarget);
    TestControl updater(&kSourceAID, &kUpdateInfo);
    panel.RunTimeAddNewControl(&updater);

    updater.CBaseControl::DoControlUpdateConstrain(); // value index 0: a null entry
    EXPECT_EQ(0, target.updates);
    updater.valueIndex = 1;
    EXPECT_EQ(0, updater.CBaseControl::DoControlUpdateConstrain());
    EXPECT_EQ(1, target.updates);
    EXPECT_EQ(1, childTarget.updates);
}

// A control whose user-event handling is its own; the replay keeps the base's four steps.
class OwnHandlingControl : public TestControl {
  public:
    using TestControl::TestControl;
    bool UIEventHandler() override {
        steps.push_back("own");
        return true;
    }
};

TEST(ControlEvents, UserAndReplayedEventsRunTheFourStepsInOrder) {
    const std::vector<std::string> fourSteps = {"DoControlUpdateConstrain", "DoSelfUpdate",
                                                "DoControlHideConstrain", "DoControlConstrain"};
    TestControl control(&kSourceAID);
    EXPECT_TRUE(control.UIEventHandler());
    EXPECT_EQ(fourSteps, control.steps);

    OwnHandlingControl own(&kSourceAID);
    EXPECT_TRUE(own.SimulationUIEventHandler());
    EXPECT_EQ(fourSteps, own.steps);
}

} // namespace
