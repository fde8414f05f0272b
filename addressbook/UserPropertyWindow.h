// The entry property window: shows one individual address entry (name, fax number, company,
// note) read-only until the user presses OK. Built by the address window as its child window
// from the nib window "UserProperty" with the title key "Property Button Title".
#pragma once

#include "PropertyWindow.h"

#include <CStaticTextControl.h>
#include <CTextEditControl.h>

#include <CFDictionary.h>

class UserPropertyWindow : public PropertyWindow {
  public:
    // Builds the nib window and the nine controls (OK, four labels, four fields) in that order.
    UserPropertyWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle,
                       CFStringRef titleKey);
    ~UserPropertyWindow() override;

    // Shows the entry's "NAME", "PHNM", "Company" and "Memo" (a missing key leaves its field
    // empty; a text longer than a field's 255 UTF-8 bytes is cut between characters) and
    // returns when the user presses OK. 0.
    virtual OSStatus PresentWithAddress(CFDictionaryRef entry);

  private:
    CStaticTextControl nameLabel_;
    CStaticTextControl phoneNumberLabel_;
    CStaticTextControl companyLabel_;
    CStaticTextControl noteLabel_;
    CTextEditControl nameField_;
    CTextEditControl phoneNumberField_;
    CTextEditControl companyField_;
    CTextEditControl noteField_;
};
