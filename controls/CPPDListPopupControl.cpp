// The PPD option's popup list: its menu from the option's choices and its value in the
// ticket's PPD choices.
#include "CPPDListPopupControl.h"

#include <CBasePrintPanel.h>
#include <PPDChoiceItems.h>
#include <PPDChoiceList.h>

#include <Menus.h>

CPPDListPopupControl::CPPDListPopupControl(const ControlID* controlID, const char* optionKeyword,
                                           ListPopupIniData* iniData,
                                           const ConstrainInfo* constrainInfo,
                                           const ControlAccessInfo* accessInfo)
    : CListControl(controlID, iniData, constrainInfo, accessInfo), optionKeyword_(optionKeyword) {}

CPPDListPopupControl::~CPPDListPopupControl() = default;

CFIndex CPPDListPopupControl::ChoiceItemCount() const {
    return choiceItems_ ? CFArrayGetCount(choiceItems_.get()) : 0;
}

CFStringRef CPPDListPopupControl::ChoiceItemElement(CFIndex index, CFIndex element) const {
    if (index < 0 || index >= ChoiceItemCount()) return nullptr;
    auto item = static_cast<CFArrayRef>(CFArrayGetValueAtIndex(choiceItems_.get(), index));
    if (!item || element >= CFArrayGetCount(item)) return nullptr;
    return static_cast<CFStringRef>(CFArrayGetValueAtIndex(item, element));
}

void CPPDListPopupControl::RebuildChoiceItems(ppd_file_t* ppd) {
    choiceItems_.reset(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    ConstraintTable* table = ownerPanel_ ? ownerPanel_->GetxppdPtr() : nullptr;
    if (choiceItems_ && ppd && table && optionKeyword_)
        InitializeValueFromPPD(ppd, table, choiceItems_.get(), optionKeyword_);
}

bool CPPDListPopupControl::InitializeMenu(OpaqueWindowPtr*, OpaqueControlRef*, __CFBundle* bundle,
                                          ppd_file_t* ppd) {
    RebuildChoiceItems(ppd);
    if (!ppd || !ownerPanel_ || !ownerPanel_->GetxppdPtr() || !optionKeyword_) return false;
    ReInitializeMenu(bundle);
    SetControlValue(controlHandle_, 1);
    return true;
}

bool CPPDListPopupControl::ReInitializeMenu(__CFBundle*) {
    MenuRef menu = GetControlPopupMenuHandle(controlHandle_);
    if (!menu) return false;
    DeleteMenuItems(menu, 1, CountMenuItems(menu));
    const CFIndex count = ChoiceItemCount();
    for (CFIndex index = 0; index < count; ++index) {
        // An item without a label still gets its menu item, so that both stay in step.
        CFStringRef label = ChoiceItemElement(index, kLabelElement);
        AppendMenuItemTextWithCFString(menu, label ? label : CFSTR(""), 0, 0, nullptr);
    }
    SetControlMinimum(controlHandle_, 1);
    SetControlMaximum(controlHandle_, SInt16(count));
    return true;
}

bool CPPDListPopupControl::SetValueToTicket(OpaquePMTicketRef* ticket, bool) {
    if (!ticket || !controlValue_ || !choiceItems_) return false;
    const CFIndex index = *ControlItem() - 1;
    if (index < 0 || index >= ChoiceItemCount()) return false;
    SetValueToPPDDict(ticket,
                      static_cast<CFArrayRef>(CFArrayGetValueAtIndex(choiceItems_.get(), index)));
    return true;
}
