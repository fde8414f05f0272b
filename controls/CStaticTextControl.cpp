#include "CStaticTextControl.h"
#include "LocalizedTitle.h"

#include <PlugInIdentity.h>

#include <cstdlib>

CStaticTextControl::CStaticTextControl(const ControlID* controlID, const TextEditIniData* iniData,
                                       const ConstrainInfo* constrainInfo,
                                       const TextEditFilterData* filterData,
                                       const ControlAccessInfo* accessInfo, CFStringRef titleKey)
    : CBaseControl(controlID, constrainInfo, accessInfo), iniData_(iniData),
      filterData_(filterData),
      titleKey_(titleKey ? CFStringCreateCopy(nullptr, titleKey) : nullptr) {}

CStaticTextControl::~CStaticTextControl() = default;

bool CStaticTextControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    CBaseControl::ReInitializeCtrl(window);
    return InitializeTitle(GetAppBundleRef());
}

bool CStaticTextControl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                        __CFBundle* bundle, ppd_file_t* ppd) {
    CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd);
    return InitializeTitle(GetAppBundleRef());
}

bool CStaticTextControl::InitializeTitle(__CFBundle* bundle) {
    if (!bundle) return true;
    if (!titleKey_) return false;
    if (CFRef<CFStringRef> title = CopyLocalizedTitle(bundle, titleKey_.get());
        title && controlHandle_) {
        CFStringRef text = title.get();
        ::SetControlData(controlHandle_, kControlEditTextPart, kControlStaticTextCFStringTag,
                         sizeof text, &text);
        Draw1Control(controlHandle_);
    }
    return true;
}

void* CStaticTextControl::GetValueFromUI() {
    Size textSize = 0;
    if (GetControlDataSize(controlHandle_, kControlEditTextPart, kControlStaticTextTextTag,
                           &textSize) != noErr ||
        textSize < 1)
        return uiValue_;
    CFStringRef text = nullptr;
    if (GetControlData(controlHandle_, kControlEditTextPart, kControlStaticTextCFStringTag,
                       sizeof text, &text, nullptr) != noErr ||
        !text)
        return uiValue_;
    CFRef<CFStringRef> heldText(text);
    std::free(uiValue_);
    // Four bytes per UTF-16 unit hold its UTF-8 form and the terminating NUL.
    const CFIndex bufferSize = 4 * CFStringGetLength(text);
    uiValue_ = std::calloc(1, size_t(bufferSize));
    if (uiValue_)
        CFStringGetCString(text, static_cast<char*>(uiValue_), bufferSize, kCFStringEncodingUTF8);
    return uiValue_;
}
