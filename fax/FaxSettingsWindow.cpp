// The sheet's life: its controls and address window, initialisation and handler installation,
// presenting, Start Sending, Stop, help and the look-ups.
#include "FaxSettingsWindow.h"

#include "FaxRecipientTicket.h"
#include "FaxSheetOwner.h"

#include <AboutWindow.h>
#include <AddressFilePopupList.h>
#include <AddressSettingWindow.h>
#include <AgreeAlert.h>
#include <CBaseButton.h>
#include <CBrowserListView.h>
#include <CCheckBoxControl.h>
#include <CGroupBoxControl.h>
#include <CPasswordTextEditControl.h>
#include <CStaticTextControl.h>
#include <CTextEditControl.h>
#include <CTimeTextEditControl.h>
#include <ControlDefinitionTables.h>
#include <DesktopUtilities.h>
#include <PlugInIdentity.h>

#include <Gestalt.h>

FaxSettingsWindow::FaxSettingsWindow(CFStringRef nibName, CFStringRef windowName,
                                     CFBundleRef bundle, CFStringRef titleKey)
    : CPopupWindowInPanel(nibName, windowName, bundle),
      titleKey_(CFRef<CFStringRef>::retained(titleKey)) {
    startSendingButton_ =
        Add(new CGBaseButton(&startSendingButtonCtrlID, CFSTR("Start Button Title")));
    stopButton_ = Add(new CGBaseButton(&cancelSendingButtonCtrlID, CFSTR("Stop Button Title")));
    helpButton_ = Add(new CGBaseButton(&helpButtonCtrlID, CFSTR("Help Button Title")));
    nameLabel_ = Add(new CStaticTextControl(&nameStaticTextCtrlID, nullptr, nullptr, nullptr,
                                            nullptr, CFSTR("Name Title")));
    nameField_ =
        Add(new CTextEditControl(&userNameTextEditCtrlID, &userNameTextEditIniData, nullptr,
                                 &userNameTextEditFilterData, &userNameTextEditAccessInfo));
    phoneNumberLabel_ =
        Add(new CStaticTextControl(&phoneNumberStaticTitleTextCtrlID, nullptr, nullptr, nullptr,
                                   nullptr, CFSTR("Phone Number Title")));
    phoneNumberField_ =
        Add(new CTextEditControl(&phoneNumberTextEditCtrlID, &phoneNumberTextEditIniData, nullptr,
                                 &phoneNumberTextEditFilterData, &phoneNumberTextEditAccessInfo));
    addButton_ = Add(new CGBaseButton(&addAddressButtonCtrlID, CFSTR("Add Button Title")));
    editButton_ = Add(new CGBaseButton(&editAddressButtonCtrlID, CFSTR("Edit Button Title")));
    deleteButton_ = Add(new CGBaseButton(&deleteAddressButtonCtrlID, CFSTR("Delete Button Title")));
    addToBookButton_ =
        Add(new CGBaseButton(&addToAddressBookButtonCtrlID, CFSTR("Add To Book Title")));
    addressFileLabel_ = Add(new CStaticTextControl(&addressFileStaticTextCtrlID, nullptr, nullptr,
                                                   nullptr, nullptr, CFSTR("Address File Title")));
    addressFilePopup_ = Add(new AddressFilePopupList(
        &addressFilePopupListCtrlID, &addressFileListIniData, nullptr, &addressFileListAccessInfo));
    lookUpBookButton_ =
        Add(new CGBaseButton(&lookupAddressBookButtonCtrlID, CFSTR("Lookup Book Title")));
    lookUpDeviceButton_ =
        Add(new CGBaseButton(&lookupDeviceDataButtonCtrlID, CFSTR("Lookup Device Title")));
    authorizationGroupBox_ =
        Add(new CGroupBoxControl(&authorizationGroupBoxCtrlID, CFSTR("Auth Group Title")));
    passwordLabel_ = Add(new CStaticTextControl(&passwordStaticTextCtrlID, nullptr, nullptr,
                                                nullptr, nullptr, CFSTR("Password Title")));
    passwordField_ =
        Add(new CPasswordTextEditControl(&passwordTextEditCtrlID, &passwordTextEditIniData, nullptr,
                                         &passwordTextEditFilterData, &passwordTextEditAccessInfo));
    delayedSendGroupBox_ =
        Add(new CGroupBoxControl(&delayedSendGroupBoxCtrlID, CFSTR("Delayed Group Title")));
    delayedSendCheckBox_ =
        Add(new CCheckBoxControl(&delayedSendCheckBoxCtrlID, &delayedSendCheckBoxIniData,
                                 &delayedSendConstrainInfo, &delayedSendAccessInfo));
    delayedTimeLabel_ = Add(new CStaticTextControl(&delayedTimeStaticTextCtrlID, nullptr, nullptr,
                                                   nullptr, nullptr, CFSTR("Delayed Time Title")));
    delayedTimeField_ =
        Add(new CTimeTextEditControl(&delayedTimeTextEditCtrlID, &delayedTimeTextEditIniData,
                                     nullptr, nullptr, &delayedTimesTextEditAccessInfo));
    recipientListLabel_ =
        Add(new CStaticTextControl(&recipientListStaticTextCtrlID, nullptr, nullptr, nullptr,
                                   nullptr, CFSTR("Recipient Title")));
    recipientListView_ = Add(new CBrowserListView(
        &recipientListTableViewCtrlID, &recipientListTableViewIniData, nullptr, nullptr));

    addressWindow_ = new AddressSettingWindow(nibName, CFSTR("AddressBook"), bundle,
                                              CFSTR("Address Setting Title"));
    RunTimeAddNewWindow(addressWindow_);
}

FaxSettingsWindow::~FaxSettingsWindow() {
    for (CBaseControl* control : Controls())
        delete control;
    printerAddress_.reset();
    delete addressWindow_;
}

template <class Control> Control* FaxSettingsWindow::Add(Control* control) {
    RunTimeAddNewControl(control);
    return control;
}

std::array<CBaseControl*, FaxSettingsWindow::kControlCount> FaxSettingsWindow::Controls() const {
    return {startSendingButton_, stopButton_,       helpButton_,          nameLabel_,
            nameField_,          phoneNumberLabel_, phoneNumberField_,    addButton_,
            editButton_,         deleteButton_,     addToBookButton_,     addressFileLabel_,
            addressFilePopup_,   lookUpBookButton_, lookUpDeviceButton_,  authorizationGroupBox_,
            passwordLabel_,      passwordField_,    delayedSendGroupBox_, delayedSendCheckBox_,
            delayedTimeLabel_,   delayedTimeField_, recipientListLabel_,  recipientListView_};
}

OSStatus FaxSettingsWindow::InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                               CFBundleRef bundle, ppd_file_t* ppd) {
    if (CPopupWindowInPanel::InitializeUserPane(context, parentUserPane, bundle, ppd) != noErr)
        return noErr;
    const OSStatus titleStatus = InitializeTitle();
    InitilaizeChildWindow(context, parentUserPane, bundle, ppd);
    if (titleStatus != noErr) return titleStatus;
    InstallListCallbacks();
    return noErr;
}

OSStatus FaxSettingsWindow::ReInitializeUserPane(WindowRef window) {
    const OSStatus status = CPopupWindowInPanel::ReInitializeUserPane(window);
    return status == noErr ? InitializeTitle() : status;
}

OSStatus FaxSettingsWindow::InitializeTitle() {
    return SetLocalizedWindowTitle(titleKey_.get(), paramErr);
}

OSStatus FaxSettingsWindow::SetControlEventHandler() {
    SInt32 systemVersion = 0;
    if (const OSErr error = Gestalt(gestaltSystemVersion, &systemVersion)) return error;
    if (const OSStatus status = CPopupWindowInPanel::SetControlEventHandler()) return status;

    static const EventTypeSpec controlHit = {kEventClassControl, kEventControlHit};
    const std::pair<CGBaseButton*, EventHandlerUPP> buttons[] = {
        {startSendingButton_, StartSending},
        {stopButton_, CancelSending},
        {helpButton_, LaunchHelpBook},
        {addButton_, AddAddress},
        {editButton_, EditAddress},
        {deleteButton_, DeleteAddress},
        {addToBookButton_, AddToAddressBook},
        {lookUpBookButton_, LookUpAddressBook},
        {lookUpDeviceButton_, LookUpDeviceData}};
    for (const auto& [button, handler] : buttons)
        if (ControlRef handle = button->GetControlHandle())
            InstallControlEventHandler(handle, handler, 1, &controlHit, this, nullptr);

    static const TextFieldWatcher::Handlers addressHandlers = {InputAddress, PasteAddress,
                                                               KeyboardInputAddress};
    for (CTextEditControl* field : {nameField_, phoneNumberField_})
        TextFieldWatcher::Watch(field->GetControlHandle(), systemVersion, this, addressHandlers);
    return noErr;
}

OSStatus FaxSettingsWindow::Present() {
    ActivateWindow();
    InstallListCallbacks();
    SetDefaultValueToUI();
    // The check box disables the time field only when its value changes, so a sheet shown
    // with the box already off would leave the time usable.
    if (delayedTimeField_->GetDisableCount() == 0) delayedTimeField_->Disable();
    UpdateSelectionButtons(0);
    if (!HasAddressFile()) SetControlActive(addressFilePopup_, false);
    SetControlActive(addButton_, false);
    recipientListView_->ClearItems();

    closedByButton_ = false;
    RunAppModalLoopForWindow(GetWindowRef());
    // A sheet closed any other way (its close box) sends nothing.
    if (!closedByButton_) EndPresentation(kFaxSheetResultCancel);
    DeactivateWindow();
    return noErr;
}

void FaxSettingsWindow::EndPresentation(SInt32 result) {
    if (result == kFaxSheetResultCancel) recipientListView_->ClearItems();
    if (auto* owner = dynamic_cast<FaxSheetOwner*>(GetParentPane())) owner->SetSheetResult(result);
    closedByButton_ = true;
}

void FaxSettingsWindow::SetPrinterAddress(CFStringRef address) {
    if (!address) return;
    printerAddress_.reset(CFStringCreateCopy(nullptr, address));
    addressWindow_->SetPrinterAddress(printerAddress_.get());
}

void FaxSettingsWindow::SetRecipientList(CFArrayRef recipients) {
    if (!recipients) return;
    recipientListView_->ClearItems();
    recipientListView_->AddItems(recipients);
}

CFArrayRef FaxSettingsWindow::GetRecipients() const {
    return recipientListView_->GetItems();
}

OSStatus FaxSettingsWindow::StartSending(EventHandlerCallRef, EventRef, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    if (self->recipientListView_->CountItems() == 0 && !self->TakeTypedNumber()) {
        AboutWindow::Present(GetAppBundleRef(), CFSTR("No Sender Specified"));
        return -1;
    }
    if (!IsValid(self->passwordField_)) return -1;
    for (CBaseControl* control : self->Controls())
        if (!IsValid(control)) return noErr;
    self->EndPresentation(kFaxSheetResultSend);
    self->SetValueFromUIToControl();
    QuitAppModalLoopForWindow(self->GetWindowRef());
    return noErr;
}

bool FaxSettingsWindow::TakeTypedNumber() {
    const auto* number = static_cast<const char*>(phoneNumberField_->GetValueFromUI());
    if (!number || !IsValid(phoneNumberField_) || !*number) return false;
    if (!ShowMessageToAgree(GetAppBundleRef(), CFSTR("Characters added to Fax Number"),
                            CFSTR("Current number is automatically added")))
        return false;
    return AppendRecipient("", number);
}

OSStatus FaxSettingsWindow::CancelSending(EventHandlerCallRef, EventRef, void* sheet) {
    auto* self = static_cast<FaxSettingsWindow*>(sheet);
    self->EndPresentation(kFaxSheetResultCancel);
    QuitAppModalLoopForWindow(self->GetWindowRef());
    return noErr;
}

OSStatus FaxSettingsWindow::LaunchHelpBook(EventHandlerCallRef, EventRef, void*) {
    GotoHelpPage(CFSTR("FaxTransmission.htm"), nullptr, CFSTR("Norvale Sendra Fax Help"));
    return noErr;
}

OSStatus FaxSettingsWindow::LookUpAddressBook(EventHandlerCallRef, EventRef, void* sheet) {
    static_cast<FaxSettingsWindow*>(sheet)->LookUp(kAddressBookTab);
    return noErr;
}

OSStatus FaxSettingsWindow::LookUpDeviceData(EventHandlerCallRef, EventRef, void* sheet) {
    static_cast<FaxSettingsWindow*>(sheet)->LookUp(kDeviceDataTab);
    return noErr;
}

void FaxSettingsWindow::LookUp(UInt16 tab) {
    // The password as typed, unchecked; an empty field forgets an earlier one.
    const auto* password = static_cast<const char*>(passwordField_->GetValueFromUI());
    const CFRef<CFStringRef> typed(
        password && *password ? CFStringCreateWithCString(nullptr, password, kCFStringEncodingUTF8)
                              : nullptr);
    addressWindow_->SetPassword(typed.get());
    addressWindow_->PresentWithTabSelection(tab);
}

bool FaxSettingsWindow::HasAddressFile() const {
    return addressFilePopup_->CountFiles() > 0;
}

OSStatus FaxSettingsWindow::SetValueToTicket(PMTicketRef ticket, Boolean locked) {
    CPopupWindowInPanel::SetValueToTicket(ticket, locked);
    return SetRecipientsToTicket(ticket, GetRecipients(), locked);
}
