#include "CBaseButton.h"
#include "LocalizedTitle.h"

#include <PlugInIdentity.h>

CBaseButton::CBaseButton(const ControlID* controlID) : CBaseControl(controlID) {}

CBaseButton::~CBaseButton() = default;

bool CBaseButton::SimulateUIEventHandler() {
    return true;
}

CGBaseButton::CGBaseButton(const ControlID* controlID, CFStringRef titleKey)
    : CBaseButton(controlID), titleKey_(titleKey) {}

CGBaseButton::~CGBaseButton() = default;

bool CGBaseButton::ReInitializeCtrl(OpaqueWindowPtr* window) {
    CBaseButton::ReInitializeCtrl(window);
    return SetLocalizedTitle();
}

bool CGBaseButton::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                  __CFBundle* bundle, ppd_file_t* ppd) {
    CBaseButton::InitializeCtrl(window, parentUserPane, bundle, ppd);
    return SetLocalizedTitle();
}

bool CGBaseButton::SetLocalizedTitle() {
    CFRef<CFStringRef> title = CopyLocalizedTitle(GetAppBundleRef(), titleKey_.get());
    if (!title) return false;
    SetControlTitleWithCFString(controlHandle_, title.get());
    return true;
}
