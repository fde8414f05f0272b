// A child window of the pane (or of another window): a panel whose controls live in a window
// of the plug-in's nib, shown in a TWindow. The base of the fax settings sheet, the address
// window and the entry and group property windows.
//
// Its life: built at construction (the window made from the given nib and bundle); its
// controls bound through the owner's InitilaizeChildWindow; each presentation starts with
// ActivateWindow and ends with DeactivateWindow; ReleaseWindow (through the owner's
// ReleaseChildWindow when Print goes ahead) and Terminate give up the platform window. The
// controls and their values outlive a release: the next ActivateWindow rebuilds the window
// from the plug-in's own nib and bundle, binds the controls to it again, resets their screen
// values to their initial data and then shows their current values.
//
// The virtual operations are those of CBasePrintPanel in its slot order, with one appended:
// ReInitializeUserPane. A derived window appends its own presentation operation after it.
#pragma once

#include "CBasePrintPanel.h"
#include "CReleasableWindow.h"
#include "TWindow.h"

class CPopupWindowInPanel : public CBasePrintPanel, public CReleasableWindow {
  public:
    // Builds the window named windowName of the bundle's nib at once (no window when it cannot
    // be made) and keeps a copy of the window name.
    CPopupWindowInPanel(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle);

    // Deletes the window wrapper (disposing of the platform window), when there is one.
    OSStatus Terminate(PMPDEContext context, OSStatus status) override;
    // Deletes the window wrapper, the window name, then the panel.
    ~CPopupWindowInPanel() override;
    // Called through the owner's InitilaizeChildWindow: binds the controls to this window
    // (none when it is not built) and installs their handlers. Opens no nib, touches no
    // bounds, installs no print-button handler. 0.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;
    // Binds the controls to the window again and resets their status, then installs their
    // handlers. 0.
    virtual OSStatus ReInitializeUserPane(WindowRef window);

    // Rebuilds the window when it is not built (binding the controls to it and resetting their
    // screen values to their initial data), shows every control's current value and shows the
    // window. 0.
    OSStatus ActivateWindow();
    // Hides and deletes the window wrapper, when there is one. 0.
    OSStatus DeactivateWindow();
    // Deletes the window wrapper without hiding it, when there is one. 0.
    OSStatus ReleaseWindow() override;

    // The window wrapper while built (null when released), and its platform window.
    TWindow* GetWindow() const { return window_; }
    WindowRef GetWindowRef() const { return window_ ? window_->GetWindowRef() : nullptr; }
    CFStringRef GetWindowName() const { return windowName_.get(); }

  protected:
    // Sets the window title to the key localised through the plug-in bundle: the status of
    // setting it, or noTitle when no title can be made (no key, no localisation).
    OSStatus SetLocalizedWindowTitle(CFStringRef key, OSStatus noTitle);

  private:
    class PanelWindow;
    // Called by the wrapper that closes itself (close box, 'clos'): it is gone, and the
    // controls' platform controls with it.
    void WindowClosed();

    TWindow* window_ = nullptr;
    CFRef<CFStringRef> windowName_;
};
