// A popup list whose menu shows the choices of one PPD option, in the PPD's order, and whose
// chosen choice goes into the ticket's dictionary of PPD choices. The menu is built at binding
// from the PPD and the owner panel's constraint table; without either, or without an option
// keyword, the popup keeps the nib's menu and has no value buffers, so every value operation
// does nothing.
//
// The choice items (PPDChoiceItems.h) and the menu correspond one to one: menu item i is
// element i - 1.
#pragma once

#include "CListControl.h"

#include <CFRef.h>

class CPPDListPopupControl : public CListControl {
  public:
    // optionKeyword and the records are not owned. A PPD list's record is mutable: the PPD's
    // default replaces its default item (CGPPDListPopupControl).
    CPPDListPopupControl(const ControlID* controlID, const char* optionKeyword,
                         ListPopupIniData* iniData, const ConstrainInfo* constrainInfo,
                         const ControlAccessInfo* accessInfo);
    ~CPPDListPopupControl() override;

    using CListControl::SetValueToTicket;
    // Sets the option to the chosen item's choice in the ticket's PPD choices; the access
    // info's ticket key is not used. False without ticket, control value or items, or when the
    // value names no item (0: nothing chosen); the ticket is then unchanged.
    bool SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) override;

    using CListControl::InitializeMenu;
    // Makes the choice items from the PPD (conflicts from the owner panel's table), shows them
    // and selects item 1. False, with no items, without PPD, table or option keyword.
    bool InitializeMenu(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;

    // Replaces the menu's items with the items' labels and sets the range 1 to their count.
    // False without a menu.
    virtual bool ReInitializeMenu(__CFBundle* bundle);

  protected:
    // The elements of a choice item.
    enum : CFIndex {
        kOptionKeywordElement,
        kChoiceKeywordElement,
        kLabelElement,
        kConflictElement
    };

    // Empties the items and makes them again from the PPD, when the PPD, the owner panel's
    // table and the option keyword are there; they stay empty otherwise.
    void RebuildChoiceItems(ppd_file_t* ppd);
    CFIndex ChoiceItemCount() const;
    // Element element of item index; null outside the items.
    CFStringRef ChoiceItemElement(CFIndex index, CFIndex element) const;

    const char* optionKeyword_ = nullptr;
    CFRef<CFMutableArrayRef> choiceItems_; // null until the menu is built
};
