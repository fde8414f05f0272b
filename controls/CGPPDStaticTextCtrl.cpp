#include "CGPPDStaticTextCtrl.h"

#include <MacErrors.h>

CGPPDStaticTextCtrl::CGPPDStaticTextCtrl(const ControlID* controlID, const char*,
                                         const TextEditIniData* iniData,
                                         const ConstrainInfo* constrainInfo,
                                         const TextEditFilterData* filterData,
                                         const ControlAccessInfo* accessInfo)
    : CStaticTextControl(controlID, iniData, constrainInfo, filterData, accessInfo, nullptr) {}

CGPPDStaticTextCtrl::~CGPPDStaticTextCtrl() = default;

bool CGPPDStaticTextCtrl::SetExternalValueToUI(void* value, int) {
    if (!controlHandle_ || !value) return false;
    const OSErr status =
        ::SetControlData(controlHandle_, kControlEditTextPart, kControlStaticTextCFStringTag,
                         sizeof(CFStringRef), value);
    Draw1Control(controlHandle_);
    return status != errDataNotSupported;
}

bool CGPPDStaticTextCtrl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                         __CFBundle* bundle, ppd_file_t* ppd) {
    return CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd);
}
