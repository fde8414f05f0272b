// What a child window offers its owner panel when the print goes ahead: it gives up its
// platform window (its controls and values stay). A child window class derives from
// CBasePrintPanel first and from this second, so the panel's operations keep their slots;
// the owner's ReleaseChildWindow finds it among its children.
#pragma once

#include <MacTypes.h>

class CReleasableWindow {
  public:
    // Disposes of the platform window when there is one; 0 on success.
    virtual OSStatus ReleaseWindow() = 0;

  protected:
    ~CReleasableWindow() = default;
};
