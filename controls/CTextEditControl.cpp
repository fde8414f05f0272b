// The text field: binding with its key filter, reading and checking the screen text, and the
// value moves between the screen, the value buffers, the ticket text and the preferences.
#include "CTextEditControl.h"

#include "TextInputFilters.h"

#include <AboutWindow.h>
#include <DisplayText.h>
#include <PlugInIdentity.h>

#include <CFRef.h>
#include <MacErrors.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kTextValueSize = CTextEditControl::kTextValueSize;

// The byte count of the longest prefix of the UTF-8 text that has at most limit bytes and
// does not end inside a character.
size_t boundedUTF8Length(const char* text, size_t limit) {
    const size_t length = strnlen(text, limit);
    if (length < limit) return length;
    size_t lead = length;
    while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead == 0) return length;
    const auto first = static_cast<unsigned char>(text[lead - 1]);
    const size_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return length - (lead - 1) >= needed ? length : lead - 1;
}

// Copies the text, cut to 255 bytes at a character boundary, into a cleared 256-byte buffer;
// the byte count copied.
size_t copyValueText(void* buffer, const char* text) {
    std::memset(buffer, 0, kTextValueSize);
    const size_t length = boundedUTF8Length(text, kTextValueSize - 1);
    std::memcpy(buffer, text, length);
    return length;
}

// The first units of the string, not splitting a surrogate pair.
CFRef<CFStringRef> leadingUnits(CFStringRef string, CFIndex units) {
    if (units < CFStringGetLength(string)) {
        const UniChar last = CFStringGetCharacterAtIndex(string, units - 1);
        if (last >= 0xD800 && last <= 0xDBFF) --units;
    }
    return CFRef<CFStringRef>(CFStringCreateWithCopyCut(string, units));
}

} // namespace

CTextEditControl::CTextEditControl(const ControlID* controlID, const TextEditIniData* iniData,
                                   const ConstrainInfo* constrainInfo,
                                   const TextEditFilterData* filterData,
                                   const ControlAccessInfo* accessInfo)
    : CBaseControl(controlID, constrainInfo, accessInfo), iniData_(iniData),
      filterData_(filterData) {}

CTextEditControl::~CTextEditControl() = default;

void CTextEditControl::InstallKeyFilter(ControlPartCode part) {
    if (!filterData_ || !filterData_->keyFilter) return;
    const ControlKeyFilterUPP filter = filterData_->keyFilter;
    ::SetControlData(controlHandle_, part, kControlEditTextKeyFilterTag, sizeof filter, &filter);
}

bool CTextEditControl::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                      __CFBundle* bundle, ppd_file_t* ppd) {
    if (!CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd)) return false;
    InstallKeyFilter(kControlEditTextPart);
    return AllocateValueBuffers(kTextValueSize);
}

bool CTextEditControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    if (!CBaseControl::ReInitializeCtrl(window)) return false;
    InstallKeyFilter(kControlEntireControl);
    // A field whose first binding failed gets its buffers now; otherwise they keep the values.
    return controlValue_ || AllocateValueBuffers(kTextValueSize);
}

const char* CTextEditControl::ControlValueText() const {
    return controlValue_ ? static_cast<const char*>(controlValue_) : "";
}

void CTextEditControl::StoreText(void* buffer, const char* text) {
    copyValueText(buffer, text);
    dataSize_ = GetControlLength(static_cast<const char*>(buffer));
}

OSErr CTextEditControl::WriteScreenText(const char* text) {
    const size_t length = boundedUTF8Length(text, kTextValueSize - 1);
    if (accessInfo_->setTag != kControlEditTextCFStringTag)
        return ::SetControlData(controlHandle_, kControlEditTextPart, accessInfo_->setTag,
                                Size(length), text);
    CFRef<CFStringRef> string(CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(text),
                                                      CFIndex(length), kCFStringEncodingUTF8,
                                                      false));
    // Bytes that are not UTF-8 (a ticket may hold any) show as the Latin-1 characters.
    if (!string)
        string.reset(CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>(text),
                                             CFIndex(length), kCFStringEncodingISOLatin1, false));
    const CFStringRef value = string.get();
    return ::SetControlData(controlHandle_, kControlEditTextPart, accessInfo_->setTag, sizeof value,
                            &value);
}

bool CTextEditControl::SetControlValueToUI() {
    dataSize_ = GetControlLength(ControlValueText());
    if (!controlHandle_ || !accessInfo_) return false;
    return WriteScreenText(ControlValueText()) == noErr;
}

bool CTextEditControl::SetExternalValueToUI(void* value, int) {
    if (!controlHandle_ || !value || !accessInfo_) return false;
    const OSErr status = WriteScreenText(static_cast<const char*>(value));
    Draw1Control(controlHandle_);
    return status == noErr;
}

bool CTextEditControl::SetControlValueToDefault() {
    if (controlValue_) StoreText(controlValue_, iniData_ ? iniData_->defaultText : "");
    return true;
}

void* CTextEditControl::GetDefaultDataBlk() {
    return iniData_ ? const_cast<char*>(iniData_->defaultText) : nullptr;
}

int CTextEditControl::GetDefaultDataSize() {
    return iniData_ ? int(strnlen(iniData_->defaultText, kTextEditIniTextSize - 1)) : 0;
}

bool CTextEditControl::ConvertToTickectData(unsigned char* buffer) {
    if (!buffer || !controlValue_) return false;
    std::memcpy(buffer, controlValue_, kTextValueSize - 1);
    return true;
}

bool CTextEditControl::ConvertToPreferenceString(char* buffer) {
    if (!buffer || !controlValue_) return false;
    dataSize_ = GetControlLength(ControlValueText());
    copyValueText(buffer, ControlValueText());
    return true;
}

bool CTextEditControl::ConvertFromPreferenceString(char* text) {
    if (!text || !controlValue_) return false;
    StoreText(controlValue_, text);
    return true;
}

void* CTextEditControl::GetValueFromUI() {
    if (!controlHandle_ || !controlValue_ || !uiValue_ || !accessInfo_) return uiValue_;
    Size size = 0;
    if (GetControlDataSize(controlHandle_, kControlEditTextPart, kControlEditTextTextTag, &size) !=
            noErr ||
        size < 0)
        return uiValue_;
    if (size == 0) {
        std::memset(uiValue_, 0, kTextValueSize);
        dataSize_ = 0;
        return uiValue_;
    }
    // Only a string-valued tag gives the text as a CFStringRef.
    if (accessInfo_->getTag != kControlEditTextCFStringTag) return uiValue_;
    CFStringRef text = nullptr;
    if (GetControlData(controlHandle_, kControlEditTextPart, accessInfo_->getTag, sizeof text,
                       &text, nullptr) != noErr ||
        !text)
        return uiValue_;
    const CFRef<CFStringRef> whole(text);
    const CFRef<CFStringRef> kept = leadingUnits(whole.get(), kScreenTextUnits);
    // Fifty UTF-16 units take at most 150 bytes of UTF-8.
    char utf8[kTextValueSize] = {};
    if (!CFStringGetCString(kept.get(), utf8, sizeof utf8, kCFStringEncodingUTF8)) return uiValue_;
    copyValueText(uiValue_, utf8);
    dataSize_ = SInt32(std::min<Size>(size, INT32_MAX));
    return uiValue_;
}

bool CTextEditControl::SetValueFromUIToControl() {
    if (!uiValue_ || !controlValue_) return true;
    if (dataSize_ != 0)
        copyValueText(controlValue_, static_cast<const char*>(uiValue_));
    else
        std::memset(controlValue_, 0, kTextValueSize);
    return true;
}

bool CTextEditControl::InvalidateData() {
    if (!iniData_) return true;
    GetValueFromUI();
    const auto length = UInt32(dataSize_);
    if (length != 0 &&
        (length > UInt32(iniData_->maximumLength) || length < UInt32(iniData_->minimumLength))) {
        ShowErrMsg();
        return false;
    }
    if (length == 0 || !filterData_ || !uiValue_) return true;
    // The UI value holds at most 255 bytes, so at most 255 UTF-16 units.
    char text[kTextValueSize];
    copyValueText(text, static_cast<const char*>(uiValue_));
    UniChar unicode[kTextValueSize] = {};
    if (!ConvertUTF8ToUnicode(text, unicode) || !validateInput(unicode, filterData_)) {
        ShowErrMsg();
        return false;
    }
    return true;
}

bool CTextEditControl::CorrectCtrlUI() {
    if (controlHandle_ && accessInfo_) WriteScreenText("");
    if (controlHandle_) Draw1Control(controlHandle_);
    if (uiValue_) std::memset(uiValue_, 0, kTextValueSize);
    dataSize_ = 0;
    return true;
}

bool CTextEditControl::ShowErrMsg() {
    if (!filterData_ || !filterData_->errorMessageKey) return false;
    AboutWindow::Present(GetAppBundleRef(), filterData_->errorMessageKey);
    // The message may have outlived the field's window: only a live field gets the caret.
    if (controlHandle_)
        if (WindowRef owner = GetControlOwner(controlHandle_))
            SetKeyboardFocus(owner, controlHandle_, kControlEditTextPart);
    return true;
}
