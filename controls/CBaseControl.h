// The base of every control wrapper. A wrapper is built from static definition records
// (ControlRecords.h), added to its owner panel, bound to the platform control of the owner's
// nib window and then driven by the panel through the virtual operations below: moving the
// value between the screen, its two value buffers, the ticket and the preferences, and
// applying the disable, hide and update constraints between controls.
//
// The virtual operations keep this slot order; a derived class appends its own after the last
// one. A derived class that overrides one form of an overloaded operation brings the other
// forms back into scope with a using-declaration.
//
// Without a record, buffer or bound control an operation does nothing and answers its neutral
// result (false, null or 0). Enabling and showing are counted: a control disabled (hidden) n
// times becomes active (visible) again after n enables (shows); the counts are not clamped.
#pragma once

#include "ControlRecords.h"

#include <CFArray.h>
#include <CFBundle.h>
#include <Controls.h>
#include <PMTicket.h>

#include <cups/ppd.h>

class CBasePrintPanel;

class CBaseControl {
  public:
    // Keeps the records (not owned); every other field starts at zero.
    explicit CBaseControl(const ControlID* controlID = nullptr,
                          const ConstrainInfo* constrainInfo = nullptr,
                          const ControlAccessInfo* accessInfo = nullptr);
    CBaseControl(const CBaseControl&) = delete;
    CBaseControl& operator=(const CBaseControl&) = delete;

    // Binding: finds the control with this control's ControlID in the window; true on success.
    virtual bool InitializeCtrl(OpaqueWindowPtr* window);
    virtual bool ReInitializeCtrl(OpaqueWindowPtr* window);
    // Ticket storage (ControlValueStorage.cpp). The value is the text ConvertToTickectData
    // writes, stored under the access info's ticket key with the plug-in's client ID and the
    // locked flag. Writes answer false without a ticket key, when the conversion or the store
    // fails (the ticket then keeps its earlier value).
    //
    // Routes to SetValueToTicketWithKVEEnc when the list (of ControlID pointers) holds this
    // control's ControlID, else to the two-argument form.
    virtual bool SetValueToTicket(OpaquePMTicketRef* ticket, bool locked,
                                  __CFArray* encryptedControls);
    // The text XOR-obscured and base64-encoded; the empty text as it is.
    virtual bool SetValueToTicketWithKVEEnc(OpaquePMTicketRef* ticket, bool locked);
    // The text as it is, or escaped as "/" and the decimal value of each byte when it begins
    // with "/" or holds an apostrophe, a comma or a backslash ("a,b" is "/97/44/98").
    virtual bool SetValueToTicket(OpaquePMTicketRef* ticket, bool locked);
    // Reads the text back, undoing the escaped form, into the control value, cut to the value
    // buffer's size less one byte (the operation is meant for text fields, whose buffers hold
    // 255 bytes of text). An absent key keeps the value (true); false without a ticket or a
    // ticket key, or when a value is found but there is no control value to hold it.
    virtual bool GetValueFromTicket(OpaquePMTicketRef* ticket);
    // Shows the control value on screen; the base has nothing to show.
    virtual bool SetControlValueToUI();
    // The user changed the control: update, self-update, hide and disable constraints.
    virtual bool UIEventHandler();
    // The panel replays a change after setting values: the same four steps.
    virtual bool SimulationUIEventHandler();
    virtual bool TerminateCtrl();
    // Default block into the control value (when the buffer exists and the block is given).
    virtual bool SetControlValueToDefault();
    // Initial-data block into the UI value.
    virtual bool SetUIValueToIniData();
    // Default block into the UI value.
    virtual bool SetUIValueToDefault();
    // Preference storage (ControlValueStorage.cpp) under the owner panel's current printer
    // string followed by the access info's preference key, as the text of
    // ConvertToPreferenceString (ConvertFromPreferenceString reads it back). True without a
    // preference key (nothing to remember); false without a control value, printer string or
    // key, and when the preferences cannot be written or hold no string under the key.
    virtual bool SetValueToPreference();
    virtual bool GetValueToPreference();
    virtual bool SetControlData(void* data);
    // Appends this control's title and value to the summary; the base appends nothing (false).
    virtual bool GetSummaryText(__CFArray* titles, __CFArray* values);
    virtual int Open(unsigned long context);
    virtual int Close(unsigned long context);
    // Value-dependent disable and hide constraints; the base has none.
    virtual int DoControlConstrain();
    virtual int DoControlHideConstrain();
    // Update() on every control of the update list of the current value index.
    virtual int DoControlUpdateConstrain();
    virtual int DoSelfUpdate();
    // Hides (shows) the hide list of the current value index.
    virtual void HideControlConstrains();
    virtual void ShowControlConstrains();
    // Both counts back to 0 and the control active again (visibility is not touched).
    virtual void ResetStatus();
    // Shows the given value on screen; the base has nothing to show.
    virtual bool SetExternalValueToUI(void* value, int size);
    // Shows the default block on screen (when the control value buffer exists); always true.
    virtual bool SetDefaultValueToUI();
    // Takes the value a preset left in the ticket; the base has none (false).
    virtual bool GetValueToPreset();
    // The binding of the one-argument form; the other arguments serve derived classes.
    virtual bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                __CFBundle* bundle, ppd_file_t* ppd);
    virtual bool EmbedUserControl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                  __CFBundle* bundle, ppd_file_t* ppd);
    virtual bool ConstrainPanelControlFromPPD(ppd_file_t* ppd);
    virtual int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd);
    // Frees both value buffers.
    virtual ~CBaseControl();
    // Enable(), Disable(), Show() or Hide() on each control of the list that the owner panel
    // knows (GetPanelControl); unknown ids are skipped, a null list does nothing.
    virtual void EnableControlConstrains(ConstrainList list);
    virtual void DisableControlConstrains(ConstrainList list);
    virtual void ShowControlConstrains(ConstrainList list);
    virtual void HideControlConstrains(ConstrainList list);
    // The default and initial-data blocks and their sizes; the base has none.
    virtual void* GetDefaultDataBlk();
    virtual int GetDefaultDataSize();
    virtual void* GetIniDataBlk();
    virtual int GetIniDataSize();
    virtual int GetDataBlkSize();
    // Counted enable and show.
    virtual void Enable();
    virtual void Disable();
    virtual void Show();
    virtual void Hide();
    // Text forms of the value for the ticket and the preferences; the base has none (false).
    virtual bool ConvertToTickectData(unsigned char* buffer);
    virtual bool ConvertFromPreferenceString(char* text);
    virtual bool ConvertToPreferenceString(char* buffer);
    virtual int Update();
    // Disables (enables) the disable list of the current value index.
    virtual void DisableControlConstrains();
    virtual void EnableControlConstrains();
    // The value index that picks a constraint list; negative for none.
    virtual int GetCurrentControlArrayNumber();
    // Reads the screen into the UI value; the UI value buffer, or null when nothing was read.
    virtual void* GetValueFromUI();
    virtual void* GetValueFromControl();
    // Copies data-size bytes of the UI value into the control value.
    virtual bool SetValueFromUIToControl();
    virtual bool InvalidateData();
    virtual bool PreInvalidateData();
    // Show or hide the platform control directly, bypassing the hide count.
    virtual void PPDCtrlShow();
    virtual void PPDCtrlHide();

    CBasePrintPanel* GetOwnerPanel() const { return ownerPanel_; }
    // Called by the panel that the control is added to.
    void SetOwnerPanel(CBasePrintPanel* panel) { ownerPanel_ = panel; }
    const ControlID* GetControlID() const { return controlID_; }
    ControlRef GetControlHandle() const { return controlHandle_; }
    // Forgets the platform control because its window is gone; the values stay. A control
    // bound to a disposed window would otherwise keep a reference that a later control may
    // reuse.
    void UnbindFromWindow() { controlHandle_ = nullptr; }
    SInt32 GetDisableCount() const { return disableCount_; }
    SInt32 GetHideCount() const { return hideCount_; }

    // Writes the decimal digits of value ("-" first when negative) right-aligned into buffer,
    // the NUL at buffer[size - 1]; the first character, or null when they do not fit.
    char* itoa(int value, char* buffer, int size);

  protected:
    // Stores the decimal number of text as the 32-bit control value, held at the nearest 32-bit
    // value when out of range; false without text or control value. For 4-byte values read
    // back from the preferences.
    bool StoreDecimalControlValue(const char* text);

    CBasePrintPanel* ownerPanel_ = nullptr;
    const ControlID* controlID_ = nullptr;
    SInt32 disableCount_ = 0;
    SInt32 hideCount_ = 0;
    SInt32 dataSize_ = 0;          // meaningful bytes of the value buffers
    void* controlValue_ = nullptr; // made by the derived class's binding; freed here
    void* uiValue_ = nullptr;      // the value last read from the screen
    const ConstrainInfo* constrainInfo_ = nullptr;
    const ControlAccessInfo* accessInfo_ = nullptr;
    ControlRef controlHandle_ = nullptr;

    // The derived class's binding makes both value buffers with this: size zeroed bytes each,
    // earlier buffers freed. False (and no buffers) when memory runs out.
    bool AllocateValueBuffers(size_t size);
    // Frees both value buffers.
    void FreeValueBuffers();
    // The bytes of each value buffer; 0 without buffers.
    size_t GetValueBufferSize() const { return valueBufferSize_; }

  private:
    bool BindToWindow(WindowRef window);
    // Copies size bytes of the block into the buffer and takes size as the data size; does
    // nothing without buffer or block or with a size below 1.
    void CopyBlockInto(void* buffer, const void* block, int size);
    // The list of the array at the current value index, or null.
    ConstrainList CurrentList(ConstrainArray array);
    // Calls action on every control of the list that the owner panel knows.
    template <class Action> void ForEachListedControl(ConstrainList list, Action action);

    size_t valueBufferSize_ = 0;
};

// Shows the control active or inactive at once, outside the counted enabling above (a button
// that follows a list's selection); nothing while it is unbound.
void SetControlActive(CBaseControl* control, bool active);
