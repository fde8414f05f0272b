// Counted enabling and showing, and the constraint lists through which one control disables,
// hides or updates others of its panel.
#include "CBaseControl.h"

#include <CBasePrintPanel.h>

template <class Action> void CBaseControl::ForEachListedControl(ConstrainList list, Action action) {
    if (!list || !ownerPanel_) return;
    for (; *list; ++list) {
        if (CBaseControl* control = ownerPanel_->GetPanelControl(*list)) action(control);
    }
}

ConstrainList CBaseControl::CurrentList(ConstrainArray array) {
    if (!array || !constrainInfo_) return nullptr;
    return ConstrainListOfValue(*constrainInfo_, array, GetCurrentControlArrayNumber());
}

void CBaseControl::Enable() {
    if (--disableCount_ == 0 && controlHandle_) ActivateControl(controlHandle_);
}

void CBaseControl::Disable() {
    if (++disableCount_ != 0 && controlHandle_) DeactivateControl(controlHandle_);
}

void CBaseControl::Show() {
    if (--hideCount_ == 0 && controlHandle_) ShowControl(controlHandle_);
}

void CBaseControl::Hide() {
    if (++hideCount_ != 0 && controlHandle_) HideControl(controlHandle_);
}

void CBaseControl::ResetStatus() {
    disableCount_ = 0;
    hideCount_ = 0;
    if (controlHandle_) ActivateControl(controlHandle_);
}

void CBaseControl::PPDCtrlShow() {
    if (controlHandle_) ShowControl(controlHandle_);
}

void CBaseControl::PPDCtrlHide() {
    if (controlHandle_) HideControl(controlHandle_);
}

void CBaseControl::EnableControlConstrains(ConstrainList list) {
    ForEachListedControl(list, [](CBaseControl* control) { control->Enable(); });
}

void CBaseControl::DisableControlConstrains(ConstrainList list) {
    ForEachListedControl(list, [](CBaseControl* control) { control->Disable(); });
}

void CBaseControl::ShowControlConstrains(ConstrainList list) {
    ForEachListedControl(list, [](CBaseControl* control) { control->Show(); });
}

void CBaseControl::HideControlConstrains(ConstrainList list) {
    ForEachListedControl(list, [](CBaseControl* control) { control->Hide(); });
}

void CBaseControl::DisableControlConstrains() {
    if (constrainInfo_) DisableControlConstrains(CurrentList(constrainInfo_->disableArray));
}

void CBaseControl::EnableControlConstrains() {
    if (constrainInfo_) EnableControlConstrains(CurrentList(constrainInfo_->disableArray));
}

void CBaseControl::HideControlConstrains() {
    if (constrainInfo_) HideControlConstrains(CurrentList(constrainInfo_->hideArray));
}

void CBaseControl::ShowControlConstrains() {
    if (constrainInfo_) ShowControlConstrains(CurrentList(constrainInfo_->hideArray));
}

int CBaseControl::DoControlUpdateConstrain() {
    if (constrainInfo_)
        ForEachListedControl(CurrentList(constrainInfo_->updateArray),
                             [](CBaseControl* control) { control->Update(); });
    return 0;
}

void SetControlActive(CBaseControl* control, bool active) {
    if (ControlRef handle = control->GetControlHandle())
        active ? ActivateControl(handle) : DeactivateControl(handle);
}
