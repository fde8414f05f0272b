// The property windows' common life: title, OK button and the modal presentation.
#include "PropertyWindow.h"

PropertyWindow::PropertyWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle,
                               CFStringRef titleKey, const ControlID* okButtonID)
    : CPopupWindowInPanel(nibName, windowName, bundle),
      titleKey_(CFRef<CFStringRef>::retained(titleKey)),
      okButton_(okButtonID, CFStringCreateCopy(nullptr, CFSTR("OK Button Title"))) {
    RunTimeAddNewControl(&okButton_);
}

PropertyWindow::~PropertyWindow() = default;

CStaticTextControl PropertyWindow::MakeLabel(const ControlID* controlID, CFStringRef titleKey) {
    return CStaticTextControl(controlID, nullptr, nullptr, nullptr, nullptr, titleKey);
}

CTextEditControl PropertyWindow::MakeField(const ControlID* controlID,
                                           const TextEditIniData* iniData,
                                           const ControlAccessInfo* accessInfo) {
    return CTextEditControl(controlID, iniData, nullptr, nullptr, accessInfo);
}

OSStatus PropertyWindow::InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                            CFBundleRef bundle, ppd_file_t* ppd) {
    if (CPopupWindowInPanel::InitializeUserPane(context, parentUserPane, bundle, ppd) != noErr)
        return noErr;
    return InitializeUserPaneTitle();
}

OSStatus PropertyWindow::InitializeUserPaneTitle() {
    return SetLocalizedWindowTitle(titleKey_.get(), noErr);
}

OSStatus PropertyWindow::SetControlEventHandler() {
    if (const OSStatus status = CPopupWindowInPanel::SetControlEventHandler(); status != noErr)
        return status;
    static const EventTypeSpec controlHit = {kEventClassControl, kEventControlHit};
    if (ControlRef button = okButton_.GetControlHandle())
        InstallControlEventHandler(button, ClickOKButton, 1, &controlHit, this, nullptr);
    return noErr;
}

OSStatus PropertyWindow::ClickOKButton(EventHandlerCallRef, EventRef, void* window) {
    if (window) QuitAppModalLoopForWindow(static_cast<PropertyWindow*>(window)->GetWindowRef());
    return noErr;
}

void PropertyWindow::BeginPresentation() {
    ActivateWindow();
    InitializeUserPaneTitle();
}

OSStatus PropertyWindow::RunUntilOK() {
    RunAppModalLoopForWindow(GetWindowRef());
    DeactivateWindow();
    return noErr;
}
