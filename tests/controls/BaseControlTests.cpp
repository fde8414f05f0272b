// The base control on a double: binding by control ID, counted enabling and showing, and the
// constraint lists through which controls change each other, where they have nothing to act on.
#include "TestWindows.h"

#include <CBasePrintPanel.h>

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

// A control with a settable value index that counts its updates.
class TestControl : public CBaseControl {
  public:
    explicit TestControl(const ControlID* id, const ConstrainInfo* constrainInfo = nullptr)
        : CBaseControl(id, constrainInfo) {}

    int valueIndex = 0;
    int updates = 0;

    int GetCurrentControlArrayNumber() override { return valueIndex; }
    int Update() override {
        ++updates;
        return 0;
    }
};

TEST(BaseControl, BindingFindsTheControlByItsIDAndAFailedOneKeepsNoEarlierReference) {
    WidgetWindow window;
    window.addPane("trgt_3", Rect{0, 0, 20, 20});
    TestControl field(&kTargetID);
    EXPECT_FALSE(field.InitializeCtrl(nullptr));
    EXPECT_TRUE(field.InitializeCtrl(window.window(), nullptr, nullptr, nullptr));
    EXPECT_EQ(window.control(kTargetID), field.GetControlHandle());
    EXPECT_FALSE(field.ReInitializeCtrl(nullptr));
    EXPECT_EQ(nullptr, field.GetControlHandle());
    TestControl missing(&kUnknownID);
    EXPECT_FALSE(missing.InitializeCtrl(window.window()));
    TestControl anonymous(nullptr);
    EXPECT_FALSE(anonymous.InitializeCtrl(window.window()));
}

// Two sources that both constrain one target bound to a platform control.
class ConstraintTest : public testing::Test {
  protected:
    ConstraintTest() {
        window.addPane("trgt_3", Rect{0, 0, 20, 20});
        for (CBaseControl* control : {&sourceA, &sourceB, &target})
            panel.RunTimeAddNewControl(control);
        EXPECT_TRUE(target.InitializeCtrl(window.window()));
    }
    bool targetActive() const { return IsControlActive(target.GetControlHandle()); }
    bool targetVisible() const { return IsControlVisible(target.GetControlHandle()); }

    WidgetWindow window;
    CBasePrintPanel panel;
    TestControl sourceA{&kSourceAID, &kConstrainEverything};
    TestControl sourceB{&kSourceBID, &kConstrainEverything};
    TestControl target{&kTargetID};
};

TEST_F(ConstraintTest, AHiddenTargetShowsOnlyWhenEverySourceLetsItUnlessThePPDDecides) {
    sourceA.HideControlConstrains();
    sourceB.HideControlConstrains();
    sourceA.ShowControlConstrains();
    EXPECT_FALSE(targetVisible());
    target.PPDCtrlShow(); // the PPD's visibility bypasses the count
    EXPECT_TRUE(targetVisible());
    target.PPDCtrlHide();
    sourceB.ShowControlConstrains();
    EXPECT_TRUE(targetVisible());

    sourceA.DisableControlConstrains();
    sourceA.HideControlConstrains();
    target.ResetStatus();
    EXPECT_TRUE(targetActive());
    EXPECT_EQ(0, target.GetHideCount());
    EXPECT_FALSE(targetVisible()) << "resetting leaves the visibility";
}

TEST_F(ConstraintTest, NothingChangesWithoutAListForTheCurrentValueAndUpdatesReachChildWindows) {
    TestControl noInfo(&kSourceAID);
    panel.RunTimeAddNewControl(&noInfo);
    noInfo.DisableControlConstrains();
    sourceA.valueIndex = -1;
    sourceA.DisableControlConstrains();
    sourceA.EnableControlConstrains();
    sourceB.valueIndex = 1; // a null entry
    sourceB.HideControlConstrains();
    TestControl ownerless(&kSourceAID, &kConstrainEverything); // no panel to ask
    ownerless.DisableControlConstrains();
    EXPECT_EQ(0, target.GetDisableCount());
    EXPECT_EQ(0, target.GetHideCount());

    CBasePrintPanel child;
    TestControl childTarget(&kChildTargetID);
    panel.RunTimeAddNewWindow(&child);
    child.RunTimeAddNewControl(&childTarget);
    TestControl updater(&kSourceAID, &kUpdateInfo);
    panel.RunTimeAddNewControl(&updater);
    updater.DoControlUpdateConstrain(); // value index 0: a null entry
    EXPECT_EQ(0, target.updates);
    updater.valueIndex = 1;
    EXPECT_EQ(0, updater.DoControlUpdateConstrain());
    EXPECT_EQ(1, target.updates);
    EXPECT_EQ(1, childTarget.updates);
}

} // namespace
