// A window of the plug-in bundle's nib "NVSendraFax", made as the plug-in makes it and disposed
// of with the object.
#pragma once

#include "PlugInTestSupport.h"

#include <Controls.h>
#include <HIToolboxQt.h>
#include <IBCarbonRuntime.h>

#include <QCoreApplication>
#include <QWidget>

#include <string>

// The control's name in a nib: its signature's four characters, "_", its id ("snte_403").
inline std::string controlName(const ControlID& id) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += char((id.signature >> shift) & 0xFF);
    return name + "_" + std::to_string(id.id);
}

class NibWindow {
  public:
    explicit NibWindow(CFStringRef name) {
        IBNibRef nib = nullptr;
        if (CreateNibReferenceWithCFBundle(faxBundle(), CFSTR("NVSendraFax"), &nib) != noErr)
            return;
        CreateWindowFromNib(nib, name, &window_);
        DisposeNibReference(nib);
    }
    ~NibWindow() {
        if (window_) DisposeWindow(window_);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    NibWindow(const NibWindow&) = delete;
    NibWindow& operator=(const NibWindow&) = delete;

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
