// The message window: every message the plug-in shows goes through Present, which builds the
// window "About" from the plug-in's nib, shows the localised message modally until the user
// presses OK and destroys the window. The window holds the message text control
// (aboutMsgWndStatictTextCtrlID) and an OK button that sends the command 'ok  '.
#pragma once

#include "TWindow.h"

#include <CTextEditControl.h>

class AboutWindow : public TWindow {
  public:
    // The nib window, its text control bound to it, placed where alerts go on the main screen.
    AboutWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle);
    ~AboutWindow() override;
    // The close box and 'clos' leave the message up: only OK dismisses it, and whoever made
    // the window destroys it. Does nothing.
    void Close() override;
    // 'ok  ' ends the modal loop (true); every other command is left to the platform (false).
    Boolean HandleCommand(const HICommand& command) override;
    // Shows the message (the bundle's localisation of the key, the key itself without one; a
    // null message leaves the nib's text) and runs the modal loop until OK; then hides the
    // window. The status of the modal loop: errInvalidWindowRef without a window.
    virtual OSStatus RunModal(CFBundleRef bundle, CFStringRef message);

    // Builds the plug-in's message window, runs it with the message and destroys it; the
    // status of RunModal.
    static OSStatus Present(CFBundleRef bundle, CFStringRef message);

  private:
    CTextEditControl messageText_;
};
