// The panel base: which call each control and child window receives from its walks, in which
// order and where a walk over the child windows stops; and the handler through which the
// dialog's Print reaches the pane.
#include "CallLog.h"

#include <CFArray.h>
#include <CFRef.h>
#include <MacErrors.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

const ControlID kFirstID = {FOUR_CHAR_CODE("frst"), 1};
const ControlID kSecondID = {FOUR_CHAR_CODE("scnd"), 2};

// Two controls (c1, c2) with a null entry between them, and three child windows, the second
// without a platform window to release. c1 reads nothing from the screen and has no preset; w1
// has no preset either.
class PanelWalkTest : public testing::Test {
  protected:
    PanelWalkTest() {
        panel.RunTimeAddNewControl(&first);
        panel.RunTimeAddNewControl(nullptr);
        panel.RunTimeAddNewControl(&second);
        panel.RunTimeAddNewWindow(&childA);
        panel.RunTimeAddNewWindow(&plainChild);
        panel.RunTimeAddNewWindow(&childB);
        first.readsScreen = false;
        first.hasPreset = false;
        childA.presetAnswer = false;
    }

    CallLog log;
    CBasePrintPanel panel;
    RecordingControl first{log, "c1", &kFirstID};
    RecordingControl second{log, "c2", &kSecondID};
    RecordingWindow childA{log, "w1"};
    CBasePrintPanel plainChild;
    RecordingWindow childB{log, "w2"};
};

using Panel = CBasePrintPanel;

TEST_F(PanelWalkTest, EachWalkServesTheControlsInOrderThenTheChildWindows) {
    const struct {
        std::function<void(Panel&)> walk;
        const char* calls;
    } cases[] = {
        {[](Panel& p) { p.Open(nullptr); }, "c1:Open c2:Open w1:Open w2:Open"},
        {[](Panel& p) { p.Close(nullptr); }, "c1:Close c2:Close w1:Close w2:Close"},
        {[](Panel& p) { p.GetSummaryText(nullptr, nullptr); },
         "c1:Summary c2:Summary w1:Summary w2:Summary"},
        {[](Panel& p) { p.Terminate(nullptr, 0); }, "w1:Terminate w2:Terminate"},
        {[](Panel& p) { p.SetDefaultValueToUI(); },
         "c1:DefaultToUI c1:Simulation c2:DefaultToUI c2:Simulation"},
        {[](Panel& p) { p.SetCurrentValueToUI(); },
         "c1:ToUI c2:ToUI c1:Simulation c2:Simulation w1:ToUI w2:ToUI"},
        {[](Panel& p) { p.SetValueFromUIToControl(); }, "c1:FromUI c2:FromUI c2:Store"},
        {[](Panel& p) { EXPECT_TRUE(p.GetValueFromPreset()); },
         "c1:Preset c1:Default c2:Preset w1:Preset"},
        {[](Panel& p) { p.ReInitializeUserPaneControl(nullptr); },
         "c1:ReInitializeCtrl(no window) c1:Reset c2:ReInitializeCtrl(no window) c2:Reset"},
        {[](Panel& p) { EXPECT_TRUE(p.ReleaseChildWindow()); }, "w1:Release w2:Release"},
        // The walks that serve the controls only (these children have none of their own).
        {[](Panel& p) { p.SetValueToTicket(nullptr, false); }, "c1:Ticket c2:Ticket"},
        {[](Panel& p) { p.SetValueToTicket(nullptr, false, nullptr); }, "c1:Ticket c2:Ticket"},
        {[](Panel& p) {
             CFRef<CFMutableArrayRef> list(CFArrayCreateMutable(nullptr, 0, nullptr));
             p.SetValueToTicket(nullptr, false, list.get());
         },
         "c1:Ticket(list) c2:Ticket(list)"},
        {[](Panel& p) { p.SetValueToPreference(); }, "c1:ToPreference c2:ToPreference"},
        {[](Panel& p) { p.GetValueFromPreference(); },
         "c1:FromPreference c1:Default c2:FromPreference"},
        {[](Panel& p) { p.SetUIDataToDefault(); }, "c1:UIDefault c2:UIDefault"},
        {[](Panel& p) { p.ResetControlStatus(); }, "c1:Reset c2:Reset"},
        {[](Panel& p) { p.DisablePanelControlConstrains(); },
         "c1:DisableConstrains c2:DisableConstrains"},
        {[](Panel& p) { p.DoPanelControlHideConstrain(); }, "c1:HideConstrain c2:HideConstrain"},
        {[](Panel& p) { p.DoPanelControlSelfUpdate(); }, "c1:SelfUpdate c2:SelfUpdate"},
        {[](Panel& p) { p.DoPanelControlUpdateConstrain(); },
         "c1:UpdateConstrain c2:UpdateConstrain"},
    };
    for (const auto& walkCase : cases) {
        walkCase.walk(panel);
        EXPECT_EQ(walkCase.calls, taken(log));
    }
}

TEST_F(PanelWalkTest, AChildAnsweringNonZeroStopsTheWalkOverTheChildren) {
    childA.answer = -1;
    panel.Open(nullptr);
    panel.Terminate(nullptr, 0);
    EXPECT_FALSE(panel.ReleaseChildWindow());
    EXPECT_EQ("c1:Open c2:Open w1:Open w1:Terminate w1:Release", log);
}

TEST_F(PanelWalkTest, AddsMakeThisPanelTheOwnerAndThePPDConstrainsOnlyTheInstallables) {
    RecordingControl installable(log, "i1");
    EXPECT_EQ(0u, panel.RunTimeAddNewInstallableControl(&installable));
    EXPECT_EQ(&panel, installable.GetOwnerPanel());
    EXPECT_EQ(noErr, panel.ConstrainPanelControlFromPPD(nullptr));
    EXPECT_EQ("i1:Constrain", log);
    RecordingWindow childC(log, "w3");
    EXPECT_EQ(3u, panel.RunTimeAddNewControl(&installable)); // the null entry counted too
    EXPECT_EQ(3u, panel.RunTimeAddNewWindow(&childC));
    EXPECT_EQ(&panel, childC.GetParentPane());
}

// Sends the event to the handler with the user data, and releases it.
OSStatus handle(EventHandlerProcPtr handler, EventRef event, void* userData) {
    const OSStatus result = handler(nullptr, event, userData);
    ReleaseEvent(event);
    return result;
}

TEST(PrintButtonHandler, OnlyPrintTakesTheScreenValuesAndGoesOnOnceTheChildrenAreReleased) {
    CallLog log;
    PrintAnsweringPanel panel(log);
    RecordingControl control(log, "c1");
    RecordingWindow child(log, "w1");
    panel.RunTimeAddNewControl(&control);
    panel.RunTimeAddNewWindow(&child);
    const auto print = CBasePrintPanel::Control_DefaultPrintBtnHandler;
    EXPECT_EQ(eventNotHandledErr, handle(print, NewCommandEvent(kHICommandCancel), &panel));
    EXPECT_EQ(eventNotHandledErr, handle(print, NewCommandEvent(FOUR_CHAR_CODE("OK  ")), &panel));
    EventRef bare = nullptr; // without a command
    CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, &bare);
    EXPECT_EQ(eventNotHandledErr, handle(print, bare, &panel));
    EXPECT_EQ("", log);

    EXPECT_EQ(eventNotHandledErr, handle(print, NewCommandEvent(kHICommandOK), &panel));
    EXPECT_EQ("panel:Print c1:FromUI c1:Store w1:Release", taken(log));
    child.answer = -1; // a child that cannot be released holds the print back
    EXPECT_EQ(noErr, handle(print, NewCommandEvent(kHICommandOK), &panel));
}

} // namespace
