// The group property window: its controls, the presentation of a group and its member list's
// callbacks.
#include "GroupPropertyWindow.h"

#include "AddressEntry.h"
#include "AddressListCallbacks.h"
#include "EntryFieldText.h"

#include <ControlDefinitionTables.h>

GroupPropertyWindow::GroupPropertyWindow(CFStringRef nibName, CFStringRef windowName,
                                         CFBundleRef bundle, CFStringRef titleKey)
    : PropertyWindow(nibName, windowName, bundle, titleKey, &GPOKButtonCtrlID),
      nameLabel_(MakeLabel(&GroupPropertyNameStaticTextCtrlID, CFSTR("Name Title"))),
      memberLabel_(MakeLabel(&GroupPropertyMemberStaticTextCtrlID, CFSTR("Member Title"))),
      nameField_(MakeField(&GroupPropertyNameTextEditCtrlID, &GroupPropertyNameTextEditIniData,
                           &GroupPropertyTextEditAccessInfo)),
      memberList_(&GroupPropertyMemberTableViewCtrlID, &GroupPropertyMemberTableViewIniData,
                  nullptr, nullptr) {
    for (CBaseControl* control : std::initializer_list<CBaseControl*>{&nameLabel_, &memberLabel_,
                                                                      &nameField_, &memberList_})
        RunTimeAddNewControl(control);
}

GroupPropertyWindow::~GroupPropertyWindow() = default;

OSStatus GroupPropertyWindow::PresentWithAddress(CFDictionaryRef group, CFArrayRef members) {
    BeginPresentation();
    InstallAddressListCallbacks(memberList_, MemberListDataCallback, MemberListCompare, nullptr);

    EntryFieldBuffer name;
    if (CopyEntryTextForField(group, kAddressNameKey, name))
        nameField_.SetExternalValueToUI(name, sizeof name);
    // The list keeps its items across presentations: never show an earlier group's members.
    memberList_.ClearItems();
    memberList_.AddItems(members);
    return RunUntilOK();
}

OSStatus GroupPropertyWindow::MemberListDataCallback(ControlRef browser, DataBrowserItemID item,
                                                     DataBrowserPropertyID property,
                                                     DataBrowserItemDataRef itemData,
                                                     Boolean setValue) {
    return AnswerAddressItemData(browser, item, property, itemData, setValue, false);
}

Boolean GroupPropertyWindow::MemberListCompare(ControlRef browser, DataBrowserItemID itemOne,
                                               DataBrowserItemID itemTwo,
                                               DataBrowserPropertyID sortProperty) {
    return CompareAddressItems(browser, itemOne, itemTwo, sortProperty);
}
