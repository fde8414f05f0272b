// The fax pane's PPD option popups: PPD default and title, marking, conflicts, summary and
// presets.
#include "CGPPDListPopupControl.h"

#include <CBasePrintPanel.h>
#include <DesktopUtilities.h>
#include <PPDChoiceItems.h>
#include <PPDChoiceList.h>
#include <PPDEncoding.h>
#include <PlugInIdentity.h>
#include <SessionAccessors.h>

#include <CFDictionary.h>
#include <Menus.h>

#include <cstring>

namespace {

// The longest choice keyword marked, in bytes, and its NUL.
constexpr CFIndex kChoiceKeywordSize = 256;

} // namespace

CGPPDListPopupControl::CGPPDListPopupControl(const ControlID* controlID, const char* optionKeyword,
                                             ListPopupIniData* iniData,
                                             const ConstrainInfo* constrainInfo,
                                             const ControlAccessInfo* accessInfo,
                                             const ControlID* titleTextID)
    : CPPDListPopupControl(controlID, optionKeyword, iniData, constrainInfo, accessInfo),
      titleTextID_(titleTextID) {}

CGPPDListPopupControl::~CGPPDListPopupControl() {
    ReleaseCFString(&optionTitle_);
}

bool CGPPDListPopupControl::InitializeMenu(OpaqueWindowPtr* window,
                                           OpaqueControlRef* parentUserPane, __CFBundle* bundle,
                                           ppd_file_t* ppd) {
    if (!CPPDListPopupControl::InitializeMenu(window, parentUserPane, bundle, ppd)) return false;
    if (ppd && optionKeyword_ && ChoiceItemCount() >= 1) {
        CFStringRef defaultChoice = nullptr;
        GetUIDefaultFromPPD(ppd, optionKeyword_, &defaultChoice);
        const int index = GetSFStringArrayIndex(choiceItems_.get(), defaultChoice);
        ReleaseCFString(&defaultChoice);
        if (index >= 0) {
            SetControlValue(controlHandle_, SInt16(index + 1));
            // The constructor took the record as mutable: SetControlValueToDefault() restores
            // the PPD's default from now on.
            const_cast<ListPopupIniData*>(iniData_)->defaultValue = index + 1;
        }
        ReleaseCFString(&optionTitle_);
        GetUITitleFromPPD(ppd, optionKeyword_, &optionTitle_);
        SetTitleWithCFStringEx(optionTitle_);
    }
    return true;
}

bool CGPPDListPopupControl::SetTitleWithCFStringEx(const __CFString* title) {
    if (!title || !titleTextID_ || !ownerPanel_) return false;
    CBaseControl* titleText = ownerPanel_->GetPanelControl(titleTextID_);
    if (!titleText) return false;
    CFRef<CFMutableStringRef> labelText(CFStringCreateMutableCopy(nullptr, 0, title));
    if (!labelText) return false;
    CFStringAppend(labelText.get(), CFSTR(":"));
    CFStringRef shown = labelText.get();
    return titleText->SetExternalValueToUI(&shown, sizeof shown);
}

int CGPPDListPopupControl::GetSFStringArrayIndex(__CFArray* items,
                                                 const __CFString* choiceKeyword) {
    if (!items || !choiceKeyword) return -1;
    const CFIndex count = CFArrayGetCount(items);
    for (CFIndex index = 0; index < count; ++index) {
        auto item = static_cast<CFArrayRef>(CFArrayGetValueAtIndex(items, index));
        if (!item || CFArrayGetCount(item) <= kChoiceKeywordElement) continue;
        auto keyword =
            static_cast<CFStringRef>(CFArrayGetValueAtIndex(item, kChoiceKeywordElement));
        if (keyword && CFStringCompare(keyword, choiceKeyword, 0) == kCFCompareEqualTo)
            return int(index);
    }
    return -1;
}

bool CGPPDListPopupControl::ReInitializeCtrl(OpaqueWindowPtr* window) {
    if (!CBaseControl::ReInitializeCtrl(window)) return false;
    if (optionTitle_) SetTitleWithCFStringEx(optionTitle_);
    return ReInitializeMenu(GetAppBundleRef());
}

bool CGPPDListPopupControl::PPDMarkOptionByIndex(ppd_file_t* ppd, int index) {
    CFStringRef choice = ChoiceItemElement(index, kChoiceKeywordElement);
    if (!ppd || !optionKeyword_ || !choice) return false;
    CFStringEncoding encoding = kCFStringEncodingMacRoman;
    GetCFStringEncodingFromPPD(ppd, &encoding);
    char choiceText[kChoiceKeywordSize] = {};
    if (!CFStringGetCString(choice, choiceText, sizeof choiceText, encoding)) return false;
    return ppdMarkOption(ppd, optionKeyword_, choiceText) == 0;
}

bool CGPPDListPopupControl::MarkItem(ppd_file_t* ppd, SInt32 item) {
    return item < 1 || PPDMarkOptionByIndex(ppd, item - 1);
}

bool CGPPDListPopupControl::RestorePPD(ppd_file_t* ppd) {
    if (!ppd || !optionKeyword_ || !controlValue_) return false;
    return MarkItem(ppd, *ControlItem());
}

bool CGPPDListPopupControl::SetPPD(ppd_file_t* ppd) {
    if (!ppd || !optionKeyword_) return false;
    return MarkItem(ppd, ScreenItem());
}

bool CGPPDListPopupControl::UIEventHandler() {
    ppd_file_t* ppd = ownerPanel_ ? ownerPanel_->GetPPDRefFromCurrentPrintSession() : nullptr;
    if (ppd && SetPPD(ppd)) ownerPanel_->UpdateConflictsPanelControlFromPPD(ppd);
    return CBaseControl::UIEventHandler();
}

int CGPPDListPopupControl::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    if (!choiceItems_) return 0;
    RebuildChoiceItems(ppd);
    MenuRef menu = GetControlPopupMenuHandle(controlHandle_);
    const CFIndex count = ChoiceItemCount();
    for (CFIndex index = 0; index < count; ++index) {
        CFStringRef flag = ChoiceItemElement(index, kConflictElement);
        char flagText[sizeof kConflictFalse] = {};
        const bool conflicted =
            flag && CFStringGetCString(flag, flagText, sizeof flagText, kCFStringEncodingUTF8) &&
            std::strcmp(flagText, kConflictTrue) == 0;
        const MenuItemIndex item = MenuItemIndex(index + 1);
        if (conflicted)
            DisableMenuItem(menu, item);
        else
            EnableMenuItem(menu, item);
    }
    return 0;
}

bool CGPPDListPopupControl::SetControlValueToUI() {
    if (!CListControl::SetControlValueToUI() || !ownerPanel_) return false;
    if (ppd_file_t* ppd = ownerPanel_->GetPPDRefFromCurrentPrintSession()) RestorePPD(ppd);
    return true;
}

bool CGPPDListPopupControl::SetDefaultValueToUI() {
    if (!CBaseControl::SetDefaultValueToUI() || !ownerPanel_) return false;
    if (ppd_file_t* ppd = ownerPanel_->GetPPDRefFromCurrentPrintSession()) SetPPD(ppd);
    return true;
}

int CGPPDListPopupControl::Open(unsigned long context) {
    ppd_file_t* ppd = ownerPanel_ ? ownerPanel_->GetPPDRefFromCurrentPrintSession() : nullptr;
    if (context && ppd) {
        UpdateConflictsPanelControlFromPPD(ppd);
        GetValueToPreset();
        SetControlValueToUI();
    }
    return 0;
}

bool CGPPDListPopupControl::GetValueToPreset() {
    if (!ownerPanel_ || !ownerPanel_->GetCurrentPrintSession() || !optionKeyword_) return false;
    PMTicketRef ticket = nullptr;
    if (GetTicketFromSession(ownerPanel_->GetCurrentPrintSession(),
                             CFSTR(kNVPDEPrintSettingsTicketKeyStr), &ticket) != noErr ||
        !ticket)
        return false;
    CFMutableDictionaryRef choices = nullptr;
    if (PMTicketGetPPDDict(ticket, 0, 0, &choices) != noErr || !choices) return false;
    const CFRef<CFStringRef> option(
        CFStringCreateWithCString(nullptr, optionKeyword_, kCFStringEncodingUTF8));
    if (!option || !CFDictionaryContainsKey(choices, option.get())) return false;
    CFTypeRef choice = CFDictionaryGetValue(choices, option.get());
    if (!choice || CFGetTypeID(choice) != CFStringGetTypeID()) return false;
    const CFIndex index =
        FindPPDKeyPairsMatch(choiceItems_.get(), option.get(), static_cast<CFStringRef>(choice));
    if (index < 0 || !controlValue_) return false;
    return ConvertFromPresetIndex(int(index));
}

bool CGPPDListPopupControl::ConvertFromPresetIndex(int index) {
    if (!controlValue_ || !choiceItems_) return false;
    const SInt32 item = index + 1;
    if (item < 1 || item > ChoiceItemCount()) return false;
    *ControlItem() = item;
    return true;
}

int CGPPDListPopupControl::GetIndexByControl(const int& index) {
    return index;
}

bool CGPPDListPopupControl::ToGetSummaryText() {
    return disableCount_ == 0 && hideCount_ == 0;
}

bool CGPPDListPopupControl::GetSummaryText(__CFArray* titles, __CFArray* values) {
    if (!ToGetSummaryText() || !titles || !values || !choiceItems_ || !controlValue_) return false;
    CFStringRef label = ChoiceItemElement(*ControlItem() - 1, kLabelElement);
    if (label && optionTitle_) {
        CFArrayAppendValue(titles, optionTitle_);
        CFArrayAppendValue(values, label);
    }
    return false;
}
