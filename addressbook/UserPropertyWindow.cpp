// The entry property window: its controls and the presentation of one entry.
#include "UserPropertyWindow.h"

#include "AddressEntry.h"
#include "EntryFieldText.h"

#include <ControlDefinitionTables.h>

UserPropertyWindow::UserPropertyWindow(CFStringRef nibName, CFStringRef windowName,
                                       CFBundleRef bundle, CFStringRef titleKey)
    : PropertyWindow(nibName, windowName, bundle, titleKey, &UPOKButtonCtrlID),
      nameLabel_(MakeLabel(&UserPropertyNameStaticTextCtrlID, CFSTR("Name Title"))),
      phoneNumberLabel_(
          MakeLabel(&UserPropertyPhoneNumberStaticTextCtrlID, CFSTR("Phone Number Title"))),
      companyLabel_(MakeLabel(&UserPropertyCompanyStaticTextCtrlID, CFSTR("Company Title"))),
      noteLabel_(MakeLabel(&UserPropertyNoteStaticTextCtrlID, CFSTR("Note Title"))),
      nameField_(MakeField(&UserPropertyNameTextEditCtrlID, &UserPropertyNameTextEditIniData,
                           &UserPropertyTextEditAccessInfo)),
      phoneNumberField_(MakeField(&UserPropertyPhoneNumberTextEditCtrlID,
                                  &UserPropertyPhoneNumberTextEditIniData,
                                  &UserPropertyTextEditAccessInfo)),
      companyField_(MakeField(&UserPropertyCompanyTextEditCtrlID,
                              &UserPropertyCompanyTextEditIniData,
                              &UserPropertyTextEditAccessInfo)),
      noteField_(MakeField(&UserPropertyNoteTextEditCtrlID, &UserPropertyNoteTextEditIniData,
                           &UserPropertyTextEditAccessInfo)) {
    for (CBaseControl* control : std::initializer_list<CBaseControl*>{
             &nameLabel_, &phoneNumberLabel_, &companyLabel_, &noteLabel_, &nameField_,
             &phoneNumberField_, &companyField_, &noteField_})
        RunTimeAddNewControl(control);
}

UserPropertyWindow::~UserPropertyWindow() = default;

OSStatus UserPropertyWindow::PresentWithAddress(CFDictionaryRef entry) {
    BeginPresentation();
    const std::pair<CFStringRef, CTextEditControl*> fields[] = {
        {kAddressNameKey, &nameField_},
        {kAddressNumberKey, &phoneNumberField_},
        {kAddressCompanyKey, &companyField_},
        {kAddressMemoKey, &noteField_},
    };
    for (const auto& [key, field] : fields) {
        EntryFieldBuffer text;
        if (CopyEntryTextForField(entry, key, text)) field->SetExternalValueToUI(text, sizeof text);
    }
    return RunUntilOK();
}
