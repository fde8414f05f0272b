// What a panel shares with its controls and child windows: finding a control by its ControlID
// across the tree, the constraint table, the print session and the current printer's ID.
#include "CallLog.h"

#include <ScopedEnvironment.h>
#include <SessionAccessors.h>

#include <gtest/gtest.h>

namespace {

const ControlID kSharedID = {FOUR_CHAR_CODE("shrd"), 7};
const ControlID kChildOnlyID = {FOUR_CHAR_CODE("chld"), 8};
const ControlID kInstallableID = {FOUR_CHAR_CODE("inst"), 9};
const ControlID kSameSignatureOtherID = {FOUR_CHAR_CODE("shrd"), 70};

class PanelLookupTest : public testing::Test {
  protected:
    PanelLookupTest() {
        panel.RunTimeAddNewControl(&anonymous);
        panel.RunTimeAddNewControl(&own);
        panel.RunTimeAddNewInstallableControl(&installable);
        panel.RunTimeAddNewWindow(&child);
        child.RunTimeAddNewControl(&childShared);
        child.RunTimeAddNewWindow(&grandchild);
        grandchild.RunTimeAddNewControl(&grandchildOnly);
    }

    CallLog log;
    CBasePrintPanel panel;
    CBasePrintPanel child;
    CBasePrintPanel grandchild;
    RecordingControl anonymous{log, "anonymous"};
    RecordingControl own{log, "own", &kSharedID};
    RecordingControl installable{log, "installable", &kInstallableID};
    RecordingControl childShared{log, "childShared", &kSharedID};
    RecordingControl grandchildOnly{log, "grandchildOnly", &kChildOnlyID};
};

TEST_F(PanelLookupTest, OwnControlsComeFirstThenInstallablesAndChildWindowsButNeverParents) {
    const ControlID copy = kSharedID; // equal by value, not by address
    const struct {
        CBasePrintPanel* searcher;
        const ControlID* id;
        CBaseControl* found;
    } cases[] = {{&panel, &copy, &own},
                 {&child, &copy, &childShared},
                 {&panel, &kInstallableID, &installable},
                 {&panel, &kChildOnlyID, &grandchildOnly},
                 {&panel, &kSameSignatureOtherID, nullptr},
                 {&grandchild, &kSharedID, nullptr}, // children do not look upward
                 {&panel, nullptr, nullptr}};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].found, cases[i].searcher->GetPanelControl(cases[i].id)) << "case " << i;

    // The constraint table reaches the whole tree.
    ConstraintTable table;
    panel.SetxppdPtr(&table);
    EXPECT_EQ(&table, panel.GetxppdPtr());
    EXPECT_EQ(&table, child.GetxppdPtr());
    EXPECT_EQ(&table, grandchild.GetxppdPtr());
}

// Sessions on the demo fax printer, with libcups pointed at a server that does not exist.
class PanelSessionTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(noErr, PMCreateSession(&session));
        ASSERT_EQ(noErr, PMSessionSetCurrentPrinter(session, CFSTR("NorvaleDemoFax")));
    }
    void TearDown() override {
        if (session) PMRelease(session);
    }

    ScopedEnvironment noServer{"CUPS_SERVER", "/nonexistent/cups.sock"};
    PMPrintSession session = nullptr;
};

TEST_F(PanelSessionTest, ThePrinterStringIsRefreshedHereAndInEveryChildGivenAPrinter) {
    CBasePrintPanel panel;
    CBasePrintPanel child;
    panel.RunTimeAddNewWindow(&child);
    ASSERT_TRUE(panel.SetCurrentPrinterString(session));
    ASSERT_TRUE(panel.SetCurrentPrinterString(session)); // replaces, does not append
    EXPECT_EQ(kCFCompareEqualTo,
              CFStringCompare(CFSTR("NorvaleDemoFax"), panel.GetCurrentPrinterString(), 0));
    EXPECT_EQ(kCFCompareEqualTo,
              CFStringCompare(CFSTR("NorvaleDemoFax"), child.GetCurrentPrinterString(), 0));
    EXPECT_EQ(session, panel.GetCurrentPrintSession());
    EXPECT_EQ(session, child.GetCurrentPrintSession());
    EXPECT_NE(nullptr, panel.GetPPDRefFromCurrentPrintSession());

    // Without a printer the string cannot be made.
    EXPECT_FALSE(panel.SetCurrentPrinterString(nullptr));
    CFRef<CFMutableStringRef> text(CFStringCreateMutable(nullptr, 0));
    EXPECT_EQ(1, SetPrinterString(nullptr, text.get()));
    EXPECT_EQ(1, SetPrinterString(session, nullptr));
}

TEST_F(PanelSessionTest, TheTicketIsReadFromItsPointerSizedNumber) {
    PMTicketRef ticket = nullptr;
    ASSERT_EQ(noErr, GetTicketFromSession(session, CFSTR("PMPrintSettingsTicket"), &ticket));
    ASSERT_NE(nullptr, ticket);
    EXPECT_EQ(noErr, PMTicketSetCString(ticket, CFSTR("test"), CFSTR("probe"), "1", false));

    PMTicketRef untouched = ticket;
    EXPECT_EQ(kPMInvalidTicket, GetTicketFromSession(session, CFSTR("NoSuchKey"), &untouched));
    EXPECT_EQ(ticket, untouched);
    // The PPD is data, not a number.
    EXPECT_EQ(kPMInvalidTicket,
              GetTicketFromSession(session, CFSTR("kPMPPDReference"), &untouched));
}

TEST(PreferenceKeys, ThePrinterStringComesFirstWithoutSeparator) {
    CFRef<CFMutableStringRef> key(CFStringCreateMutable(nullptr, 0));
    ASSERT_TRUE(CreateKeyWithCurrentPrinter(CFSTR("SenderName"), CFSTR("Fax1"), key.get()));
    EXPECT_EQ(kCFCompareEqualTo, CFStringCompare(CFSTR("Fax1SenderName"), key.get(), 0));
    EXPECT_FALSE(CreateKeyWithCurrentPrinter(nullptr, CFSTR("Fax1"), key.get()));
    EXPECT_FALSE(CreateKeyWithCurrentPrinter(CFSTR("SenderName"), nullptr, key.get()));
    EXPECT_FALSE(CreateKeyWithCurrentPrinter(CFSTR("SenderName"), CFSTR("Fax1"), nullptr));
    EXPECT_EQ(kCFCompareEqualTo, CFStringCompare(CFSTR("Fax1SenderName"), key.get(), 0));
}

} // namespace
