// The message window: built from the nib, shown modally with its localised message, closed
// by OK.
#include "AboutWindow.h"

#include <ControlDefinitionTables.h>
#include <PlugInIdentity.h>

#include <CFRef.h>

#include <memory>

AboutWindow::AboutWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle)
    : TWindow(nibName, windowName, bundle),
      messageText_(&aboutMsgWndStatictTextCtrlID, nullptr, nullptr, nullptr,
                   &aboutMsgWndStatictTextAccessInfo) {
    messageText_.InitializeCtrl(GetWindowRef(), nullptr, nullptr, nullptr);
    RepositionWindow(GetWindowRef(), nullptr, kWindowAlertPositionOnParentWindowScreen);
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::Close() {}

Boolean AboutWindow::HandleCommand(const HICommand& command) {
    if (command.commandID != kHICommandOK) return false;
    QuitAppModalLoopForWindow(GetWindowRef());
    return true;
}

OSStatus AboutWindow::RunModal(CFBundleRef bundle, CFStringRef message) {
    if (message) {
        const CFRef<CFStringRef> localized(
            CFBundleCopyLocalizedString(bundle, message, message, nullptr));
        const CFStringRef text = localized ? localized.get() : message;
        SetControlData(messageText_.GetControlHandle(), kControlEditTextPart,
                       kControlStaticTextCFStringTag, sizeof text, &text);
    }
    Show();
    const OSStatus status = RunAppModalLoopForWindow(GetWindowRef());
    Hide();
    return status;
}

OSStatus AboutWindow::Present(CFBundleRef bundle, CFStringRef message) {
    const auto window = std::make_unique<AboutWindow>(GetPDENibFileName(), CFSTR("About"), bundle);
    return window->RunModal(bundle, message);
}
