// A group box titled with the localisation of its title key in the plug-in bundle.
#pragma once

#include "CBaseControl.h"

#include <CFRef.h>

class CGroupBoxControl : public CBaseControl {
  public:
    // Takes over the title key (may be null) and releases it when destroyed.
    CGroupBoxControl(const ControlID* controlID, CFStringRef titleKey);
    ~CGroupBoxControl() override;

    using CBaseControl::InitializeCtrl;
    // Bind and set the title; true whatever the title gave.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // Bind and set the title; the title's result.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;

    // True without a title key (the nib's title stays); false when no title can be made.
    virtual bool InitializeTitle();

  private:
    CFRef<CFStringRef> titleKey_;
};
