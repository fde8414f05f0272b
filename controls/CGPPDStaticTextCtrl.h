// A static text whose text is set from outside, shown as given (no localisation): the PPD
// lists label themselves with their option's title through SetExternalValueToUI.
#pragma once

#include "CStaticTextControl.h"

class CGPPDStaticTextCtrl : public CStaticTextControl {
  public:
    // The PPD keyword is accepted and not kept; the control has no title key.
    CGPPDStaticTextCtrl(const ControlID* controlID, const char* ppdKeyword,
                        const TextEditIniData* iniData, const ConstrainInfo* constrainInfo,
                        const TextEditFilterData* filterData, const ControlAccessInfo* accessInfo);
    ~CGPPDStaticTextCtrl() override;

    // value points to a CFStringRef. False without a bound control or a value, and when the
    // control takes no text; the control is redrawn in every case.
    bool SetExternalValueToUI(void* value, int size) override;
    using CStaticTextControl::InitializeCtrl;
    // Binds only: the text comes from outside.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;
};
