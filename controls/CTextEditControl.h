// An editable text field: its value is NUL-terminated UTF-8 text in two 256-byte buffers, its
// limits come from a TextEditIniData and, for a field the user types free text into, its key
// filter, character ranges and error message from a TextEditFilterData. The data size is the
// text's display length (GetControlLength); right after the screen is read it is the byte
// size of the field's whole 'text' data, the same measure.
//
// The text is written to the screen through the access info's set tag and read through its
// get tag ('cfst': the text as a CFStringRef; a 'text' set tag writes the UTF-8 bytes). Value
// texts longer than 255 bytes are cut at a character boundary.
#pragma once

#include "CBaseControl.h"

class CTextEditControl : public CBaseControl {
  public:
    // The bytes of each value buffer: 255 bytes of text and its NUL.
    static constexpr size_t kTextValueSize = 256;
    // Reading the screen keeps at most this many UTF-16 units of the text.
    static constexpr CFIndex kScreenTextUnits = 50;

    CTextEditControl(const ControlID* controlID, const TextEditIniData* iniData,
                     const ConstrainInfo* constrainInfo, const TextEditFilterData* filterData,
                     const ControlAccessInfo* accessInfo);

    using CBaseControl::InitializeCtrl;
    using CBaseControl::SetValueToTicket;

    // Binds again after the window was rebuilt and re-installs the key filter; the values stay.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // Shows the control value. False when not bound, without access info or when the field
    // does not take the text.
    bool SetControlValueToUI() override;
    // The ini data's default text (empty without ini data) into the control value.
    bool SetControlValueToDefault() override;
    // Shows the UTF-8 text (at most 255 bytes of it, up to its NUL; the size is not needed)
    // and redraws. False without a bound field, text or access info, or when the field does
    // not take the text.
    bool SetExternalValueToUI(void* value, int size) override;
    // Binds, installs the key filter of the filter data and makes both value buffers, zeroed.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;
    ~CTextEditControl() override;
    void* GetDefaultDataBlk() override;
    int GetDefaultDataSize() override;
    // The first 255 bytes of the control value into the caller's cleared 256-byte buffer.
    bool ConvertToTickectData(unsigned char* buffer) override;
    // The preference holds the plain text; buffers of 256 bytes.
    bool ConvertFromPreferenceString(char* text) override;
    bool ConvertToPreferenceString(char* buffer) override;
    // Reads the screen: the UI value gets the first kScreenTextUnits UTF-16 units of the text,
    // the data size the byte size of the whole 'text' data (so a cut text still fails its
    // length check). The UI value buffer in every case; unchanged when the field cannot be
    // read.
    void* GetValueFromUI() override;
    // The UI value's text into the cleared control value.
    bool SetValueFromUIToControl() override;
    // Reads the screen and checks the text: a non-empty text must lie within the ini data's
    // length limits and hold only characters of the filter data's text ranges. A rejected
    // text shows the field's error message (ShowErrMsg) and answers false. Without ini data,
    // and for an empty text, true.
    bool InvalidateData() override;

    // Empties the field on screen and its UI value; true.
    virtual bool CorrectCtrlUI();
    // Shows the filter data's error message in the message window and, once it is dismissed,
    // puts the caret back into the field. False (nothing shown) without an error message.
    virtual bool ShowErrMsg();

  protected:
    // The control value as text (empty without a buffer).
    const char* ControlValueText() const;

    const TextEditIniData* iniData_ = nullptr;
    const TextEditFilterData* filterData_ = nullptr;

  private:
    // Installs the filter data's key filter on the bound field, when it names one.
    void InstallKeyFilter(ControlPartCode part);
    // Writes the text into the field through the access info's set tag.
    OSErr WriteScreenText(const char* text);
    // Takes the text into the value buffer, cut to 255 bytes, and its display length as the
    // data size.
    void StoreText(void* buffer, const char* text);
};
