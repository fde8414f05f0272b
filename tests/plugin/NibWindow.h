// A window of the plug-in bundle's nib "NVSendraFax", made as the plug-in makes it and disposed
// of with the object.
#pragma once

#include "PlugInTestSupport.h"

#include <PlugInNibWindow.h>

#include <string>

// The control's name in a nib: its signature's four characters, "_", its id ("snte_403").
inline std::string controlName(const ControlID& id) {
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += char((id.signature >> shift) & 0xFF);
    return name + "_" + std::to_string(id.id);
}

class NibWindow : public PlugInNibWindow {
  public:
    explicit NibWindow(CFStringRef name) : PlugInNibWindow(faxBundle(), name) {}
};
