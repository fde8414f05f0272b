// The fax pane's PPD popups on the real pane nib, filled from a print session's PPD and driven
// through real picks, where the print dialog's own tests do not reach: a constraint table from
// the PPD greying conflicting choices, a third-choice default, presets and ticket writes without
// a choice or ticket, and more choices than the constraint records have entries for.
#include "FaxPanePopups.h"
#include "NibWindow.h"

#include <ScopedEnvironment.h>
#include <SessionAccessors.h>
#include <TestDriver/ToolboxDriver.h>

#include <CFDictionary.h>
#include <Menus.h>
#include <PMErrors.h>
#include <PPDCompatibility.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kDemoPPD = NV_DEMO_FAX_PPD;
const std::string kTestData = NV_CONTROLS_TEST_DATA;

std::string utf8(CFStringRef string) {
    char buffer[1024] = {};
    return string && CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8)
               ? buffer
               : "<none>";
}

// Where the table records a choice: its group, option and choice index in the PPD.
x_constraints positionOf(ppd_file_t* ppd, const char* optionKeyword, const char* choiceKeyword) {
    ppd_option_t* option = ppdFindOption(ppd, optionKeyword);
    for (int group = 0; group < ppd->num_groups; ++group)
        if (option >= ppd->groups[group].options &&
            option < ppd->groups[group].options + ppd->groups[group].num_options)
            return {UInt16(group), UInt16(option - ppd->groups[group].options),
                    UInt16(ppdFindChoice(option, choiceKeyword) - option->choices)};
    return {};
}

// The pane bound to the real nib window "Window" on a print session of the demo printer whose
// PPD the test names (no CUPS server), with a constraint table, its values loaded as the
// dialog's first Sync loads them.
class PanePopups : public testing::Test {
  protected:
    void TearDown() override {
        if (session_) PMRelease(session_);
    }
    void open(const std::string& ppdPath) {
        demoPPD_.emplace("NV_DEMO_PPD", ppdPath.c_str());
        ASSERT_EQ(noErr, PMCreateSession(&session_));
        ASSERT_EQ(noErr, PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")));
        ASSERT_EQ(noErr, GetTicketFromSession(session_, CFSTR("PMPrintSettingsTicket"), &ticket_));
        ASSERT_TRUE(pane_.SetCurrentPrinterString(session_));
        ppd_ = pane_.GetPPDRefFromCurrentPrintSession();
        ASSERT_TRUE(ppd_);
        pane_.SetxppdPtr(&table_);
        ASSERT_TRUE(window_.get());
        ShowWindow(window_.get());
        pane_.InitializeUserPaneControl(window_.get(), nullptr, faxBundle(), ppd_);
        pane_.SetControlEventHandler();
        pane_.SetUIDataToIniData();
        pane_.GetValueFromPreset();
        pane_.SetCurrentValueToUI();
    }
    CFMutableDictionaryRef ticketChoices() {
        CFMutableDictionaryRef choices = nullptr;
        PMTicketGetPPDDict(ticket_, 0, 0, &choices);
        return choices;
    }
    SInt16 shownItem(const ControlID& id) { return GetControlValue(window_.control(id)); }
    bool pick(const ControlID& id, int item) {
        return ToolboxDriver::pickPopupItem(window_.get(), id, item);
    }
    bool active(const ControlID& id) { return IsControlActive(window_.control(id)); }
    std::string markedChoice(const char* option) {
        return ppdFindMarkedChoice(ppd_, option)->choice;
    }

    const ScopedEnvironment noServer_{"CUPS_SERVER", "/nonexistent/cups.sock"};
    std::optional<ScopedEnvironment> demoPPD_;
    PMPrintSession session_ = nullptr;
    PMTicketRef ticket_ = nullptr;
    ppd_file_t* ppd_ = nullptr;
    ConstraintTable table_;
    FaxPanePopups pane_;
    NibWindow window_{CFSTR("Window")};
};

// The table holds the PPD's constraint: Photo is forbidden while the report is Never.
TEST_F(PanePopups, AThirdChoiceDefaultIsRestoredAndAConflictingChoiceIsGreyed) {
    open(kTestData + "/ThirdDefaultConstrained.ppd");
    table_.insert(
        {"NVFaxImageQuality:Photo", positionOf(ppd_, "NVFaxTransmissionReport", "Never")});
    EXPECT_EQ(shownItem(imageQualityPopupListCtrlID), 3);
    ASSERT_TRUE(pick(imageQualityPopupListCtrlID, 1));
    EXPECT_EQ(markedChoice("NVFaxImageQuality"), "Standard");
    pane_.SetDefaultValueToUI();
    EXPECT_EQ(shownItem(imageQualityPopupListCtrlID), 3);
    EXPECT_EQ(markedChoice("NVFaxImageQuality"), "SuperFine");

    MenuRef qualities = GetControlPopupMenuHandle(window_.control(imageQualityPopupListCtrlID));
    EXPECT_TRUE(IsMenuItemEnabled(qualities, 4));
    ASSERT_TRUE(pick(transmissionReportPopupListCtrlID, 3)); // Never
    EXPECT_FALSE(IsMenuItemEnabled(qualities, 4));
    EXPECT_FALSE(pick(imageQualityPopupListCtrlID, 4)) << "a greyed choice cannot be picked";
    ASSERT_TRUE(pick(transmissionReportPopupListCtrlID, 1)); // Always
    EXPECT_TRUE(pick(imageQualityPopupListCtrlID, 4));
}

TEST_F(PanePopups, APresetTheItemsLackIsRefusedAndNothingIsWrittenWithoutAChoiceOrTicket) {
    open(kDemoPPD);
    CFDictionarySetValue(ticketChoices(), CFSTR("NVFaxImageQuality"), CFSTR("Ultra"));
    EXPECT_FALSE(pane_.imageQuality.GetValueToPreset());
    EXPECT_FALSE(pane_.imageQuality.SetValueToTicket(nullptr, false));
    char none[] = "0";
    ASSERT_TRUE(pane_.imageQuality.ConvertFromPreferenceString(none));
    EXPECT_FALSE(pane_.imageQuality.SetValueToTicket(ticket_, false));
    EXPECT_EQ(utf8(static_cast<CFStringRef>(
                  CFDictionaryGetValue(ticketChoices(), CFSTR("NVFaxImageQuality")))),
              "Ultra");
}

// One choice more of each than the constraint records have entries for: such a choice
// constrains nothing.
TEST_F(PanePopups, ChoicesBeyondTheConstraintRecordsConstrainNothing) {
    open(kTestData + "/ExtraChoices.ppd");
    const struct {
        const ControlID* popup;
        int item;
        bool senderModeActive;
        bool senderNameActive;
    } steps[] = {
        {&senderModePopupListCtrlID, 1, true, false}, {&senderModePopupListCtrlID, 4, true, true},
        {&coverPagePopupListCtrlID, 5, true, true},   {&coverPagePopupListCtrlID, 3, false, false},
        {&coverPagePopupListCtrlID, 5, true, true},   {&senderModePopupListCtrlID, 1, true, false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(controlName(*step.popup) + " item " + std::to_string(step.item));
        ASSERT_TRUE(pick(*step.popup, step.item));
        EXPECT_EQ(active(senderModePopupListCtrlID), step.senderModeActive);
        EXPECT_EQ(active(senderNameTextEditCtrlID), step.senderNameActive);
    }
}

// The model check: the PPD's model name must equal one of the popup's items.
TEST_F(PanePopups, ThePPDsModelMustEqualAPopupItem) {
    open(kDemoPPD);
    ControlRef popup = window_.control(imageQualityPopupListCtrlID);
    MenuRef items = GetControlPopupMenuHandle(popup);
    EXPECT_EQ(kPMInvalidKey, CheckPPDCompatible(ppd_, popup)) << "only the quality choices";
    AppendMenuItemTextWithCFString(items, CFSTR("Norvale CVQL220K"), 0, 0, nullptr);
    SetControlMaximum(popup, SInt16(CountMenuItems(items)));
    EXPECT_EQ(noErr, CheckPPDCompatible(ppd_, popup));
    EXPECT_EQ(kPMInvalidKey, CheckPPDCompatible(nullptr, popup));
}

} // namespace
