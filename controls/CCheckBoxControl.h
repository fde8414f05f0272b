// A check box: the one simple control with a value (a signed 32-bit integer, 0 unchecked,
// 1 checked), a ticket key and a preference key, and constraints that depend on that value.
//
// The disable and hide constraints act when the screen value differs from the UI value: the
// list of the new value is disabled (hidden) and, when the UI value is not negative, the list
// of the old value enabled (shown). The UI value itself is brought up to date only by
// GetValueFromUI, which the panel calls after every change and the replay calls itself; the
// initial value -1 of the records therefore means that the first change enables nothing.
// Without constraint records the constraint operations answer eventNotHandledErr.
#pragma once

#include "CBaseControl.h"

class CCheckBoxControl : public CBaseControl {
  public:
    // Keeps the records (not owned); data size 4.
    CCheckBoxControl(const ControlID* controlID, const CheckBoxIniData* iniData,
                     const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo);
    ~CCheckBoxControl() override;

    using CBaseControl::DisableControlConstrains;
    using CBaseControl::EnableControlConstrains;
    using CBaseControl::HideControlConstrains;
    using CBaseControl::InitializeCtrl;
    using CBaseControl::ShowControlConstrains;
    // Bind, then the title again from the plug-in bundle; the value buffers keep their values.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // The control value on screen; false without a value buffer or a bound control.
    bool SetControlValueToUI() override;
    // The base sequence, then GetValueFromUI; true.
    bool SimulationUIEventHandler() override;
    int DoControlConstrain() override;
    int DoControlHideConstrain() override;
    // The base update when the screen value differs from the UI value; then 0.
    int DoControlUpdateConstrain() override;
    // value points to a 32-bit value whose low 16 bits are shown; the size is ignored. True
    // only when the control is bound and active and a value was given (an inactive check box
    // still shows the value).
    bool SetExternalValueToUI(void* value, int size) override;
    // Bind, then InitializeTitle; only when the title succeeds are both value buffers made
    // (4 bytes each, 0). The title's result, false when the buffers cannot be made.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;
    // The ini data's default and initial values, 4 bytes each; null without ini data.
    void* GetDefaultDataBlk() override;
    int GetDefaultDataSize() override;
    void* GetIniDataBlk() override;
    int GetIniDataSize() override;
    // The control value in decimal ("0" or "1") and a NUL; false without a control value or
    // an output buffer.
    bool ConvertToTickectData(unsigned char* buffer) override;
    // The decimal value of the text into the control value; false without text or control
    // value.
    bool ConvertFromPreferenceString(char* text) override;
    bool ConvertToPreferenceString(char* buffer) override;
    // The screen value, sign-extended from 16 bits, into the UI value; the UI value buffer.
    void* GetValueFromUI() override;
    void* GetValueFromControl() override;
    // The UI value into the control value when the control is bound.
    bool SetValueFromUIToControl() override;

    // Sets the localised title from the bundle: true without ini data, false without a title
    // key, true otherwise (also when the bundle has no text for the key).
    virtual bool ReInitializeTitle(__CFBundle* bundle);
    // ReInitializeTitle with the given bundle.
    virtual bool InitializeTitle(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                 __CFBundle* bundle, ppd_file_t* ppd);

  protected:
    const CheckBoxIniData* iniData_;

  private:
    typedef void (CBaseControl::*ListAction)(ConstrainList);
    // The value as an index of a constraint array, or -1 for a value the control cannot take
    // (the UI value -1 before the first read among them), which selects no list.
    int ListIndex(int value);
    bool ScreenDiffersFromUIValue();
    // When the screen value differs from the UI value: onNewValue on the list of the screen
    // value, then onOldValue on the list of the UI value. eventNotHandledErr without the array.
    int ApplyValueChange(ConstrainArray array, ListAction onNewValue, ListAction onOldValue);
    bool WriteDecimal(char* buffer);
};
