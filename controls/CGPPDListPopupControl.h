// The popup list of one PPD option of the fax pane, as the print dialog expects a PPD option
// to behave: the option's title from the PPD shown, followed by ":", in a neighbouring static
// text (a CGPPDStaticTextCtrl); the PPD's default choice selected at binding and made the
// popup's default item; the chosen choice marked in the PPD, after which every control of the
// panel greys its conflicting choices (their texts stay); the title and chosen label in the
// summary while no constraint disables or hides the popup; and the value a preset left in the
// ticket's PPD choices read back.
#pragma once

#include "CPPDListPopupControl.h"

class CGPPDListPopupControl : public CPPDListPopupControl {
  public:
    // titleTextID names the static text that shows the option's title; not owned.
    CGPPDListPopupControl(const ControlID* controlID, const char* optionKeyword,
                          ListPopupIniData* iniData, const ConstrainInfo* constrainInfo,
                          const ControlAccessInfo* accessInfo, const ControlID* titleTextID);
    // Releases the option title.
    ~CGPPDListPopupControl() override;

    // Binds, shows the option title again and rebuilds the menu from the items.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // The item on screen, then the PPD marked to match it (RestorePPD). False without control
    // value, control or owner panel.
    bool SetControlValueToUI() override;
    // The user picked an item: marks it in the panel's PPD and, when that gives no conflict,
    // has every control of the panel refresh its conflicts; then the constraints. True.
    bool UIEventHandler() override;
    // Appends (option title, chosen label) while ToGetSummaryText() holds. Always false.
    bool GetSummaryText(__CFArray* titles, __CFArray* values) override;
    // Showing the pane (non-zero context): conflicts refreshed, the preset taken, the value
    // shown. Always 0.
    int Open(unsigned long context) override;
    // The default item on screen, then marked in the PPD. False without owner panel.
    bool SetDefaultValueToUI() override;
    // The ticket's PPD choice of the option into the control value. False without owner
    // panel, session, ticket or control value, or when the option is absent from the ticket
    // or names a choice the menu lacks (the value is then left alone).
    bool GetValueToPreset() override;
    // Rebuilds the items from the PPD and greys the menu items of conflicting choices (the
    // others are enabled); the texts are kept. 0.
    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;

    using CPPDListPopupControl::InitializeMenu;
    // The PPD list's menu, then the PPD's default choice selected and stored as the ini
    // data's default item, and the option's title read and shown.
    bool InitializeMenu(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;

    // True while no constraint disables or hides the popup.
    virtual bool ToGetSummaryText();
    // Item index + 1 into the control value; false without control value or items, or for an
    // index outside the items.
    virtual bool ConvertFromPresetIndex(int index);
    // The item index of a menu index: the same number (both are in the PPD's order).
    virtual int GetIndexByControl(const int& index);

    // Gives the title static text the title followed by ":". False without title, title text
    // ID, owner panel or such a control, else the static text's answer.
    bool SetTitleWithCFStringEx(const __CFString* title);
    // The index of the first item whose choice keyword equals choiceKeyword exactly; -1 for
    // none.
    int GetSFStringArrayIndex(__CFArray* items, const __CFString* choiceKeyword);
    // Marks the item's choice in the PPD with libcups; true when that leaves no conflict.
    // False without PPD or for an index outside the items.
    bool PPDMarkOptionByIndex(ppd_file_t* ppd, int index);
    // Marks the control value's choice (true when nothing is chosen).
    bool RestorePPD(ppd_file_t* ppd);
    // Marks the choice on screen (true when nothing is shown).
    bool SetPPD(ppd_file_t* ppd);

  private:
    // Marks the choice of the 1-based item; true for an item below 1.
    bool MarkItem(ppd_file_t* ppd, SInt32 item);

    const ControlID* titleTextID_ = nullptr;
    CFStringRef optionTitle_ = nullptr; // owned
};
