#include "PDEEntryPoints.h"
#include "CSendraFaxPanel.h"
#include "HelpBookRegistration.h"
#include "PlugInIdentity.h"

#include <ConstraintTable.h>
#include <SessionAccessors.h>

#include <new>

namespace {

PDEContext* contextOf(PMPDEContext context) {
    return reinterpret_cast<PDEContext*>(context);
}

CSendraFaxPanel* paneOf(PMPDEContext context) {
    return context ? contextOf(context)->pane : nullptr;
}

// The pane of the first load reads its initial data, presets and ticket and shows them; later
// loads read presets and ticket and re-apply the PPD's conflicts.
void LoadPane(CSendraFaxPanel* pane, PMPrintSession session, PMTicketRef ticket, bool firstLoad) {
    if (firstLoad) pane->SetUIDataToIniData();
    pane->GetValueFromPreset();
    pane->GetValueFromTicket(ticket);
    pane->SetCurrentValueToUI();
    if (firstLoad) return;
    ppd_file_t* ppd = nullptr;
    GetPPDRefFromSession(session, &ppd);
    if (ppd) pane->UpdateConflictsPanelControlFromPPD(ppd);
}

} // namespace

OSStatus Prologue(PMPDEContext* context, OSType* creator, CFStringRef* userOptionKind,
                  CFStringRef* title, UInt32* maxH, UInt32* maxV) {
    auto* instance = new (std::nothrow) PDEContext{};
    if (!instance) return kPMInvalidPDEContext;
    instance->pane = new (std::nothrow) CSendraFaxPanel;
    instance->constraintTable = new (std::nothrow) ConstraintTable;
    if (!instance->pane || !instance->constraintTable) {
        delete instance->pane;
        delete instance->constraintTable;
        delete instance;
        return kPMInvalidPDEContext;
    }
    instance->pane->SetxppdPtr(instance->constraintTable);

    *context = reinterpret_cast<PMPDEContext>(instance);
    *maxH = 80;
    *maxV = 60;
    *title = CFBundleCopyLocalizedString(GetAppBundleRef(), CFSTR(kNVPDETitleKeyStr),
                                         CFSTR(kNVPDETitleKeyStr), nullptr);
    *userOptionKind = GetAppClientID();
    *creator = kNVPDECreator;

    RegisterMyHelpBook(); // without a registered book the help pages just do not open
    instance->pane->SetPhase(kPDEPhaseCreated);
    return noErr;
}

OSStatus Initialize(PMPDEContext context, PMPDEFlags*, PMPDERef, ControlRef parentUserPane,
                    PMPrintSession printSession) {
    CSendraFaxPanel* pane = paneOf(context);
    if (!pane) return kPMInvalidPDEContext;
    pane->SetPhase(kPDEPhaseInitializing);
    pane->ResolveCurrentPrinter(printSession); // the address may come later, or not at all
    if (!printSession) {
        pane->SetPhase(kPDEPhaseIdle);
        return noErr;
    }
    ppd_file_t* ppd = nullptr;
    GetPPDRefFromSession(printSession, &ppd);
    if (!ppd) {
        MyDebugMessage("Flow 1", 0);
        pane->SetPhase(kPDEPhaseIdle);
        return kPMInvalidPDEContext;
    }
    ppdMarkDefaults(ppd);
    if (pane->InitializeUserPane(context, parentUserPane, GetAppBundleRef(), ppd) != noErr) {
        pane->SetPhase(kPDEPhaseIdle);
        return kPMInvalidPDEContext;
    }
    if (Sync(context, printSession, kSyncDirectionSetUserInterface) != noErr)
        return kPMInvalidPDEContext;
    pane->SetPhase(kPDEPhaseIdle);
    return noErr;
}

OSStatus Sync(PMPDEContext context, PMPrintSession printSession, Boolean syncDirection) {
    // The ticket of the last Sync; the pane's operations are handed it from here.
    static PMTicketRef printSettingsContainer = nullptr;

    CSendraFaxPanel* pane = paneOf(context);
    if (!pane) return kPMInvalidPDEContext;
    if (!printSession) {
        pane->SetPhase(kPDEPhaseIdle);
        return kPMInvalidPrintSession;
    }
    const OSStatus ticketStatus = GetTicketFromSession(
        printSession, CFSTR(kNVPDEPrintSettingsTicketKeyStr), &printSettingsContainer);
    if (ticketStatus != noErr) {
        pane->SetPhase(kPDEPhaseIdle);
        return ticketStatus;
    }
    if (!pane->SetCurrentPrinterString(printSession)) return kPMInvalidPrintSession;

    const bool firstLoad = pane->GetPhase() == kPDEPhaseInitializing;
    OSStatus result = noErr;
    if (syncDirection == kSyncDirectionSetTickets) {
        pane->SetPhase(kPDEPhaseSaving);
        pane->SetValueFromUIToControl();
        if (pane->SetValueToTicket(printSettingsContainer, false) != noErr)
            result = kPMInvalidPrintSession;
    } else if (syncDirection == kSyncDirectionSetUserInterface) {
        pane->SetPhase(kPDEPhaseLoading);
        LoadPane(pane, printSession, printSettingsContainer, firstLoad);
    }
    pane->SetPhase(kPDEPhaseIdle);
    return result;
}

OSStatus GetSummaryText(PMPDEContext context, CFArrayRef* titleArray, CFArrayRef* summaryArray) {
    if (!context) return noErr;
    CSendraFaxPanel* pane = paneOf(context);
    if (pane) pane->SetPhase(kPDEPhaseSummarizing);
    *titleArray = nullptr;
    *summaryArray = nullptr;
    CFMutableArrayRef titles = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    CFMutableArrayRef values = CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks);
    OSStatus result = noErr;
    if (titles && values) {
        if (!pane || pane->GetSummaryText(titles, values) != noErr) result = kPMInvalidPDEContext;
        *titleArray = titles;
        *summaryArray = values;
    } else {
        if (titles) CFRelease(titles);
        if (values) CFRelease(values);
    }
    if (pane) pane->SetPhase(kPDEPhaseIdle);
    return result;
}

OSStatus Open(PMPDEContext context) {
    CSendraFaxPanel* pane = paneOf(context);
    if (!pane) return kPMInvalidPDEContext;
    pane->Open(context);
    return noErr;
}

OSStatus Close(PMPDEContext context) {
    if (!paneOf(context)) return kPMInvalidPDEContext;
    return noErr;
}

OSStatus Terminate(PMPDEContext context, OSStatus status) {
    if (!context) return kPMInvalidPDEContext;
    PDEContext* instance = contextOf(context);
    if (instance->pane) {
        const OSStatus paneStatus = instance->pane->Terminate(context, status);
        instance->pane->SetPhase(kPDEPhaseTerminating);
        if (paneStatus != noErr) return kPMInvalidPDEContext;
        delete instance->pane;
        instance->pane = nullptr;
    }
    delete instance->constraintTable;
    instance->constraintTable = nullptr;
    delete instance;
    return noErr;
}
