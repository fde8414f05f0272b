#include "CTabView.h"
#include "LocalizedTitle.h"

#include <PlugInIdentity.h>

CTabView::CTabView(const ControlID* controlID, const TabViewIniData* iniData,
                   const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo)
    : CBaseControl(controlID, constrainInfo, accessInfo), iniData_(iniData) {
    dataSize_ = sizeof(SInt32);
}

CTabView::~CTabView() = default;

bool CTabView::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                              __CFBundle* bundle, ppd_file_t* ppd) {
    CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd);
    if (CountSubControls(controlHandle_, &tabCount_) != noErr) return false;
    if (iniData_) currentTab_ = UInt16(iniData_->initialTab);
    return InitializeTabTitles();
}

bool CTabView::ReInitializeCtrl(OpaqueWindowPtr* window) {
    CBaseControl::ReInitializeCtrl(window);
    return InitializeTabTitles();
}

OSErr CTabView::SetPaneVisibility(UInt16 tab, bool visible) {
    ControlRef pane = nullptr;
    if (OSErr status = GetIndexedSubControl(controlHandle_, tab, &pane); status != noErr)
        return status;
    return SetControlVisibility(pane, visible, false);
}

bool CTabView::InitializeTabTitles() {
    const CFStringRef* titleKeys = iniData_ ? iniData_->tabTitleKeys : nullptr;
    CFBundleRef bundle = GetAppBundleRef();
    for (UInt16 tab = 1; titleKeys && tab <= tabCount_ && titleKeys[tab - 1]; ++tab) {
        CFRef<CFStringRef> title = CopyLocalizedTitle(bundle, titleKeys[tab - 1]);
        if (!title) continue; // the tab keeps its nib title and its pane's visibility
        const ControlTabInfoRecV1 info = {kControlTabInfoVersionOne, 0, title.get()};
        if (::SetControlData(controlHandle_, ControlPartCode(tab), kControlTabInfoTag, sizeof info,
                             &info) != noErr ||
            SetPaneVisibility(tab, tab == currentTab_) != noErr)
            return false;
    }
    Draw1Control(controlHandle_);
    return true;
}

bool CTabView::UIEventHandler() {
    CBaseControl::UIEventHandler();
    const SInt32 tab = GetControl32BitValue(controlHandle_);
    if (tab == currentTab_) return true;
    return selectTab((unsigned short)tab);
}

bool CTabView::selectTab(unsigned short tab) {
    // Tabs count from 1: tab 0 is no tab either.
    if (tab == 0 || tab > tabCount_) return false;
    SetControl32BitValue(controlHandle_, tab);
    currentTab_ = tab;
    if (CountSubControls(controlHandle_, &tabCount_) != noErr) return false;
    for (UInt16 pane = 1; pane <= tabCount_; ++pane)
        if (SetPaneVisibility(pane, pane == tab) != noErr) return false;
    Draw1Control(controlHandle_);
    return true;
}

unsigned short CTabView::getCurrentTabIndex() {
    return currentTab_;
}
