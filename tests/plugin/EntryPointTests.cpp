#include "PlugInTestSupport.h"

#include <CSendraFaxPanel.h>
#include <ConstraintTable.h>
#include <PDEEntryPoints.h>

#include <CFNumber.h>
#include <HIToolboxQt.h>
#include <PMCore.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

// A control that notes each call of the pane's walks with the phase the pane was in.
class PhaseSpy : public CBaseControl {
  public:
    using CBaseControl::SetValueToTicket;

    bool SetUIValueToIniData() override { return note("IniData"); }
    bool GetValueToPreset() override { return note("Preset"); }
    bool SetControlValueToUI() override { return note("ToUI"); }
    void* GetValueFromUI() override {
        note("FromUI");
        return nullptr;
    }
    bool SetValueToTicket(OpaquePMTicketRef* ticket, bool) override {
        lastTicket = ticket;
        return note("Ticket");
    }
    bool GetSummaryText(__CFArray*, __CFArray*) override { return note("Summary"); }
    int Open(unsigned long) override { return note("Open") ? 0 : 1; }
    int UpdateConflictsPanelControlFromPPD(ppd_file_t*) override {
        return note("Conflicts") ? 0 : 1;
    }

    std::string log;
    PMTicketRef lastTicket = nullptr;

  private:
    bool note(const char* call) {
        log += (log.empty() ? "" : " ") + std::string(call) + "@" +
               std::to_string(GetOwnerPanel()->GetPhase());
        return true;
    }
};

// One instance made through the factory and the function table, on the demo printer, with a
// parent user pane in a window of its own.
class EntryPoints : public testing::Test {
  protected:
    void SetUp() override {
        setenv("CUPS_SERVER", "127.0.0.1:1", 1);
        ASSERT_TRUE(faxBundle());
        extension_ = makeExtensionInterface();
        ASSERT_TRUE(extension_);
        ASSERT_EQ(PMCreateSession(&session_), noErr);
        ASSERT_EQ(PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")), noErr);
        window_ = std::make_unique<QWidget>();
        auto* paneWidget = new QWidget(window_.get());
        paneWidget->resize(100, 50);
        ASSERT_TRUE(HIWindowFromWidget(window_.get()));
        parentUserPane_ = HIControlFromWidget(paneWidget);
        ASSERT_TRUE(parentUserPane_);
    }
    void TearDown() override {
        if (context_) {
            EXPECT_EQ(table().Terminate(context_, noErr), noErr);
        }
        releaseExtensionInterface(extension_);
        PMRelease(session_);
        DisposeWindow(HIWindowFromWidget(window_.release()));
    }

    const PlugInIntfVTable& table() const { return *extension_->vtable; }
    CSendraFaxPanel* pane() const { return reinterpret_cast<PDEContext*>(context_)->pane; }

    void prologue() {
        OSType creator = 0;
        CFStringRef kind = nullptr;
        CFStringRef title = nullptr;
        UInt32 width = 0, height = 0;
        ASSERT_EQ(table().Prologue(&context_, &creator, &kind, &title, &width, &height), noErr);
        if (title) CFRelease(title);
    }
    // Prologue, the spy in the pane's control list, then Initialize.
    void startWithSpy() {
        prologue();
        pane()->RunTimeAddNewControl(&spy_);
        PMPDEFlags flags = 0;
        ASSERT_EQ(table().Initialize(context_, &flags, nullptr, parentUserPane_, session_), noErr);
    }
    PMTicketRef sessionTicket() const {
        CFTypeRef data = nullptr;
        PMSessionGetDataFromSession(session_, CFSTR("PMPrintSettingsTicket"), &data);
        SInt64 reference = 0;
        CFNumberGetValue(static_cast<CFNumberRef>(data), kCFNumberSInt64Type, &reference);
        return reinterpret_cast<PMTicketRef>(reference);
    }

    PlugInIntf* extension_ = nullptr;
    PMPrintSession session_ = nullptr;
    std::unique_ptr<QWidget> window_;
    ControlRef parentUserPane_ = nullptr;
    PMPDEContext context_ = nullptr;
    PhaseSpy spy_;
};

TEST_F(EntryPoints, PrologueHandsTheDialogThePanesIdentity) {
    OSType creator = 0;
    CFStringRef kind = nullptr;
    CFStringRef title = nullptr;
    UInt32 width = 0, height = 0;
    ASSERT_EQ(table().Prologue(&context_, &creator, &kind, &title, &width, &height), noErr);
    CFRef<CFStringRef> ownedTitle(title);
    EXPECT_EQ(creator, 0x70646520u);
    EXPECT_TRUE(CFEqual(kind, CFSTR("com.norvale.qrt.pde.SendraFaxKind")));
    EXPECT_TRUE(CFEqual(title, CFSTR("Fax"))); // the bundle's English text of "PDE Title"
    EXPECT_EQ(width, 80u);
    EXPECT_EQ(height, 60u);

    auto* instance = reinterpret_cast<PDEContext*>(context_);
    ASSERT_TRUE(instance->pane && instance->constraintTable);
    EXPECT_EQ(instance->pane->GetPhase(), 8u);
    EXPECT_EQ(instance->pane->GetxppdPtr(), instance->constraintTable);
}

TEST_F(EntryPoints, SyncSummaryOpenAndCloseReachThePaneInTheirPhases) {
    startWithSpy();
    EXPECT_EQ(spy_.log, "IniData@2 Preset@2 ToUI@2");
    EXPECT_EQ(pane()->GetPhase(), 0u);

    spy_.log.clear();
    EXPECT_EQ(table().Sync(context_, session_, kSyncDirectionSetUserInterface), noErr);
    EXPECT_EQ(spy_.log, "Preset@2 ToUI@2 Conflicts@2");
    EXPECT_EQ(pane()->GetPhase(), 0u);

    // Saving takes the screen, then writes the session's ticket.
    spy_.log.clear();
    EXPECT_EQ(table().Sync(context_, session_, kSyncDirectionSetTickets), noErr);
    EXPECT_EQ(spy_.log, "FromUI@3 Ticket@3");
    EXPECT_EQ(spy_.lastTicket, sessionTicket()); // the whole 64-bit reference
    EXPECT_EQ(pane()->GetPhase(), 0u);

    spy_.log.clear();
    EXPECT_EQ(table().Sync(context_, session_, 2), noErr); // neither direction: nothing
    EXPECT_EQ(spy_.log, "");
    EXPECT_EQ(pane()->GetPhase(), 0u);

    // The summary, Open and Close reach the pane too.
    CFArrayRef titles = nullptr;
    CFArrayRef values = nullptr;
    EXPECT_EQ(table().GetSummaryText(context_, &titles, &values), noErr);
    CFRef<CFArrayRef> ownedTitles(titles), ownedValues(values);
    EXPECT_TRUE(titles && values);
    EXPECT_EQ(spy_.log, "Summary@7");
    EXPECT_EQ(pane()->GetPhase(), 0u);

    spy_.log.clear();
    EXPECT_EQ(table().Open(context_), noErr);
    EXPECT_EQ(table().Close(context_), noErr);
    EXPECT_EQ(spy_.log, "Open@0");
}

TEST_F(EntryPoints, MissingContextSessionOrPaneGiveTheDialogsFailureCodes) {
    EXPECT_EQ(table().Open(nullptr), -9530);
    EXPECT_EQ(table().Close(nullptr), -9530);
    EXPECT_EQ(table().Terminate(nullptr, noErr), -9530);
    PMPDEFlags flags = 0;
    EXPECT_EQ(table().Initialize(nullptr, &flags, nullptr, parentUserPane_, session_), -9530);
    EXPECT_EQ(table().Sync(nullptr, session_, kSyncDirectionSetTickets), -9530);
    CFRef<CFArrayRef> earlier(CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks));
    CFArrayRef titles = earlier.get();
    CFArrayRef values = earlier.get();
    EXPECT_EQ(table().GetSummaryText(nullptr, &titles, &values), noErr);
    EXPECT_EQ(titles, earlier.get());
    EXPECT_EQ(values, earlier.get());

    prologue();
    EXPECT_EQ(table().Sync(context_, nullptr, kSyncDirectionSetUserInterface), -30879);
    EXPECT_EQ(pane()->GetPhase(), 0u);
    EXPECT_EQ(table().Initialize(context_, &flags, nullptr, parentUserPane_, nullptr), noErr);
    EXPECT_EQ(pane()->GetPhase(), 0u);
}

} // namespace
