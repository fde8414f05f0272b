#include "CCheckBoxControl.h"
#include "LocalizedTitle.h"

#include <MacErrors.h>
#include <PlugInIdentity.h>

#include <cerrno>
#include <cstdio>

namespace {

constexpr int kDataSize = sizeof(SInt32);
// Room for any 32-bit value in decimal and its NUL.
constexpr size_t kDecimalSize = 12;

} // namespace

CCheckBoxControl::CCheckBoxControl(const ControlID* controlID, const CheckBoxIniData* iniData,
                                   const ConstrainInfo* constrainInfo,
                                   const ControlAccessInfo* accessInfo)
    : CBaseControl(controlID, constrainInfo, accessInfo), iniData_(iniData) {
    dataSize_ = kDataSize;
}

CCheckBoxControl::~CCheckBoxControl() = default;

bool CCheckBoxControl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                      __CFBundle* bundle, ppd_file_t* ppd) {
    CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd);
    if (!InitializeTitle(window, parentUserPane, bundle, ppd)) return false;
    return AllocateValueBuffers(kDataSize);
}

bool CCheckBoxControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    CBaseControl::ReInitializeCtrl(window);
    return ReInitializeTitle(GetAppBundleRef());
}

bool CCheckBoxControl::InitializeTitle(OpaqueWindowPtr*, OpaqueControlRef*, __CFBundle* bundle,
                                       ppd_file_t*) {
    return ReInitializeTitle(bundle);
}

bool CCheckBoxControl::ReInitializeTitle(__CFBundle* bundle) {
    if (!iniData_) return true;
    if (!iniData_->titleKey) return false;
    if (CFRef<CFStringRef> title = CopyLocalizedTitle(bundle, iniData_->titleKey))
        SetControlTitleWithCFString(controlHandle_, title.get());
    return true;
}

void* CCheckBoxControl::GetDefaultDataBlk() {
    return iniData_ ? const_cast<SInt32*>(&iniData_->defaultValue) : nullptr;
}

int CCheckBoxControl::GetDefaultDataSize() {
    return kDataSize;
}

void* CCheckBoxControl::GetIniDataBlk() {
    return iniData_ ? const_cast<SInt32*>(&iniData_->initialValue) : nullptr;
}

int CCheckBoxControl::GetIniDataSize() {
    return kDataSize;
}

bool CCheckBoxControl::SetControlValueToUI() {
    if (!controlValue_ || !controlHandle_) return false;
    SetControlValue(controlHandle_, SInt16(*static_cast<SInt32*>(controlValue_)));
    return true;
}

bool CCheckBoxControl::SetExternalValueToUI(void* value, int) {
    if (!controlHandle_ || !value) return false;
    SetControlValue(controlHandle_, SInt16(*static_cast<const SInt32*>(value)));
    return IsControlActive(controlHandle_);
}

void* CCheckBoxControl::GetValueFromUI() {
    if (uiValue_ && controlHandle_)
        *static_cast<SInt32*>(uiValue_) = GetControlValue(controlHandle_);
    return uiValue_;
}

void* CCheckBoxControl::GetValueFromControl() {
    return controlValue_;
}

bool CCheckBoxControl::SetValueFromUIToControl() {
    if (controlValue_ && uiValue_ && controlHandle_)
        *static_cast<SInt32*>(controlValue_) = *static_cast<SInt32*>(uiValue_);
    return true;
}

bool CCheckBoxControl::WriteDecimal(char* buffer) {
    if (!controlValue_ || !buffer) return false;
    std::snprintf(buffer, kDecimalSize, "%d", int(*static_cast<SInt32*>(controlValue_)));
    return true;
}

bool CCheckBoxControl::ConvertToTickectData(unsigned char* buffer) {
    return WriteDecimal(reinterpret_cast<char*>(buffer));
}

bool CCheckBoxControl::ConvertToPreferenceString(char* buffer) {
    return WriteDecimal(buffer);
}

bool CCheckBoxControl::ConvertFromPreferenceString(char* text) {
    return StoreDecimalControlValue(text);
}

int CCheckBoxControl::ListIndex(int value) {
    return value >= 0 && value <= GetControlMaximum(controlHandle_) ? value : -1;
}

bool CCheckBoxControl::ScreenDiffersFromUIValue() {
    return GetControlValue(controlHandle_) != *static_cast<SInt32*>(uiValue_);
}

int CCheckBoxControl::ApplyValueChange(ConstrainArray array, ListAction onNewValue,
                                       ListAction onOldValue) {
    if (!array) return eventNotHandledErr;
    if (!uiValue_ || !ScreenDiffersFromUIValue()) return 0;
    if (const int index = ListIndex(GetControlValue(controlHandle_)); index >= 0)
        (this->*onNewValue)(ConstrainListOfValue(*constrainInfo_, array, index));
    if (const int index = ListIndex(*static_cast<SInt32*>(uiValue_)); index >= 0)
        (this->*onOldValue)(ConstrainListOfValue(*constrainInfo_, array, index));
    return 0;
}

int CCheckBoxControl::DoControlConstrain() {
    if (!constrainInfo_) return eventNotHandledErr;
    return ApplyValueChange(constrainInfo_->disableArray, &CBaseControl::DisableControlConstrains,
                            &CBaseControl::EnableControlConstrains);
}

int CCheckBoxControl::DoControlHideConstrain() {
    if (!constrainInfo_) return eventNotHandledErr;
    return ApplyValueChange(constrainInfo_->hideArray, &CBaseControl::HideControlConstrains,
                            &CBaseControl::ShowControlConstrains);
}

int CCheckBoxControl::DoControlUpdateConstrain() {
    if (!constrainInfo_ || !constrainInfo_->updateArray) return eventNotHandledErr;
    if (!uiValue_ || !ScreenDiffersFromUIValue()) return 0;
    CBaseControl::DoControlUpdateConstrain();
    return 0;
}

bool CCheckBoxControl::SimulationUIEventHandler() {
    CBaseControl::SimulationUIEventHandler();
    GetValueFromUI();
    return true;
}
