// The common part of the entry and group property windows: a child window of the address
// window, built from its nib window with a title key, that only shows an entry and closes when
// the user presses its OK button (or its close box).
#pragma once

#include <CBaseButton.h>
#include <CPopupWindowInPanel.h>
#include <CStaticTextControl.h>
#include <CTextEditControl.h>

class PropertyWindow : public CPopupWindowInPanel {
  public:
    // The nib window of the bundle, its title key (retained, may be null) and its OK button's
    // record; the OK button is made here and added first to the control list.
    PropertyWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle,
                   CFStringRef titleKey, const ControlID* okButtonID);
    ~PropertyWindow() override;

    // The base initialisation (binding the controls, installing their handlers); when it
    // fails, 0 without a title. Otherwise the status of InitializeUserPaneTitle.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;
    // The base's handlers (their error is returned), then ClickOKButton on the OK button's
    // control-hit event. 0.
    OSStatus SetControlEventHandler() override;

    // The title key localised through the plug-in bundle as the window title: 0 without a
    // title key or a localised text, else the status of SetWindowTitleWithCFString.
    OSStatus InitializeUserPaneTitle();

    // The OK button's control-hit handler (user data: the window): ends the window's modal
    // loop. 0.
    static OSStatus ClickOKButton(EventHandlerCallRef callRef, EventRef event, void* window);

  protected:
    // A label titled with the localised key, and a field that shows a text: the controls the
    // property windows are made of.
    static CStaticTextControl MakeLabel(const ControlID* controlID, CFStringRef titleKey);
    static CTextEditControl MakeField(const ControlID* controlID, const TextEditIniData* iniData,
                                      const ControlAccessInfo* accessInfo);

    // Shows the window (rebuilt from the nib after the first presentation, so every field
    // starts empty) and sets its title.
    void BeginPresentation();
    // Runs the modal loop until OK or the close box, then puts the window away. 0.
    OSStatus RunUntilOK();

  private:
    CFRef<CFStringRef> titleKey_;
    CGBaseButton okButton_;
};
