// Push buttons. A button only binds: its press reaches its window as the button's command
// through the window's command handling, not through the control. CGBaseButton also titles
// the button with the localisation of its title key in the plug-in bundle.
#pragma once

#include "CBaseControl.h"

#include <CFRef.h>

class CBaseButton : public CBaseControl {
  public:
    explicit CBaseButton(const ControlID* controlID);
    ~CBaseButton() override;

    // Nothing to replay for a button; true.
    virtual bool SimulateUIEventHandler();
};

class CGBaseButton : public CBaseButton {
  public:
    // Takes over the title key (may be null) and releases it when destroyed.
    CGBaseButton(const ControlID* controlID, CFStringRef titleKey);
    ~CGBaseButton() override;

    using CBaseButton::InitializeCtrl;
    // Bind, then set the localised title: false without a title key or when no title can be
    // made (the button stays bound and keeps the nib's title).
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;

  private:
    bool SetLocalizedTitle();

    CFRef<CFStringRef> titleKey_;
};
