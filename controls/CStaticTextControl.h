// A static text: bound to a label of the window, titled with the localisation of its title key
// in the plug-in bundle (the key itself when it has none). Reading the screen gives the text as
// UTF-8 in the UI value buffer, which is made anew on every non-empty read.
#pragma once

#include "CBaseControl.h"

#include <CFRef.h>

class CStaticTextControl : public CBaseControl {
  public:
    // Keeps the records (not owned) and a copy of the title key (may be null).
    CStaticTextControl(const ControlID* controlID, const TextEditIniData* iniData,
                       const ConstrainInfo* constrainInfo, const TextEditFilterData* filterData,
                       const ControlAccessInfo* accessInfo, CFStringRef titleKey);
    ~CStaticTextControl() override;

    using CBaseControl::InitializeCtrl;
    // Bind, then InitializeTitle with the plug-in bundle; the title's result.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;
    // The shown text as a NUL-terminated UTF-8 string; null until the first non-empty read.
    void* GetValueFromUI() override;

    // Shows the localised title and redraws. True without a bundle (nothing to look up);
    // false without a title key.
    virtual bool InitializeTitle(__CFBundle* bundle);

  protected:
    const TextEditIniData* iniData_;
    const TextEditFilterData* filterData_;
    CFRef<CFStringRef> titleKey_;
};
