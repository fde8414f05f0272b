// Construction, binding, value movement and the neutral answers of the base control.
#include "CBaseControl.h"

#include <cstdlib>
#include <cstring>

CBaseControl::CBaseControl(const ControlID* controlID, const ConstrainInfo* constrainInfo,
                           const ControlAccessInfo* accessInfo)
    : controlID_(controlID), constrainInfo_(constrainInfo), accessInfo_(accessInfo) {}

CBaseControl::~CBaseControl() {
    FreeValueBuffers();
}

bool CBaseControl::AllocateValueBuffers(size_t size) {
    FreeValueBuffers();
    controlValue_ = std::calloc(1, size);
    uiValue_ = std::calloc(1, size);
    if (!controlValue_ || !uiValue_) {
        FreeValueBuffers();
        return false;
    }
    valueBufferSize_ = size;
    return true;
}

void CBaseControl::FreeValueBuffers() {
    std::free(controlValue_);
    controlValue_ = nullptr;
    std::free(uiValue_);
    uiValue_ = nullptr;
    valueBufferSize_ = 0;
}

bool CBaseControl::BindToWindow(WindowRef window) {
    controlHandle_ = nullptr; // a failed binding leaves no reference to an earlier window
    if (!controlID_ || !window) return false;
    ControlRef found = nullptr;
    if (GetControlByID(window, controlID_, &found) != noErr) return false;
    controlHandle_ = found;
    return true;
}

bool CBaseControl::InitializeCtrl(OpaqueWindowPtr* window) {
    return BindToWindow(window);
}

bool CBaseControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    return BindToWindow(window);
}

bool CBaseControl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef*, __CFBundle*,
                                  ppd_file_t*) {
    return BindToWindow(window);
}

bool CBaseControl::EmbedUserControl(OpaqueWindowPtr*, OpaqueControlRef*, __CFBundle*, ppd_file_t*) {
    return true;
}

bool CBaseControl::SetControlValueToUI() {
    return true;
}

bool CBaseControl::UIEventHandler() {
    DoControlUpdateConstrain();
    DoSelfUpdate();
    DoControlHideConstrain();
    DoControlConstrain();
    return true;
}

bool CBaseControl::SimulationUIEventHandler() {
    return CBaseControl::UIEventHandler();
}

bool CBaseControl::TerminateCtrl() {
    return true;
}

void CBaseControl::CopyBlockInto(void* buffer, const void* block, int size) {
    if (!buffer || !block || size <= 0) return;
    std::memcpy(buffer, block, size_t(size));
    dataSize_ = size;
}

bool CBaseControl::SetControlValueToDefault() {
    CopyBlockInto(controlValue_, GetDefaultDataBlk(), GetDefaultDataSize());
    return true;
}

bool CBaseControl::SetUIValueToIniData() {
    CopyBlockInto(uiValue_, GetIniDataBlk(), GetIniDataSize());
    return true;
}

bool CBaseControl::SetUIValueToDefault() {
    CopyBlockInto(uiValue_, GetDefaultDataBlk(), GetDefaultDataSize());
    return true;
}

bool CBaseControl::SetDefaultValueToUI() {
    void* block = GetDefaultDataBlk();
    if (controlValue_ && block) {
        SetExternalValueToUI(block, GetDefaultDataSize());
        if (controlHandle_) Draw1Control(controlHandle_);
    }
    return true;
}

bool CBaseControl::SetValueFromUIToControl() {
    if (uiValue_ && controlValue_ && dataSize_ > 0)
        std::memcpy(controlValue_, uiValue_, size_t(dataSize_));
    return true;
}

bool CBaseControl::SetControlData(void*) {
    return true;
}

bool CBaseControl::GetSummaryText(__CFArray*, __CFArray*) {
    return false;
}

int CBaseControl::Open(unsigned long) {
    return 0;
}

int CBaseControl::Close(unsigned long) {
    return 0;
}

int CBaseControl::DoControlConstrain() {
    return 0;
}

int CBaseControl::DoControlHideConstrain() {
    return 0;
}

int CBaseControl::DoSelfUpdate() {
    return 0;
}

bool CBaseControl::SetExternalValueToUI(void*, int) {
    return true;
}

bool CBaseControl::GetValueToPreset() {
    return false;
}

bool CBaseControl::ConstrainPanelControlFromPPD(ppd_file_t*) {
    return false;
}

int CBaseControl::UpdateConflictsPanelControlFromPPD(ppd_file_t*) {
    return 0;
}

void* CBaseControl::GetDefaultDataBlk() {
    return nullptr;
}

int CBaseControl::GetDefaultDataSize() {
    return 0;
}

void* CBaseControl::GetIniDataBlk() {
    return nullptr;
}

int CBaseControl::GetIniDataSize() {
    return 0;
}

int CBaseControl::GetDataBlkSize() {
    return dataSize_;
}

bool CBaseControl::ConvertToTickectData(unsigned char*) {
    return false;
}

bool CBaseControl::ConvertFromPreferenceString(char*) {
    return false;
}

bool CBaseControl::ConvertToPreferenceString(char*) {
    return false;
}

int CBaseControl::Update() {
    return 0;
}

int CBaseControl::GetCurrentControlArrayNumber() {
    return 0;
}

void* CBaseControl::GetValueFromUI() {
    return nullptr;
}

void* CBaseControl::GetValueFromControl() {
    return nullptr;
}

bool CBaseControl::InvalidateData() {
    return true;
}

bool CBaseControl::PreInvalidateData() {
    return true;
}
