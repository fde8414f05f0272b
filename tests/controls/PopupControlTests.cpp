// The fax pane's four PPD popups on the real pane nib, filled from a print session's PPD and
// driven through real picks: menus, defaults and titles from the PPD, conflicts greyed, presets
// and ticket writes through the ticket's PPD choices, the summary, the constraint chain of the
// cover page, sender mode and sender name, and labels in the PPD's own encoding. A list popup
// of localised title keys is checked on a window of its own.
#include "FaxPanePopups.h"
#include "NibWindow.h"

#include <ConstraintBuilders.h>

#include <ScopedEnvironment.h>
#include <SessionAccessors.h>
#include <TestDriver/ToolboxDriver.h>

#include <CFDictionary.h>
#include <HIToolboxQt.h>
#include <Menus.h>

#include <QComboBox>
#include <QDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::string utf8(CFStringRef string) {
    char buffer[1024] = {};
    return string && CFStringGetCString(string, buffer, sizeof buffer, kCFStringEncodingUTF8)
               ? buffer
               : "<none>";
}

std::vector<std::string> menuTexts(ControlRef popup) {
    MenuRef menu = GetControlPopupMenuHandle(popup);
    std::vector<std::string> texts;
    for (MenuItemIndex item = 1; item <= CountMenuItems(menu); ++item) {
        CFStringRef text = nullptr;
        CopyMenuItemTextAsCFString(menu, item, &text);
        texts.push_back(utf8(text));
        if (text) CFRelease(text);
    }
    return texts;
}

// Fills the table from every constraint of the PPD, each with the builder of its form.
void buildConstraintTable(ppd_file_t* ppd, ConstraintTable& table) {
    for (int index = 0; index < ppd->num_consts; ++index) {
        const ppd_const_t& constraint = ppd->consts[index];
        if (constraint.choice1[0] && constraint.choice2[0])
            xConst2Hash_O1C1O2C2(ppd, &table, index);
        else if (constraint.choice1[0])
            xConst2Hash_O1C1O2(ppd, &table, index);
        else if (constraint.choice2[0])
            xConst2Hash_O1O2C2(ppd, &table, index);
        else
            xConst2Hash_O1O2(ppd, &table, index);
    }
}

const std::string kDemoPPD = NV_DEMO_FAX_PPD;
const std::string kTestData = NV_CONTROLS_TEST_DATA;
const std::string kPPDTestData = NV_PPD_TEST_DATA;

// Picks of the cover page or sender mode popup, with whether the sender mode popup and the
// sender name field are active afterwards.
struct ChainStep {
    const ControlID* popup;
    int item;
    bool senderModeActive;
    bool senderNameActive;
};

// The pane bound to the real nib window "Window" on a print session of the demo printer whose
// PPD the test names (no CUPS server), its table filled from the PPD's constraints and its
// values loaded as the dialog's first Sync loads them.
class PanePopups : public testing::Test {
  protected:
    void TearDown() override {
        if (session_) PMRelease(session_);
    }

    void open(const std::string& ppdPath) {
        demoPPD_.emplace("NV_DEMO_PPD", ppdPath.c_str());
        ASSERT_EQ(noErr, PMCreateSession(&session_));
        ASSERT_EQ(noErr, PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")));
        ASSERT_TRUE(pane_.SetCurrentPrinterString(session_));
        ppd_ = pane_.GetPPDRefFromCurrentPrintSession();
        ASSERT_TRUE(ppd_);
        buildConstraintTable(ppd_, table_);
        pane_.SetxppdPtr(&table_);
        ASSERT_TRUE(window_.get());
        ShowWindow(window_.get());
        pane_.InitializeUserPaneControl(window_.get(), nullptr, faxBundle(), ppd_);
        pane_.SetControlEventHandler();
        load();
    }
    void load() {
        pane_.SetUIDataToIniData();
        pane_.GetValueFromPreset();
        pane_.SetCurrentValueToUI();
    }
    CFMutableDictionaryRef ticketChoices() {
        PMTicketRef ticket = nullptr;
        CFMutableDictionaryRef choices = nullptr;
        GetTicketFromSession(session_, CFSTR("PMPrintSettingsTicket"), &ticket);
        PMTicketGetPPDDict(ticket, 0, 0, &choices);
        return choices;
    }
    std::string ticketChoice(const char* option) {
        CFRef<CFStringRef> key(CFStringCreateWithCString(nullptr, option, kCFStringEncodingUTF8));
        return utf8(static_cast<CFStringRef>(CFDictionaryGetValue(ticketChoices(), key.get())));
    }
    SInt16 shownItem(const ControlID& id) { return GetControlValue(window_.control(id)); }
    bool pick(const ControlID& id, int item) {
        return ToolboxDriver::pickPopupItem(window_.get(), id, item);
    }
    bool active(const ControlID& id) { return IsControlActive(window_.control(id)); }
    void expectChain(const std::vector<ChainStep>& steps) {
        for (const ChainStep& step : steps) {
            SCOPED_TRACE(controlName(*step.popup) + " item " + std::to_string(step.item));
            ASSERT_TRUE(pick(*step.popup, step.item));
            EXPECT_EQ(active(senderModePopupListCtrlID), step.senderModeActive);
            EXPECT_EQ(active(senderNameTextEditCtrlID), step.senderNameActive);
        }
    }

    const ScopedEnvironment noServer_{"CUPS_SERVER", "/nonexistent/cups.sock"};
    std::optional<ScopedEnvironment> demoPPD_;
    PMPrintSession session_ = nullptr;
    ppd_file_t* ppd_ = nullptr;
    ConstraintTable table_;
    FaxPanePopups pane_;
    NibWindow window_{CFSTR("Window")};
};

struct PopupExpectation {
    const ControlID* popup;
    const ControlID* label;
    std::vector<std::string> items;
    SInt16 defaultItem;
    std::string title;
};

TEST_F(PanePopups, FillFromTheDemoPPDShowingItsDefaultsAndTitles) {
    open(kDemoPPD);
    const PopupExpectation expectations[] = {
        {&imageQualityPopupListCtrlID,
         &imageQualityStaticTextCtrlID,
         {"Standard (200 x 100 dpi)", "Fine (200 x 200 dpi)", "Super Fine (400 x 400 dpi)",
          "Photo"},
         2,
         "Image Quality:"},
        {&transmissionReportPopupListCtrlID,
         &transmissionReportStaticTextCtrlID,
         {"Always", "On Error Only", "Never"},
         2,
         "Transmission Report:"},
        {&coverPagePopupListCtrlID,
         &coverPageStaticTextCtrlID,
         {"Standard", "With Memo", "None", "Stored on Device"},
         1,
         "Cover Page:"},
        {&senderModePopupListCtrlID,
         &senderModeStaticTextCtrlID,
         {"Registered on Device", "Sender Name", "Sender Name and Fax Number"},
         1,
         "Sender:"},
    };
    for (const PopupExpectation& expected : expectations) {
        SCOPED_TRACE(controlName(*expected.popup));
        EXPECT_EQ(menuTexts(window_.control(*expected.popup)), expected.items);
        EXPECT_EQ(shownItem(*expected.popup), expected.defaultItem);
        EXPECT_EQ(ToolboxDriver::controlText(window_.get(), *expected.label).toStdString(),
                  expected.title);
    }
    EXPECT_EQ(ppdFindMarkedChoice(ppd_, "NVFaxTransmissionReport")->choice, std::string("OnError"));
}

TEST_F(PanePopups, AThirdChoiceDefaultIsRestoredAndAConflictingChoiceIsGreyed) {
    open(kTestData + "/ThirdDefaultConstrained.ppd");
    EXPECT_EQ(shownItem(imageQualityPopupListCtrlID), 3);
    EXPECT_EQ(imageQualityListIniData.defaultValue, 3);
    ASSERT_TRUE(pick(imageQualityPopupListCtrlID, 1));
    EXPECT_EQ(ppdFindMarkedChoice(ppd_, "NVFaxImageQuality")->choice, std::string("Standard"));
    pane_.SetDefaultValueToUI();
    EXPECT_EQ(shownItem(imageQualityPopupListCtrlID), 3);
    EXPECT_EQ(ppdFindMarkedChoice(ppd_, "NVFaxImageQuality")->choice, std::string("SuperFine"));

    // A choice that conflicts after another option changes is greyed and keeps its text.
    MenuRef qualities = GetControlPopupMenuHandle(window_.control(imageQualityPopupListCtrlID));
    EXPECT_TRUE(IsMenuItemEnabled(qualities, 4));

    ASSERT_TRUE(pick(transmissionReportPopupListCtrlID, 3)); // Never
    EXPECT_FALSE(IsMenuItemEnabled(qualities, 4));
    EXPECT_EQ(menuTexts(window_.control(imageQualityPopupListCtrlID))[3], "Photo");
    EXPECT_FALSE(pick(imageQualityPopupListCtrlID, 4)) << "a greyed choice cannot be picked";

    ASSERT_TRUE(pick(transmissionReportPopupListCtrlID, 1)); // Always
    EXPECT_TRUE(IsMenuItemEnabled(qualities, 4));
    EXPECT_TRUE(pick(imageQualityPopupListCtrlID, 4));
}

TEST_F(PanePopups, PresetChoicesAreTakenAndChosenChoicesWrittenThroughTheTicket) {
    open(kDemoPPD);
    const struct {
        CFStringRef preset;
        bool taken;
        SInt16 shown;
    } cases[] = {{CFSTR("Photo"), true, 4}, {CFSTR("Ultra"), false, 2}};
    for (const auto& presetCase : cases) {
        SCOPED_TRACE(utf8(presetCase.preset));
        CFDictionarySetValue(ticketChoices(), CFSTR("NVFaxImageQuality"), presetCase.preset);
        EXPECT_EQ(pane_.imageQuality.GetValueToPreset(), presetCase.taken);
        load();
        EXPECT_EQ(shownItem(imageQualityPopupListCtrlID), presetCase.shown);
    }

    // The chosen choice goes into the ticket, and nothing without a choice.
    ASSERT_TRUE(pick(imageQualityPopupListCtrlID, 4));
    pane_.SetValueFromUIToControl();
    PMTicketRef ticket = nullptr;
    ASSERT_EQ(noErr, GetTicketFromSession(session_, CFSTR("PMPrintSettingsTicket"), &ticket));
    pane_.SetValueToTicket(ticket, false);
    EXPECT_EQ(ticketChoice("NVFaxImageQuality"), "Photo");
    EXPECT_EQ(ticketChoice("NVFaxSenderMode"), "Device");

    EXPECT_FALSE(pane_.imageQuality.SetValueToTicket(nullptr, false));
    char none[] = "0";
    ASSERT_TRUE(pane_.imageQuality.ConvertFromPreferenceString(none));
    EXPECT_FALSE(pane_.imageQuality.SetValueToTicket(ticket, false));
    EXPECT_EQ(ticketChoice("NVFaxImageQuality"), "Photo");
}

TEST_F(PanePopups, TheSummaryPairsTitleAndChoiceOfEveryPopupNotDisabledOrHidden) {
    open(kDemoPPD);
    ASSERT_TRUE(pick(coverPagePopupListCtrlID, 3)); // None: the sender mode is disabled
    pane_.SetValueFromUIToControl();
    CFRef<CFMutableArrayRef> titles(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    CFRef<CFMutableArrayRef> values(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    pane_.GetSummaryText(titles.get(), values.get());
    std::vector<std::string> pairs;
    for (CFIndex i = 0; i < CFArrayGetCount(titles.get()); ++i)
        pairs.push_back(utf8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(titles.get(), i))) +
                        " = " +
                        utf8(static_cast<CFStringRef>(CFArrayGetValueAtIndex(values.get(), i))));
    EXPECT_EQ(pairs, (std::vector<std::string>{"Image Quality = Fine (200 x 200 dpi)",
                                               "Transmission Report = On Error Only",
                                               "Cover Page = None"}));
}

// The cover page and sender mode popups on a PPD, and the picks that chain them.
struct SenderNameChain {
    const char* name;
    std::string ppd;
    std::vector<ChainStep> steps;
};

class SenderNameChains : public PanePopups, public testing::WithParamInterface<SenderNameChain> {};

TEST_P(SenderNameChains, FollowTheCoverPageAndSenderMode) {
    open(GetParam().ppd);
    // The sender mode shows item 1 (registered on the device): no name is typed.
    EXPECT_TRUE(active(senderModePopupListCtrlID));
    EXPECT_FALSE(active(senderNameTextEditCtrlID));
    expectChain(GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    PPDs, SenderNameChains,
    testing::Values(SenderNameChain{"Demo",
                                    kDemoPPD,
                                    {{&coverPagePopupListCtrlID, 3, false, false},
                                     {&coverPagePopupListCtrlID, 1, true, false},
                                     {&senderModePopupListCtrlID, 2, true, true},
                                     {&coverPagePopupListCtrlID, 3, false, false},
                                     {&coverPagePopupListCtrlID, 2, true, true}}},
                    // One choice more of each than the constraint records have entries for:
                    // such a choice constrains nothing.
                    SenderNameChain{"ExtraChoices",
                                    kTestData + "/ExtraChoices.ppd",
                                    {{&senderModePopupListCtrlID, 4, true, true},
                                     {&coverPagePopupListCtrlID, 5, true, true},
                                     {&coverPagePopupListCtrlID, 3, false, false},
                                     {&coverPagePopupListCtrlID, 5, true, true},
                                     {&senderModePopupListCtrlID, 1, true, false}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct EncodedPPD {
    const char* name;
    const char* title;
    const char* firstChoice;
};

class EncodedPPDLabels : public PanePopups, public testing::WithParamInterface<EncodedPPD> {};

TEST_P(EncodedPPDLabels, ShowInTheMenuAndTheTitle) {
    open(kPPDTestData + "/" + GetParam().name + ".ppd");
    EXPECT_EQ(ToolboxDriver::controlText(window_.get(), imageQualityStaticTextCtrlID).toStdString(),
              GetParam().title);
    EXPECT_EQ(menuTexts(window_.control(imageQualityPopupListCtrlID)),
              (std::vector<std::string>{GetParam().firstChoice, "Fine"}));
    SetControlValue(window_.control(imageQualityPopupListCtrlID), 1);
    const QDir folder(QStringLiteral(NV_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(ToolboxDriver::saveWindowImage(
        window_.get(), folder.filePath(QStringLiteral("PopupLabels-%1.png").arg(GetParam().name))));
}

INSTANTIATE_TEST_SUITE_P(PPDEncodings, EncodedPPDLabels,
                         testing::Values(EncodedPPD{"ISOLatin1",
                                                    "Qualité über:", "Standardqualität"},
                                         EncodedPPD{"WindowsANSI", "Kosten €:", "Standard"},
                                         EncodedPPD{"JIS83-RKSJ", "ファクス画質:", "標準"}),
                         [](const testing::TestParamInfo<EncodedPPD>& info) {
                             std::string name = info.param.name;
                             std::erase(name, '-');
                             return name;
                         });

TEST(ListControl, ShowsItsLocalisedTitleKeysAndMovesItsItemNumber) {
    auto* widget = new QWidget;
    auto* combo = new QComboBox(widget);
    combo->setObjectName(QStringLiteral("tlst_1"));
    combo->addItem(QStringLiteral("From the nib"));
    WindowRef window = HIWindowFromWidget(widget);
    const ControlID id = {FOUR_CHAR_CODE("tlst"), 1};
    const CFStringRef keys[] = {CFSTR("Cover Page Title"), CFSTR("Untranslated Key"), nullptr};
    const ListPopupIniData iniData = {0, 2, 0, keys};
    CListControl list(&id, &iniData, nullptr, nullptr);
    ASSERT_TRUE(list.InitializeCtrl(window, nullptr, faxBundle(), nullptr));
    ControlRef popup = list.GetControlHandle();
    EXPECT_EQ(menuTexts(popup), (std::vector<std::string>{"Cover Page", "Untranslated Key"}));
    EXPECT_EQ(GetControlMaximum(popup), 2);

    list.SetControlValueToDefault();
    list.SetControlValueToUI();
    EXPECT_EQ(GetControlValue(popup), 2);
    SetControlValue(popup, 1);
    ASSERT_TRUE(list.GetValueFromUI());
    list.SetValueFromUIToControl();
    char text[256] = {};
    ASSERT_TRUE(list.ConvertToTickectData(reinterpret_cast<unsigned char*>(text)));
    EXPECT_STREQ(text, "1");
    DisposeWindow(window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
