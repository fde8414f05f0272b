// The walks: each life-cycle step passed to every control in list order, then to every child
// window, whose non-zero answer stops the walk over the children.
#include "CBasePrintPanel.h"

#include "PanelLists.h"

#include <cstdint>

namespace {

// The context as the controls receive it.
unsigned long ContextWord(PMPDEContext context) {
    return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(context));
}

template <class Visit> void ForEachControl(CFArrayRef list, Visit visit) {
    ForEachListed<CBaseControl>(list, [&](CBaseControl* control) {
        visit(control);
        return true;
    });
}

// Calls step on each child until one answers non-zero.
template <class Step> void ForEachChildUntilFailure(CFArrayRef list, Step step) {
    ForEachListed<CBasePrintPanel>(list, [&](CBasePrintPanel* child) { return step(child) == 0; });
}

} // namespace

OSStatus CBasePrintPanel::Open(PMPDEContext context) {
    ForEachControl(controlList_.get(), [&](CBaseControl* c) { c->Open(ContextWord(context)); });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [&](CBasePrintPanel* child) { return child->Open(context); });
    return noErr;
}

OSStatus CBasePrintPanel::Close(PMPDEContext context) {
    ForEachControl(controlList_.get(), [&](CBaseControl* c) { c->Close(ContextWord(context)); });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [&](CBasePrintPanel* child) { return child->Close(context); });
    return noErr;
}

OSStatus CBasePrintPanel::GetSummaryText(CFMutableArrayRef titles, CFMutableArrayRef values) {
    ForEachControl(controlList_.get(), [&](CBaseControl* c) { c->GetSummaryText(titles, values); });
    ForEachChildUntilFailure(childWindowList_.get(), [&](CBasePrintPanel* child) {
        return child->GetSummaryText(titles, values);
    });
    return noErr;
}

OSStatus CBasePrintPanel::Terminate(PMPDEContext context, OSStatus status) {
    ForEachChildUntilFailure(childWindowList_.get(), [&](CBasePrintPanel* child) {
        return child->Terminate(context, status);
    });
    return noErr;
}

OSStatus CBasePrintPanel::SetDefaultValueToUI() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) {
        c->SetDefaultValueToUI();
        c->SimulationUIEventHandler();
    });
    return noErr;
}

OSStatus CBasePrintPanel::SetCurrentValueToUI() {
    // Every value is on screen before any control replays its constraints, so that each
    // replay sees the final values of the others.
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->SetControlValueToUI(); });
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->SimulationUIEventHandler(); });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [](CBasePrintPanel* child) { return child->SetCurrentValueToUI(); });
    return noErr;
}

OSStatus CBasePrintPanel::SetValueToTicket(PMTicketRef ticket, Boolean locked,
                                           CFMutableArrayRef encryptedControls) {
    ForEachControl(controlList_.get(), [&](CBaseControl* c) {
        if (encryptedControls)
            c->SetValueToTicket(ticket, locked, encryptedControls);
        else
            c->SetValueToTicket(ticket, locked);
    });
    ForEachChildUntilFailure(childWindowList_.get(), [&](CBasePrintPanel* child) {
        return child->SetValueToTicket(ticket, locked, encryptedControls);
    });
    return noErr;
}

OSStatus CBasePrintPanel::SetValueToTicket(PMTicketRef ticket, Boolean locked) {
    ForEachControl(controlList_.get(),
                   [&](CBaseControl* c) { c->SetValueToTicket(ticket, locked); });
    ForEachChildUntilFailure(childWindowList_.get(), [&](CBasePrintPanel* child) {
        return child->SetValueToTicket(ticket, locked);
    });
    return noErr;
}

OSStatus CBasePrintPanel::SetValueFromUIToControl() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) {
        if (c->GetValueFromUI()) c->SetValueFromUIToControl();
    });
    return noErr;
}

OSStatus CBasePrintPanel::SetValueToPreference() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->SetValueToPreference(); });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [](CBasePrintPanel* child) { return child->SetValueToPreference(); });
    return noErr;
}

OSStatus CBasePrintPanel::GetValueFromPreference() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) {
        if (!c->GetValueToPreference()) c->SetControlValueToDefault();
    });
    ForEachChildUntilFailure(childWindowList_.get(), [](CBasePrintPanel* child) {
        return child->GetValueFromPreference();
    });
    return noErr;
}

OSStatus CBasePrintPanel::ResetControlStatus() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) {
        if (c->GetControlID()) c->ResetStatus();
    });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [](CBasePrintPanel* child) { return child->ResetControlStatus(); });
    if (ppd_file_t* ppd = GetPPDRefFromCurrentPrintSession()) ConstrainPanelControlFromPPD(ppd);
    return noErr;
}

Boolean CBasePrintPanel::GetValueFromPreset() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) {
        if (!c->GetValueToPreset()) c->SetControlValueToDefault();
    });
    ForEachListed<CBasePrintPanel>(childWindowList_.get(), [](CBasePrintPanel* child) {
        return child->GetValueFromPreset() != false;
    });
    return true;
}

OSStatus CBasePrintPanel::SetUIDataToDefault() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->SetUIValueToDefault(); });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [](CBasePrintPanel* child) { return child->SetUIDataToDefault(); });
    return noErr;
}

OSStatus CBasePrintPanel::SetUIDataToIniData() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->SetUIValueToIniData(); });
    ForEachChildUntilFailure(childWindowList_.get(),
                             [](CBasePrintPanel* child) { return child->SetUIDataToIniData(); });
    return noErr;
}

OSStatus CBasePrintPanel::DisablePanelControlConstrains() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->DisableControlConstrains(); });
    return noErr;
}

OSStatus CBasePrintPanel::DoPanelControlHideConstrain() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->DoControlHideConstrain(); });
    return noErr;
}

OSStatus CBasePrintPanel::DoPanelControlSelfUpdate() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->DoSelfUpdate(); });
    return noErr;
}

OSStatus CBasePrintPanel::DoPanelControlUpdateConstrain() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->DoControlUpdateConstrain(); });
    return noErr;
}

OSStatus CBasePrintPanel::InitilaizeChildWindow(PMPDEContext context, ControlRef parentUserPane,
                                                CFBundleRef bundle, ppd_file_t* ppd) {
    ForEachChildUntilFailure(childWindowList_.get(), [&](CBasePrintPanel* child) {
        return child->InitializeUserPane(context, parentUserPane, bundle, ppd);
    });
    return noErr;
}

OSStatus CBasePrintPanel::InitializeUserPaneControl(WindowRef window, ControlRef parentUserPane,
                                                    CFBundleRef bundle, ppd_file_t* ppd) {
    ForEachControl(controlList_.get(), [&](CBaseControl* c) {
        c->InitializeCtrl(window, parentUserPane, bundle, ppd);
    });
    return noErr;
}

void CBasePrintPanel::UnbindControls() {
    ForEachControl(controlList_.get(), [](CBaseControl* c) { c->UnbindFromWindow(); });
}

OSStatus CBasePrintPanel::ReInitializeUserPaneControl(WindowRef window) {
    ForEachControl(controlList_.get(), [&](CBaseControl* c) {
        c->ReInitializeCtrl(window);
        c->ResetStatus();
    });
    return noErr;
}

OSStatus CBasePrintPanel::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    ForEachControl(controlList_.get(),
                   [&](CBaseControl* c) { c->UpdateConflictsPanelControlFromPPD(ppd); });
    return noErr;
}

OSStatus CBasePrintPanel::ConstrainPanelControlFromPPD(ppd_file_t* ppd) {
    ForEachControl(installableControlList_.get(),
                   [&](CBaseControl* c) { c->ConstrainPanelControlFromPPD(ppd); });
    return noErr;
}
