// The localised popup list: its menu from title keys, its item number as value, its
// constraints by item.
#include "CListControl.h"
#include "LocalizedTitle.h"

#include <PlugInIdentity.h>

#include <CFRef.h>
#include <Menus.h>

#include <cstdio>

namespace {

// Room for the decimal form of any 32-bit number and its NUL.
constexpr size_t kItemNumberTextSize = 12;

} // namespace

CListControl::CListControl(const ControlID* controlID, const ListPopupIniData* iniData,
                           const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo)
    : CBaseControl(controlID, constrainInfo, accessInfo), iniData_(iniData) {
    dataSize_ = sizeof(SInt32);
}

CListControl::~CListControl() = default;

bool CListControl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                  __CFBundle* bundle, ppd_file_t* ppd) {
    if (!CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd)) return false;
    if (!InitializeMenu(window, parentUserPane, bundle, ppd)) return false;
    return AllocateValueBuffers(sizeof(SInt32));
}

bool CListControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    if (!CBaseControl::ReInitializeCtrl(window)) return false;
    return InitializeMenu(GetAppBundleRef());
}

bool CListControl::InitializeMenu(OpaqueWindowPtr*, OpaqueControlRef*, __CFBundle* bundle,
                                  ppd_file_t*) {
    return InitializeMenu(bundle);
}

bool CListControl::InitializeMenu(__CFBundle* bundle) {
    if (!iniData_) return true;
    SInt16 appended = 0;
    MenuRef menu = GetControlPopupMenuHandle(controlHandle_);
    if (menu && iniData_->itemTitleKeys) {
        DeleteMenuItems(menu, 1, CountMenuItems(menu));
        for (const CFStringRef* key = iniData_->itemTitleKeys; *key; ++key) {
            const CFRef<CFStringRef> title = CopyLocalizedTitle(bundle, *key);
            if (title && AppendMenuItemTextWithCFString(menu, title.get(), 0, 0, nullptr) == noErr)
                ++appended;
        }
    }
    SetControlMinimum(controlHandle_, 1);
    SetControlMaximum(controlHandle_, appended);
    return true;
}

bool CListControl::SetControlValueToUI() {
    if (!controlValue_ || !controlHandle_) return false;
    SetControlValue(controlHandle_, SInt16(*ControlItem()));
    return true;
}

bool CListControl::SetExternalValueToUI(void* value, int) {
    if (!value || !controlHandle_) return false;
    SetControlValue(controlHandle_, SInt16(*static_cast<SInt32*>(value)));
    return true;
}

void* CListControl::GetValueFromUI() {
    if (!uiValue_ || !controlHandle_) return nullptr;
    *UIItem() = ScreenItem();
    return uiValue_;
}

bool CListControl::SetValueFromUIToControl() {
    if (controlValue_ && uiValue_ && controlHandle_) *ControlItem() = *UIItem();
    return true;
}

void* CListControl::GetValueFromControl() {
    return controlValue_;
}

int CListControl::GetCurrentControlArrayNumber() {
    return ScreenItem() - 1;
}

void* CListControl::GetDefaultDataBlk() {
    return iniData_ ? const_cast<SInt32*>(&iniData_->defaultValue) : nullptr;
}

int CListControl::GetDefaultDataSize() {
    return iniData_ ? int(sizeof(SInt32)) : 0;
}

void* CListControl::GetIniDataBlk() {
    return iniData_ ? const_cast<SInt32*>(&iniData_->initialValue) : nullptr;
}

int CListControl::GetIniDataSize() {
    return iniData_ ? int(sizeof(SInt32)) : 0;
}

bool CListControl::WriteItemNumber(char* buffer) const {
    if (!buffer || !controlValue_) return false;
    std::snprintf(buffer, kItemNumberTextSize, "%d", int(*ControlItem()));
    return true;
}

bool CListControl::ConvertToTickectData(unsigned char* buffer) {
    return WriteItemNumber(reinterpret_cast<char*>(buffer));
}

bool CListControl::ConvertToPreferenceString(char* buffer) {
    return WriteItemNumber(buffer);
}

bool CListControl::ConvertFromPreferenceString(char* text) {
    return StoreDecimalControlValue(text);
}

bool CListControl::ItemChanged(ConstrainArray array, SInt32& shownBefore, SInt32& shown) {
    if (!array || !uiValue_) return false;
    shownBefore = *UIItem();
    shown = ScreenItem();
    return shownBefore != shown;
}

ConstrainList CListControl::ListOfItem(ConstrainArray array, SInt32 item) const {
    return constrainInfo_ ? ConstrainListOfValue(*constrainInfo_, array, item - 1) : nullptr;
}

int CListControl::DoControlConstrain() {
    const ConstrainArray disables = constrainInfo_ ? constrainInfo_->disableArray : nullptr;
    SInt32 shownBefore = 0, shown = 0;
    if (!ItemChanged(disables, shownBefore, shown)) return 0;
    EnableControlConstrains(ListOfItem(disables, shownBefore));
    *UIItem() = shown;
    DisableControlConstrains(ListOfItem(disables, shown));
    return 0;
}

int CListControl::DoControlHideConstrain() {
    const ConstrainArray hides = constrainInfo_ ? constrainInfo_->hideArray : nullptr;
    SInt32 shownBefore = 0, shown = 0;
    if (!ItemChanged(hides, shownBefore, shown)) return 0;
    HideControlConstrains(ListOfItem(hides, shown));
    ShowControlConstrains(ListOfItem(hides, shownBefore));
    return 0;
}

int CListControl::DoControlUpdateConstrain() {
    SInt32 shownBefore = 0, shown = 0;
    if (!ItemChanged(constrainInfo_ ? constrainInfo_->updateArray : nullptr, shownBefore, shown))
        return 0;
    return CBaseControl::DoControlUpdateConstrain();
}
