#include "CGroupBoxControl.h"
#include "LocalizedTitle.h"

#include <PlugInIdentity.h>

CGroupBoxControl::CGroupBoxControl(const ControlID* controlID, CFStringRef titleKey)
    : CBaseControl(controlID), titleKey_(titleKey) {}

CGroupBoxControl::~CGroupBoxControl() = default;

bool CGroupBoxControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    CBaseControl::ReInitializeCtrl(window);
    InitializeTitle();
    return true;
}

bool CGroupBoxControl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                      __CFBundle* bundle, ppd_file_t* ppd) {
    CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd);
    return InitializeTitle();
}

bool CGroupBoxControl::InitializeTitle() {
    if (!titleKey_) return true;
    CFRef<CFStringRef> title = CopyLocalizedTitle(GetAppBundleRef(), titleKey_.get());
    if (!title) return false;
    SetControlTitleWithCFString(controlHandle_, title.get());
    return true;
}
