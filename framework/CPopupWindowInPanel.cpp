// A child window's platform window: built at construction, released and rebuilt on demand,
// its controls bound again on each rebuild.
#include "CPopupWindowInPanel.h"

#include <LocalizedTitle.h>
#include <PlugInIdentity.h>

// The window of a child window. A wrapper closes by deleting itself (the close box, the
// command 'clos'); this one first tells its child window, which would otherwise keep a
// pointer to it.
class CPopupWindowInPanel::PanelWindow : public TWindow {
  public:
    PanelWindow(CPopupWindowInPanel& owner, CFStringRef nibName, CFStringRef windowName,
                CFBundleRef bundle)
        : TWindow(nibName, windowName, bundle), owner_(owner) {}

    void Close() override {
        owner_.WindowClosed();
        TWindow::Close();
    }

  private:
    CPopupWindowInPanel& owner_;
};

CPopupWindowInPanel::CPopupWindowInPanel(CFStringRef nibName, CFStringRef windowName,
                                         CFBundleRef bundle)
    : window_(new PanelWindow(*this, nibName, windowName, bundle)),
      windowName_(windowName ? CFStringCreateCopy(nullptr, windowName) : nullptr) {}

CPopupWindowInPanel::~CPopupWindowInPanel() {
    delete window_;
}

OSStatus CPopupWindowInPanel::InitializeUserPane(PMPDEContext, ControlRef parentUserPane,
                                                 CFBundleRef bundle, ppd_file_t* ppd) {
    MyDebugMessage("InitializeUserPane", 0);
    InitializeUserPaneControl(GetWindowRef(), parentUserPane, bundle, ppd);
    SetControlEventHandler();
    return noErr;
}

OSStatus CPopupWindowInPanel::ReInitializeUserPane(WindowRef window) {
    ReInitializeUserPaneControl(window);
    SetControlEventHandler();
    return noErr;
}

OSStatus CPopupWindowInPanel::ActivateWindow() {
    if (!window_) {
        window_ = new PanelWindow(*this, GetPDENibFileName(), windowName_.get(), GetAppBundleRef());
        ReInitializeUserPane(window_->GetWindowRef());
        SetUIDataToIniData();
    }
    SetCurrentValueToUI();
    window_->Show();
    return noErr;
}

OSStatus CPopupWindowInPanel::DeactivateWindow() {
    if (window_) window_->Hide();
    return ReleaseWindow();
}

OSStatus CPopupWindowInPanel::ReleaseWindow() {
    if (window_) UnbindControls();
    delete window_;
    window_ = nullptr;
    return noErr;
}

void CPopupWindowInPanel::WindowClosed() {
    UnbindControls();
    window_ = nullptr;
}

OSStatus CPopupWindowInPanel::Terminate(PMPDEContext, OSStatus) {
    return ReleaseWindow();
}

OSStatus CPopupWindowInPanel::SetLocalizedWindowTitle(CFStringRef key, OSStatus noTitle) {
    const CFRef<CFStringRef> title = CopyLocalizedTitle(GetAppBundleRef(), key);
    if (!title) return noTitle;
    return SetWindowTitleWithCFString(GetWindowRef(), title.get());
}
