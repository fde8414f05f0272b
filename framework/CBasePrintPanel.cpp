// The panel's lists, their adds and look-ups, and the state it shares with its child windows:
// the constraint table, the print session and the current printer's ID string.
#include "CBasePrintPanel.h"

#include "CReleasableWindow.h"
#include "PanelLists.h"
#include "SessionAccessors.h"

CBasePrintPanel::CBasePrintPanel()
    : controlList_(CFArrayCreateMutable(nullptr, 0, nullptr)),
      installableControlList_(CFArrayCreateMutable(nullptr, 0, nullptr)),
      childWindowList_(CFArrayCreateMutable(nullptr, 0, nullptr)) {}

CBasePrintPanel::~CBasePrintPanel() {
    if (printButtonHandlerRef_) RemoveEventHandler(printButtonHandlerRef_);
    if (printButtonHandlerProc_) DisposeEventHandlerUPP(printButtonHandlerProc_);
}

void CBasePrintPanel::SetUserPaneIdentity(OSType signature, SInt32 id, CFStringRef nibFileName,
                                          CFStringRef nibWindowName) {
    userPaneSignature_ = signature;
    userPaneID_ = id;
    nibFileName_ = CFRef<CFStringRef>::retained(nibFileName);
    nibWindowName_ = CFRef<CFStringRef>::retained(nibWindowName);
}

UInt32 CBasePrintPanel::AddToList(CFMutableArrayRef list, UInt32& count, const void* entry) {
    if (!list) return 0;
    CFArrayAppendValue(list, entry);
    return count++;
}

UInt32 CBasePrintPanel::RunTimeAddNewControl(CBaseControl* control) {
    if (!controlList_) return 0;
    if (control) control->SetOwnerPanel(this);
    return AddToList(controlList_.get(), controlCount_, control);
}

UInt32 CBasePrintPanel::RunTimeAddNewInstallableControl(CBaseControl* control) {
    if (!installableControlList_) return 0;
    if (control) control->SetOwnerPanel(this);
    return AddToList(installableControlList_.get(), installableControlCount_, control);
}

UInt32 CBasePrintPanel::RunTimeAddNewWindow(CBasePrintPanel* window) {
    if (!childWindowList_) return 0;
    if (window) window->SetParenetPane(this);
    return AddToList(childWindowList_.get(), childWindowCount_, window);
}

CBaseControl* CBasePrintPanel::FindControlIn(CFArrayRef list, const ControlID* controlID) const {
    CBaseControl* found = nullptr;
    ForEachListed<CBaseControl>(list, [&](CBaseControl* control) {
        const ControlID* own = control->GetControlID();
        if (own && own->id == controlID->id && own->signature == controlID->signature)
            found = control;
        return found == nullptr;
    });
    return found;
}

CBaseControl* CBasePrintPanel::GetPanelControl(const ControlID* controlID) {
    if (!controlID) return nullptr;
    CBaseControl* found = FindControlIn(controlList_.get(), controlID);
    if (!found) found = FindControlIn(installableControlList_.get(), controlID);
    if (!found) {
        ForEachListed<CBasePrintPanel>(childWindowList_.get(), [&](CBasePrintPanel* child) {
            found = child->GetPanelControl(controlID);
            return found == nullptr;
        });
    }
    return found;
}

void CBasePrintPanel::SetxppdPtr(ConstraintTable* table) {
    xppdPtr_ = table;
    ForEachListed<CBasePrintPanel>(childWindowList_.get(), [&](CBasePrintPanel* child) {
        child->SetxppdPtr(table);
        return true;
    });
}

Boolean CBasePrintPanel::SetCurrentPrinterString(PMPrintSession session) {
    printSession_ = session;
    if (!currentPrinterString_)
        currentPrinterString_.reset(CFStringCreateMutable(nullptr, 0));
    else if (CFStringGetLength(currentPrinterString_.get()) > 0)
        CFStringDelete(currentPrinterString_.get(),
                       CFRangeMake(0, CFStringGetLength(currentPrinterString_.get())));
    if (SetPrinterString(session, currentPrinterString_.get()) != noErr) return false;
    Boolean childrenDone = true;
    ForEachListed<CBasePrintPanel>(childWindowList_.get(), [&](CBasePrintPanel* child) {
        childrenDone = child->SetCurrentPrinterString(session);
        return childrenDone;
    });
    return childrenDone;
}

ppd_file_t* CBasePrintPanel::GetPPDRefFromCurrentPrintSession() const {
    ppd_file_t* ppd = nullptr;
    if (!printSession_ || GetPPDRefFromSession(printSession_, &ppd) != noErr) return nullptr;
    return ppd;
}

Boolean CBasePrintPanel::ReleaseChildWindow() {
    Boolean released = true;
    ForEachListed<CBasePrintPanel>(childWindowList_.get(), [&](CBasePrintPanel* child) {
        if (auto* window = dynamic_cast<CReleasableWindow*>(child))
            released = window->ReleaseWindow() == noErr;
        return released;
    });
    return released;
}

CFArrayRef CBasePrintPanel::GetPrinterSupporttedListRef() {
    return nullptr;
}

CFArrayRef CBasePrintPanel::GetPrintSupporttedListRef() {
    return nullptr;
}

Boolean CBasePrintPanel::OnClickPrintCommand() {
    return true;
}

Boolean CBasePrintPanel::ValidateUserPane() {
    return true;
}
