// A popup button whose items are the localised title keys of its ListPopupIniData. Its value is
// the 1-based number of the chosen item (0: none), held in two 4-byte buffers made at binding,
// and it drives the disable, hide and update constraints of its records by item: the lists of
// index item - 1.
//
// Unlike the check box, the list moves its UI value to the screen value itself while applying
// its disable constraint, so its hide constraint, which runs first, still sees the item shown
// before.
#pragma once

#include "CBaseControl.h"

class CListControl : public CBaseControl {
  public:
    CListControl(const ControlID* controlID, const ListPopupIniData* iniData,
                 const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo);

    using CBaseControl::InitializeCtrl;
    // Binds, then rebuilds the menu from the title keys; the values are kept.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // The control value on screen (as a 16-bit item number); false without value or control.
    bool SetControlValueToUI() override;
    // Enables the disable list of the item shown before, disables that of the item on screen.
    int DoControlConstrain() override;
    // Hides the hide list of the item on screen, shows that of the item shown before.
    int DoControlHideConstrain() override;
    // The base update, only when the item on screen differs from the UI value.
    int DoControlUpdateConstrain() override;
    // value points to a 32-bit item number; false without value or control.
    bool SetExternalValueToUI(void* value, int size) override;
    // Binds, builds the menu (InitializeMenu) and, only when that succeeds, makes the two
    // zeroed value buffers. False when any step fails.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;
    ~CListControl() override;
    // The ini data's default item and initial item, 4 bytes each; none without ini data.
    void* GetDefaultDataBlk() override;
    int GetDefaultDataSize() override;
    void* GetIniDataBlk() override;
    int GetIniDataSize() override;
    // The item number in decimal and a NUL (at most 12 bytes); false without a control value.
    bool ConvertToTickectData(unsigned char* buffer) override;
    bool ConvertFromPreferenceString(char* text) override;
    bool ConvertToPreferenceString(char* buffer) override;
    // The item on screen - 1.
    int GetCurrentControlArrayNumber() override;
    // Reads the item on screen into the UI value; the UI value buffer, or null when unbound.
    void* GetValueFromUI() override;
    void* GetValueFromControl() override;
    // Copies the UI value into the control value while the control is bound.
    bool SetValueFromUIToControl() override;

    // Replaces the menu's items with the localised title keys of the ini data (when both
    // exist) and sets the range 1 to the number of items appended. True; true at once without
    // ini data.
    virtual bool InitializeMenu(__CFBundle* bundle);
    // Builds the menu at binding: InitializeMenu(bundle) here; derived lists fill it their way.
    virtual bool InitializeMenu(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                __CFBundle* bundle, ppd_file_t* ppd);

  protected:
    SInt32* ControlItem() const { return static_cast<SInt32*>(controlValue_); }
    SInt32* UIItem() const { return static_cast<SInt32*>(uiValue_); }
    // The item shown on screen, sign-extended from the 16-bit control value.
    SInt32 ScreenItem() const { return GetControlValue(controlHandle_); }

    const ListPopupIniData* iniData_ = nullptr;

  private:
    // Writes the control value's decimal form; false without a control value.
    bool WriteItemNumber(char* buffer) const;
    // The UI value (the item shown before) and the item on screen; true when the array and
    // the UI value exist and the two items differ.
    bool ItemChanged(ConstrainArray array, SInt32& shownBefore, SInt32& shown);
    // The array's list of the 1-based item; null for an item outside the array.
    ConstrainList ListOfItem(ConstrainArray array, SInt32 item) const;
};
