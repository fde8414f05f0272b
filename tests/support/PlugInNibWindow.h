// A window of the nib "NVSendraFax" in the given bundle (the plug-in's own), made as the
// plug-in makes it and disposed of with the object; no window when the nib or the window is
// missing.
#pragma once

#include <Controls.h>
#include <HIToolboxQt.h>
#include <IBCarbonRuntime.h>

#include <QCoreApplication>
#include <QWidget>

class PlugInNibWindow {
  public:
    PlugInNibWindow(CFBundleRef bundle, CFStringRef name) {
        IBNibRef nib = nullptr;
        if (CreateNibReferenceWithCFBundle(bundle, CFSTR("NVSendraFax"), &nib) != noErr) return;
        CreateWindowFromNib(nib, name, &window_);
        DisposeNibReference(nib);
    }
    ~PlugInNibWindow() {
        if (window_) DisposeWindow(window_);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    PlugInNibWindow(const PlugInNibWindow&) = delete;
    PlugInNibWindow& operator=(const PlugInNibWindow&) = delete;

    WindowRef get() const { return window_; }
    // The control with the ControlID, or null.
    ControlRef control(const ControlID& id) const {
        ControlRef found = nullptr;
        return GetControlByID(window_, &id, &found) == noErr ? found : nullptr;
    }
    QWidget* widget(const ControlID& id) const { return HIControlGetWidget(control(id)); }

  private:
    WindowRef window_ = nullptr;
};
