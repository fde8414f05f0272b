// The plug-in as the dialog reaches it: the factory and its object's IUnknown, the extension
// interface's header functions, and the function table's entry points, each reaching the pane
// in its phase, with the dialog's failure codes for a missing context, session or pane.
#include "PlugInTestSupport.h"

#include <CSendraFaxPanel.h>
#include <ConstraintTable.h>
#include <PDEEntryPoints.h>
#include <SessionAccessors.h>

#include <HIToolboxQt.h>
#include <PMCore.h>
#include <PMPrintingDialogExtensions.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace {

const char* const kFactoryID = "6C1E2A47-93B5-4D0E-8F21-5A7B3C9D4E10";

CFIndex instanceCount() {
    return _CFPlugInGetInstanceCountForFactory(uuid(kFactoryID).get());
}

// IUnknown is the factory object itself with one more reference; interfaces other than it and
// the extension (which the dialog asks for) are refused with null.
TEST(PlugInFactory, MakesOneCountedObjectAnsweringIUnknownAndTheExtensionOnly) {
    EXPECT_EQ(NVPDEPluginFactory(nullptr, uuid("A996FD7E-B738-11D3-8519-0050E4603277").get()),
              nullptr);
    EXPECT_EQ(NVPDEPluginFactory(nullptr, nullptr), nullptr);
    const CFIndex before = instanceCount();
    IUnknownVTbl** factory = makeFactoryObject();
    ASSERT_TRUE(factory);
    EXPECT_EQ(instanceCount(), before + 1);

    void* answer = nullptr;
    const CFUUIDBytes iunknown = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    EXPECT_EQ((*factory)->QueryInterface(factory, iunknown, &answer), S_OK);
    EXPECT_EQ(answer, factory);
    EXPECT_EQ((*factory)->Release(factory), 1u);
    const auto typeID = CFUUIDGetUUIDBytes(uuid("BDB091F4-E57F-11D3-B5CC-0050E4603277").get());
    EXPECT_EQ((*factory)->QueryInterface(factory, typeID, &answer), E_NOINTERFACE);
    EXPECT_EQ(answer, nullptr);
    EXPECT_EQ((*factory)->QueryInterface(factory, typeID, nullptr), E_NOINTERFACE);
    EXPECT_EQ((*factory)->Release(factory), 0u);
    EXPECT_EQ(instanceCount(), before);

    EXPECT_EQ(IUnknownAddRef(nullptr), 0u);
    EXPECT_EQ(IUnknownRelease(nullptr), 0u);
    NVPDEFactoryObject spent{};
    EXPECT_EQ(IUnknownRelease(&spent), 0u);
}

TEST(PDEInterface, ReleaseClearsTheCallersPointerAndFreesAtZero) {
    auto* header = reinterpret_cast<PMPlugInHeaderInterface*>(makeExtensionInterface());
    ASSERT_TRUE(header);
    PMPlugInAPIVersion version;
    EXPECT_EQ(GetAPIVersion(header, &version), noErr);
    EXPECT_EQ(GetAPIVersion(header, nullptr), paramErr);

    EXPECT_EQ(Retain(header), noErr);
    EXPECT_EQ(reinterpret_cast<NVPDEInterfaceObject*>(header)->refCount, 2u);
    PMPlugInHeaderInterface* first = header;
    EXPECT_EQ(Release(&first), noErr);
    EXPECT_EQ(first, nullptr);
    PMPlugInHeaderInterface* last = header;
    EXPECT_EQ(Release(&last), noErr); // freed: AddressSanitizer sees a leak or double free
    EXPECT_EQ(Release(&last), noErr);
    EXPECT_EQ(Release(nullptr), noErr);
    EXPECT_EQ(Retain(nullptr), noErr);
}

// A control that notes each call of the pane's walks with the phase the pane was in.
class PhaseSpy : public CBaseControl {
  public:
    using CBaseControl::SetValueToTicket;

    bool SetUIValueToIniData() override { return note("IniData"); }
    bool GetValueToPreset() override { return note("Preset"); }
    bool SetControlValueToUI() override { return note("ToUI"); }
    void* GetValueFromUI() override { return note("FromUI") ? nullptr : this; }
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
        ASSERT_TRUE(HIWindowFromWidget(window_.get()));
        parentUserPane_ = HIControlFromWidget(new QWidget(window_.get()));
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
        CFRef<CFStringRef> ownedTitle(title);
        EXPECT_TRUE(CFEqual(title, CFSTR("Fax"))); // the bundle's English text of "PDE Title"
    }
    OSStatus initialize(PMPrintSession session) {
        PMPDEFlags flags = 0;
        return table().Initialize(context_, &flags, nullptr, parentUserPane_, session);
    }
    PlugInIntf* extension_ = nullptr;
    PMPrintSession session_ = nullptr;
    std::unique_ptr<QWidget> window_ = std::make_unique<QWidget>();
    ControlRef parentUserPane_ = nullptr;
    PMPDEContext context_ = nullptr;
    PhaseSpy spy_;
};

// Initialize loads the pane; saving takes the screen, then writes the session's ticket (its
// whole 64-bit reference); after each call the pane is idle again.
TEST_F(EntryPoints, EachEntryPointReachesThePaneInItsPhase) {
    prologue();
    EXPECT_EQ(pane()->GetPhase(), 8u);
    EXPECT_EQ(pane()->GetxppdPtr(), reinterpret_cast<PDEContext*>(context_)->constraintTable);
    pane()->RunTimeAddNewControl(&spy_);
    const struct {
        std::function<OSStatus()> call;
        const char* calls;
    } steps[] = {
        {[&] { return initialize(session_); }, "IniData@2 Preset@2 ToUI@2"},
        {[&] { return table().Sync(context_, session_, kSyncDirectionSetUserInterface); },
         "Preset@2 ToUI@2 Conflicts@2"},
        {[&] { return table().Sync(context_, session_, kSyncDirectionSetTickets); },
         "FromUI@3 Ticket@3"},
        {[&] { return table().Sync(context_, session_, 2); }, ""}, // neither direction
        {[&] {
             CFArrayRef titles = nullptr, values = nullptr;
             const OSStatus status = table().GetSummaryText(context_, &titles, &values);
             CFRef<CFArrayRef> ownedTitles(titles), ownedValues(values);
             return titles && values ? status : paramErr;
         },
         "Summary@7"},
        {[&] { return table().Open(context_); }, "Open@0"},
        {[&] { return table().Close(context_); }, ""},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(step.call(), noErr) << step.calls;
        EXPECT_EQ(std::exchange(spy_.log, {}), step.calls);
        EXPECT_EQ(pane()->GetPhase(), 0u);
    }
    EXPECT_TRUE(
        CFEqual(pane()->GetCurrentPrinterString(), CFSTR("NorvaleDemoFax"))); // not appended
    PMTicketRef ticket = nullptr;
    GetTicketFromSession(session_, CFSTR("PMPrintSettingsTicket"), &ticket);
    EXPECT_EQ(spy_.lastTicket, ticket);
}

TEST_F(EntryPoints, MissingContextSessionOrPaneGiveTheDialogsFailureCodes) {
    EXPECT_EQ(table().Open(nullptr), -9530);
    EXPECT_EQ(table().Close(nullptr), -9530);
    EXPECT_EQ(table().Terminate(nullptr, noErr), -9530);
    EXPECT_EQ(initialize(session_), -9530);
    EXPECT_EQ(table().Sync(nullptr, session_, kSyncDirectionSetTickets), -9530);
    CFRef<CFArrayRef> earlier(CFArrayCreate(nullptr, nullptr, 0, &kCFTypeArrayCallBacks));
    CFArrayRef titles = earlier.get();
    CFArrayRef values = earlier.get();
    EXPECT_EQ(table().GetSummaryText(nullptr, &titles, &values), noErr);
    EXPECT_EQ(titles, earlier.get());
    EXPECT_EQ(values, earlier.get());

    // The ticket is a number in the session; the PPD is data, not a number.
    PMTicketRef untouched = nullptr;
    EXPECT_EQ(GetTicketFromSession(session_, CFSTR("NoSuchKey"), &untouched), kPMInvalidTicket);
    EXPECT_EQ(GetTicketFromSession(session_, CFSTR("kPMPPDReference"), &untouched),
              kPMInvalidTicket);
    EXPECT_EQ(untouched, nullptr);
    EXPECT_EQ(SetPrinterString(session_, nullptr), 1);

    prologue();
    EXPECT_FALSE(pane()->SetCurrentPrinterString(nullptr));
    EXPECT_EQ(table().Sync(context_, nullptr, kSyncDirectionSetUserInterface), -30879);
    EXPECT_EQ(pane()->GetPhase(), 0u);
    EXPECT_EQ(initialize(nullptr), noErr);
    EXPECT_EQ(pane()->GetPhase(), 0u);
}

} // namespace
