// The group property window: shows a group's name and its members (name and fax number
// columns) until the user presses OK. Members can be sorted by either column but not selected.
// Built by the address window as its child window from the nib window "GroupProperty" with the
// title key "Property Button Title".
#pragma once

#include "PropertyWindow.h"

#include <CBrowserListView.h>
#include <CStaticTextControl.h>
#include <CTextEditControl.h>

#include <CFArray.h>
#include <CFDictionary.h>

class GroupPropertyWindow : public PropertyWindow {
  public:
    // Builds the nib window and the five controls (OK, two labels, name field, member list).
    GroupPropertyWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle,
                        CFStringRef titleKey);
    ~GroupPropertyWindow() override;

    // Shows the group's "NAME" and the member entries in their order (none for null members)
    // and returns when the user presses OK. 0.
    virtual OSStatus PresentWithAddress(CFDictionaryRef group, CFArrayRef members);

    // The member list's cells, as the address window's lists answer them except that no
    // member is selectable.
    static OSStatus MemberListDataCallback(ControlRef browser, DataBrowserItemID item,
                                           DataBrowserPropertyID property,
                                           DataBrowserItemDataRef itemData, Boolean setValue);
    // The address window's order: 'NAME' and 'PHNM' without regard to case.
    static Boolean MemberListCompare(ControlRef browser, DataBrowserItemID itemOne,
                                     DataBrowserItemID itemTwo, DataBrowserPropertyID sortProperty);

  private:
    CStaticTextControl nameLabel_;
    CStaticTextControl memberLabel_;
    CTextEditControl nameField_;
    CBrowserListView memberList_;
};
