// The walks of the panel base: which call each control and child window receives, in which
// order, and where a walk over the child windows stops.
#include "CallLog.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const ControlID kFirstID = {FOUR_CHAR_CODE("frst"), 1};
const ControlID kSecondID = {FOUR_CHAR_CODE("scnd"), 2};

// A panel with two controls (c1, c2), a null entry between them, and two child windows.
class PanelWalkTest : public testing::Test {
  protected:
    PanelWalkTest() {
        panel.RunTimeAddNewControl(&first);
        panel.RunTimeAddNewControl(nullptr);
        panel.RunTimeAddNewControl(&second);
        panel.RunTimeAddNewWindow(&childA);
        panel.RunTimeAddNewWindow(&childB);
    }

    CallLog log;
    CBasePrintPanel panel;
    RecordingControl first{log, "c1", &kFirstID};
    RecordingControl second{log, "c2", &kSecondID};
    RecordingWindow childA{log, "w1"};
    RecordingWindow childB{log, "w2"};
};

struct WalkCase {
    const char* name;
    std::function<void(CBasePrintPanel&)> walk;
    CallLog expected;
};

TEST_F(PanelWalkTest, EachWalkServesTheControlsInOrderThenTheChildWindows) {
    const WalkCase cases[] = {
        {"Open",
         [](CBasePrintPanel& p) { p.Open(nullptr); },
         {"c1:Open", "c2:Open", "w1:Open", "w2:Open"}},
        {"Close",
         [](CBasePrintPanel& p) { p.Close(nullptr); },
         {"c1:Close", "c2:Close", "w1:Close", "w2:Close"}},
        {"GetSummaryText",
         [](CBasePrintPanel& p) { p.GetSummaryText(nullptr, nullptr); },
         {"c1:GetSummaryText", "c2:GetSummaryText", "w1:GetSummaryText", "w2:GetSummaryText"}},
        {"Terminate",
         [](CBasePrintPanel& p) { p.Terminate(nullptr, 0); },
         {"w1:Terminate", "w2:Terminate"}},
        {"SetDefaultValueToUI",
         [](CBasePrintPanel& p) { p.SetDefaultValueToUI(); },
         {"c1:SetDefaultValueToUI", "c1:Simulation", "c2:SetDefaultValueToUI", "c2:Simulation"}},
        {"SetCurrentValueToUI",
         [](CBasePrintPanel& p) { p.SetCurrentValueToUI(); },
         {"c1:SetControlValueToUI", "c2:SetControlValueToUI", "c1:Simulation", "c2:Simulation",
          "w1:SetCurrentValueToUI", "w2:SetCurrentValueToUI"}},
        {"SetValueToTicket without list",
         [](CBasePrintPanel& p) { p.SetValueToTicket(nullptr, false, nullptr); },
         {"c1:SetValueToTicket2", "c2:SetValueToTicket2", "w1:SetValueToTicket3",
          "w2:SetValueToTicket3"}},
        {"SetValueToTicket two arguments",
         [](CBasePrintPanel& p) { p.SetValueToTicket(nullptr, false); },
         {"c1:SetValueToTicket2", "c2:SetValueToTicket2", "w1:SetValueToTicket2",
          "w2:SetValueToTicket2"}},
        {"SetValueToPreference",
         [](CBasePrintPanel& p) { p.SetValueToPreference(); },
         {"c1:SetValueToPreference", "c2:SetValueToPreference", "w1:SetValueToPreference",
          "w2:SetValueToPreference"}},
        {"SetUIDataToDefault",
         [](CBasePrintPanel& p) { p.SetUIDataToDefault(); },
         {"c1:SetUIValueToDefault", "c2:SetUIValueToDefault", "w1:SetUIDataToDefault",
          "w2:SetUIDataToDefault"}},
        {"SetUIDataToIniData",
         [](CBasePrintPanel& p) { p.SetUIDataToIniData(); },
         {"c1:SetUIValueToIniData", "c2:SetUIValueToIniData", "w1:SetUIDataToIniData",
          "w2:SetUIDataToIniData"}},
        {"DisablePanelControlConstrains",
         [](CBasePrintPanel& p) { p.DisablePanelControlConstrains(); },
         {"c1:DisableControlConstrains", "c2:DisableControlConstrains"}},
        {"DoPanelControlHideConstrain",
         [](CBasePrintPanel& p) { p.DoPanelControlHideConstrain(); },
         {"c1:DoControlHideConstrain", "c2:DoControlHideConstrain"}},
        {"DoPanelControlSelfUpdate",
         [](CBasePrintPanel& p) { p.DoPanelControlSelfUpdate(); },
         {"c1:DoSelfUpdate", "c2:DoSelfUpdate"}},
        {"DoPanelControlUpdateConstrain",
         [](CBasePrintPanel& p) { p.DoPanelControlUpdateConstrain(); },
         {"c1:DoControlUpdateConstrain", "c2:DoControlUpdateConstrain"}},
        {"InitilaizeChildWindow",
         [](CBasePrintPanel& p) { p.InitilaizeChildWindow(nullptr, nullptr, nullptr, nullptr); },
         {"w1:InitializeUserPane", "w2:InitializeUserPane"}},
        {"InitializeUserPaneControl",
         [](CBasePrintPanel& p) {
             p.InitializeUserPaneControl(nullptr, nullptr, nullptr, nullptr);
         },
         {"c1:InitializeCtrl(no window)", "c2:InitializeCtrl(no window)"}},
        {"ReInitializeUserPaneControl",
         [](CBasePrintPanel& p) { p.ReInitializeUserPaneControl(nullptr); },
         {"c1:ReInitializeCtrl(no window)", "c1:ResetStatus", "c2:ReInitializeCtrl(no window)",
          "c2:ResetStatus"}},
        {"SetValueToTicket with a list",
         [](CBasePrintPanel& p) {
             CFRef<CFMutableArrayRef> list(CFArrayCreateMutable(nullptr, 0, nullptr));
             p.SetValueToTicket(nullptr, false, list.get());
         },
         {"c1:SetValueToTicket3", "c2:SetValueToTicket3", "w1:SetValueToTicket3",
          "w2:SetValueToTicket3"}},
        {"UpdateConflictsPanelControlFromPPD",
         [](CBasePrintPanel& p) { p.UpdateConflictsPanelControlFromPPD(nullptr); },
         {"c1:UpdateConflicts", "c2:UpdateConflicts"}},
    };
    for (const WalkCase& walkCase : cases) {
        log.clear();
        walkCase.walk(panel);
        EXPECT_EQ(walkCase.expected, log) << walkCase.name;
    }
}

TEST_F(PanelWalkTest, AChildAnsweringNonZeroStopsTheWalkOverTheChildren) {
    childA.answer = -1;
    panel.Open(nullptr);
    panel.Terminate(nullptr, 0);
    panel.SetCurrentValueToUI();
    EXPECT_EQ((CallLog{"c1:Open", "c2:Open", "w1:Open", "w1:Terminate", "c1:SetControlValueToUI",
                       "c2:SetControlValueToUI", "c1:Simulation", "c2:Simulation",
                       "w1:SetCurrentValueToUI"}),
              log);
}

TEST_F(PanelWalkTest, ScreenValuesReachOnlyTheControlsThatReadSomething) {
    first.readsScreen = false;
    panel.SetValueFromUIToControl();
    EXPECT_EQ((CallLog{"c1:GetValueFromUI", "c2:GetValueFromUI", "c2:SetValueFromUIToControl"}),
              log);
}

TEST_F(PanelWalkTest, PresetsAndPreferencesFallBackToTheDefaultPerControl) {
    first.hasPreset = false;
    second.hasPreference = false;
    childA.presetAnswer = false;
    EXPECT_TRUE(panel.GetValueFromPreset());
    panel.GetValueFromPreference();
    EXPECT_EQ((CallLog{"c1:GetValueToPreset", "c1:SetControlValueToDefault", "c2:GetValueToPreset",
                       "w1:GetValueFromPreset", "c1:GetValueToPreference",
                       "c2:GetValueToPreference", "c2:SetControlValueToDefault",
                       "w1:GetValueFromPreference", "w2:GetValueFromPreference"}),
              log);
}

TEST_F(PanelWalkTest, ResetPassesOverControlsWithoutAControlID) {
    RecordingControl anonymous(log, "c3");
    panel.RunTimeAddNewControl(&anonymous);
    panel.ResetControlStatus();
    EXPECT_EQ((CallLog{"c1:ResetStatus", "c2:ResetStatus", "w1:ResetControlStatus",
                       "w2:ResetControlStatus"}),
              log);
}

TEST_F(PanelWalkTest, AddsMakeThisPanelTheOwnerAndThePPDConstrainsOnlyTheInstallables) {
    RecordingControl installable(log, "i1");
    EXPECT_EQ(0u, panel.RunTimeAddNewInstallableControl(&installable));
    EXPECT_EQ(&panel, installable.GetOwnerPanel());
    EXPECT_EQ(noErr, panel.ConstrainPanelControlFromPPD(nullptr));
    EXPECT_EQ(CallLog{"i1:ConstrainPanelControlFromPPD"}, log);

    RecordingControl third(log, "c3");
    RecordingWindow childC(log, "w3");
    EXPECT_EQ(3u, panel.RunTimeAddNewControl(&third)); // the null entry counted too
    EXPECT_EQ(2u, panel.RunTimeAddNewWindow(&childC));
    EXPECT_EQ(&panel, third.GetOwnerPanel());
    EXPECT_EQ(&panel, childC.GetParentPane());
    EXPECT_EQ(nullptr, panel.GetParentPane());
}

TEST_F(PanelWalkTest, ReleasingTheChildWindowsStopsAtTheFirstFailureAndSkipsPlainPanels) {
    EXPECT_TRUE(panel.ReleaseChildWindow());
    childA.answer = -1;
    EXPECT_FALSE(panel.ReleaseChildWindow());
    EXPECT_EQ((CallLog{"w1:ReleaseWindow", "w2:ReleaseWindow", "w1:ReleaseWindow"}), log);

    // A child without a platform window has nothing to release.
    log.clear();
    childA.answer = noErr;
    CBasePrintPanel plainChild;
    CBasePrintPanel owner;
    owner.RunTimeAddNewWindow(&plainChild);
    owner.RunTimeAddNewWindow(&childB);
    EXPECT_TRUE(owner.ReleaseChildWindow());
    EXPECT_EQ(CallLog{"w2:ReleaseWindow"}, log);
}

} // namespace
