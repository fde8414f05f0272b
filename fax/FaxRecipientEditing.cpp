// The sheet's recipient list as the user edits it: adding from the name and number fields,
// editing and deleting selected recipients, the add button following the number field, and the
// recipient list view's callbacks.
#include "FaxSettingsWindow.h"

#include <AboutWindow.h>
#include <AddressDuplicates.h>
#include <AddressEntry.h>
#include <AddressListCallbacks.h>
#include <AgreeAlert.h>
#include <CBaseButton.h>
#include <CBrowserListView.h>
#include <CTextEditControl.h>
#include <PlugInIdentity.h>

#include <CFDictionary.h>

#include <cstring>

namespace {

// The sheet that owns the list view whose platform control this is.
FaxSettingsWindow* SheetOf(ControlRef browser) {
    const auto* view = static_cast<const CBrowserListView*>(GetControlReference(browser));
    return view ? dynamic_cast<FaxSettingsWindow*>(view->GetOwnerPanel()) : nullptr;
}

// The entry's text under key as UTF-8 into the 256-byte buffer; false when it has none or it
// does not fit.
bool CopyEntryText(CFDictionaryRef entry, CFStringRef key, char (&buffer)[256]) {
    const auto* text = static_cast<CFStringRef>(CFDictionaryGetValue(entry, key));
    return text && CFStringGetCString(text, buffer, sizeof buffer, kCFStringEncodingUTF8);
}

} // namespace

OSStatus FaxSettingsWindow::AddAddress(EventHandlerCallRef, EventRef, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    if (!IsValid(self->nameField_) || !IsValid(self->phoneNumberField_)) return -1;
    const auto* name = static_cast<const char*>(self->nameField_->GetValueFromUI());
    const auto* number = static_cast<const char*>(self->phoneNumberField_->GetValueFromUI());
    if (!number || !*number) {
        AboutWindow::Present(GetAppBundleRef(), CFSTR("Bad Phone Number"));
        return noErr;
    }
    if (self->recipientListView_->CountItems() >= kMaxRecipients) {
        AboutWindow::Present(GetAppBundleRef(), CFSTR("No More Destination"));
        return noErr;
    }
    if (!self->AppendRecipient(name ? name : "", number)) return noErr;
    self->nameField_->SetDefaultValueToUI();
    self->phoneNumberField_->SetDefaultValueToUI();
    SetControlActive(self->addButton_, false);
    return noErr;
}

bool FaxSettingsWindow::AppendRecipient(const char* name, const char* number) {
    const CFRef<CFStringRef> texts[] = {
        CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, name, kCFStringEncodingUTF8)),
        CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, number, kCFStringEncodingUTF8))};
    if (!texts[0] || !texts[1]) return false;
    const void* keys[] = {kAddressNameKey, kAddressNumberKey};
    const void* values[] = {texts[0].get(), texts[1].get()};
    const CFRef<CFDictionaryRef> entry(CFDictionaryCreate(nullptr, keys, values, 2,
                                                          &kCFTypeDictionaryKeyCallBacks,
                                                          &kCFTypeDictionaryValueCallBacks));
    if (!entry) return false;
    if (CheckDuplication(recipientListView_->GetItems(), entry.get()) &&
        !ShowMessageToAgree(GetAppBundleRef(), CFSTR("Duplicated Address Found"),
                            CFSTR("Add the same address to destinations?")))
        return false;
    const void* added = entry.get();
    const CFRef<CFArrayRef> one(CFArrayCreate(nullptr, &added, 1, &kCFTypeArrayCallBacks));
    recipientListView_->AddItems(one.get());
    return true;
}

OSStatus FaxSettingsWindow::EditAddress(EventHandlerCallRef, EventRef, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    const CFRef<CFMutableArrayRef> selected(self->recipientListView_->CopySelectedItems());
    if (!selected || CFArrayGetCount(selected.get()) == 0) return -1;
    const auto* entry = static_cast<CFDictionaryRef>(CFArrayGetValueAtIndex(selected.get(), 0));
    char text[256];
    if (!entry || !CopyEntryText(entry, kAddressNameKey, text)) return -1;
    self->nameField_->SetExternalValueToUI(text, int(std::strlen(text)));
    if (!CopyEntryText(entry, kAddressNumberKey, text)) return -1;
    self->phoneNumberField_->SetExternalValueToUI(text, int(std::strlen(text)));
    self->CanAddAddress();
    self->recipientListView_->RemoveSelectedItems();
    self->UpdateSelectionButtons(0);
    return noErr;
}

OSStatus FaxSettingsWindow::DeleteAddress(EventHandlerCallRef, EventRef, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    self->recipientListView_->RemoveSelectedItems();
    self->UpdateSelectionButtons(0);
    return noErr;
}

void FaxSettingsWindow::CanAddAddress() {
    const auto* number = static_cast<const char*>(phoneNumberField_->GetValueFromUI());
    SetControlActive(addButton_, number && *number);
}

OSStatus FaxSettingsWindow::InputAddress(EventHandlerCallRef, EventRef, void* sheet) {
    static_cast<FaxSettingsWindow*>(sheet)->CanAddAddress();
    return noErr;
}

OSStatus FaxSettingsWindow::KeyboardInputAddress(EventHandlerCallRef, EventRef, void* sheet) {
    return static_cast<FaxSettingsWindow*>(sheet)->fieldWatcher_.KeyTyped(KeyboardTimerIdleCallback,
                                                                          sheet);
}

void FaxSettingsWindow::KeyboardTimerIdleCallback(EventLoopTimerRef timer,
                                                  EventLoopIdleTimerMessage, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    self->CanAddAddress();
    self->fieldWatcher_.TimerFired(timer);
}

void FaxSettingsWindow::PasteAddress(ControlRef field) {
    if (auto* sheet = static_cast<FaxSettingsWindow*>(TextFieldWatcher::WindowOfField(field)))
        sheet->CanAddAddress();
}

void FaxSettingsWindow::UpdateSelectionButtons(ItemCount selected) {
    SetControlActive(editButton_, selected == 1);
    SetControlActive(deleteButton_, selected > 0);
    SetControlActive(addToBookButton_, selected > 0 && HasAddressFile());
}

void FaxSettingsWindow::InstallListCallbacks() {
    InstallAddressListCallbacks(*recipientListView_, RecipientListDataCallback,
                                RecipientListCompare, RecipientListNotificattion);
}

OSStatus FaxSettingsWindow::RecipientListDataCallback(ControlRef browser, DataBrowserItemID item,
                                                      DataBrowserPropertyID property,
                                                      DataBrowserItemDataRef itemData,
                                                      Boolean setValue) {
    return AnswerAddressItemData(browser, item, property, itemData, setValue, true);
}

Boolean FaxSettingsWindow::RecipientListCompare(ControlRef browser, DataBrowserItemID item1,
                                                DataBrowserItemID item2,
                                                DataBrowserPropertyID property) {
    return CompareAddressItems(browser, item1, item2, property);
}

void FaxSettingsWindow::RecipientListNotificattion(ControlRef browser, DataBrowserItemID,
                                                   DataBrowserItemNotification message) {
    if (message != kDataBrowserItemSelected && message != kDataBrowserItemDeselected) return;
    FaxSettingsWindow* sheet = SheetOf(browser);
    ItemCount selected = 0;
    if (!sheet || GetDataBrowserItemCount(browser, kDataBrowserNoItem, false,
                                          kDataBrowserItemIsSelected, &selected) != noErr)
        return;
    sheet->UpdateSelectionButtons(selected);
}

bool FaxSettingsWindow::IsValid(CBaseControl* control) {
    return control->PreInvalidateData() && control->InvalidateData();
}
