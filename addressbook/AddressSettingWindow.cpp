// The address window's construction, initialisation, handlers and presentation, and the OK,
// Cancel and Help buttons.
#include "AddressSettingWindow.h"

#include "AddressListCallbacks.h"
#include "AddressSourceTabView.h"
#include "GroupPropertyWindow.h"
#include "UserPropertyWindow.h"

#include <CBaseButton.h>
#include <CBrowserListView.h>
#include <CStaticTextControl.h>
#include <CTextEditControl.h>
#include <ControlDefinitionTables.h>
#include <DesktopUtilities.h>
#include <FaxSettingsWindow.h>

#include <CFString.h>
#include <Gestalt.h>
#include <MacErrors.h>
#include <MacWindows.h>

namespace {

template <typename Control, typename... Args>
Control* AddControl(CBasePrintPanel& panel, Args... args) {
    auto* control = new Control(args...);
    panel.RunTimeAddNewControl(control);
    return control;
}

CBrowserListView* AddListView(CBasePrintPanel& panel, const ControlID* id,
                              const BrowseListViewIniData* iniData) {
    return AddControl<CBrowserListView>(panel, id, iniData, nullptr, nullptr);
}

CGBaseButton* AddButton(CBasePrintPanel& panel, const ControlID* id, CFStringRef titleKey) {
    return AddControl<CGBaseButton>(panel, id, titleKey);
}

CStaticTextControl* AddLabel(CBasePrintPanel& panel, const ControlID* id) {
    return AddControl<CStaticTextControl>(panel, id, nullptr, nullptr, nullptr, nullptr,
                                          CFSTR("Recipient Title"));
}

CTextEditControl* AddSearchField(CBasePrintPanel& panel, const ControlID* id) {
    return AddControl<CTextEditControl>(panel, id, &AddressSearchTextEditIniData, nullptr, nullptr,
                                        &AddressSearchTextEditAccessInfo);
}

} // namespace

AddressSettingWindow::AddressSettingWindow(CFStringRef nibName, CFStringRef windowName,
                                           CFBundleRef bundle, CFStringRef titleKey)
    : CPopupWindowInPanel(nibName, windowName, bundle),
      titleKey_(CFRef<CFStringRef>::retained(titleKey)) {
    okButton_ = AddButton(*this, &OKButtonCtrlID, CFSTR("OK Button Title"));
    cancelButton_ = AddButton(*this, &CancelButtonCtrlID, CFSTR("Cancel Button Title"));
    tabView_ = AddControl<AddressSourceTabView>(*this, &AddressSettingTabViewCtrlID,
                                                &addressSettingTabIniData, nullptr,
                                                &addressSettingTabAccessInfo);
    addressBookSrcView_ =
        AddListView(*this, &AddressBookSrcTableViewCtrlID, &addressBookSrcTableViewIniData);
    addressBookDestView_ =
        AddListView(*this, &AddressBookDestTableViewCtrlID, &addressBookDestTableViewIniData);
    addressBookAddButton_ =
        AddButton(*this, &AddressBookAddButtonCtrlID, CFSTR("Add Button Title"));
    addressBookDeleteButton_ =
        AddButton(*this, &AddressBookDeleteButtonCtrlID, CFSTR("Delete Button Title"));
    addressBookPropertyButton_ =
        AddButton(*this, &AddressBookPropertyButtonCtrlID, CFSTR("Property Button Title"));
    addressBookRecipientText_ = AddLabel(*this, &AddressBookRecipientStaticTextCtrlID);
    addressBookSearchField_ = AddSearchField(*this, &AddressBookSearchTextEditCtrlID);
    deviceDataSrcView_ =
        AddListView(*this, &DeviceDataSrcTableViewCtrlID, &deviceDataSrcTableViewIniData);
    deviceDataDestView_ =
        AddListView(*this, &DeviceDataDestTableViewCtrlID, &deviceDataDestTableViewIniData);
    deviceDataAddButton_ = AddButton(*this, &DeviceDataAddButtonCtrlID, CFSTR("Add Button Title"));
    deviceDataDeleteButton_ =
        AddButton(*this, &DeviceDataDeleteButtonCtrlID, CFSTR("Delete Button Title"));
    deviceDataPropertyButton_ =
        AddButton(*this, &DeviceDataPropertyButtonCtrlID, CFSTR("Property Button Title"));
    deviceDataRecipientText_ = AddLabel(*this, &DeviceDataRecipientStaticTextCtrlID);
    deviceDataSearchField_ = AddSearchField(*this, &DeviceDataSearchTextEditCtrlID);

    userPropertyWindow_ = new UserPropertyWindow(nibName, CFSTR("UserProperty"), bundle,
                                                 CFSTR("Property Button Title"));
    RunTimeAddNewWindow(userPropertyWindow_);
    groupPropertyWindow_ = new GroupPropertyWindow(nibName, CFSTR("GroupProperty"), bundle,
                                                   CFSTR("Property Button Title"));
    RunTimeAddNewWindow(groupPropertyWindow_);

    helpButton_ = AddButton(*this, &HelpButtonCtrlID, CFSTR("Help Button Title"));

    destinationList_.reset(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    addressBookList_.reset(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
    deviceList_.reset(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks));
}

AddressSettingWindow::~AddressSettingWindow() {
    for (CBaseControl* control : AllControls())
        delete control;
    delete userPropertyWindow_;
    delete groupPropertyWindow_;
}

std::array<CBaseControl*, 18> AddressSettingWindow::AllControls() const {
    return {okButton_,
            cancelButton_,
            tabView_,
            addressBookSrcView_,
            addressBookDestView_,
            addressBookAddButton_,
            addressBookDeleteButton_,
            addressBookPropertyButton_,
            addressBookRecipientText_,
            addressBookSearchField_,
            deviceDataSrcView_,
            deviceDataDestView_,
            deviceDataAddButton_,
            deviceDataDeleteButton_,
            deviceDataPropertyButton_,
            deviceDataRecipientText_,
            deviceDataSearchField_,
            helpButton_};
}

AddressSettingWindow::TabControls AddressSettingWindow::AddressBookTab() const {
    return {addressBookSrcView_,      addressBookDestView_,       addressBookAddButton_,
            addressBookDeleteButton_, addressBookPropertyButton_, addressBookSearchField_,
            addressBookList_.get()};
}

AddressSettingWindow::TabControls AddressSettingWindow::DeviceDataTab() const {
    return {deviceDataSrcView_,      deviceDataDestView_,       deviceDataAddButton_,
            deviceDataDeleteButton_, deviceDataPropertyButton_, deviceDataSearchField_,
            deviceList_.get()};
}

ControlRef AddressSettingWindow::EventControl(EventRef event) {
    ControlRef control = nullptr;
    if (GetEventParameter(event, kEventParamDirectObject, typeControlRef, nullptr, sizeof control,
                          nullptr, &control) != noErr)
        return nullptr;
    return control;
}

void AddressSettingWindow::SetPrinterAddress(CFStringRef address) {
    if (!address) return;
    printerAddress_.reset(CFStringCreateCopy(nullptr, address));
}

void AddressSettingWindow::SetPassword(CFStringRef password) {
    password_.reset(password ? CFStringCreateCopy(nullptr, password) : nullptr);
}

OSStatus AddressSettingWindow::InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                                  CFBundleRef bundle, ppd_file_t* ppd) {
    if (CPopupWindowInPanel::InitializeUserPane(context, parentUserPane, bundle, ppd) != noErr ||
        InitilaizeChildWindow(context, parentUserPane, bundle, ppd) != noErr)
        return -1;
    if (OSStatus status = InitializeUserPaneTitle(); status != noErr) return status;
    InstallListCallbacks();
    return noErr;
}

OSStatus AddressSettingWindow::InitializeUserPaneTitle() {
    return SetLocalizedWindowTitle(titleKey_.get(), noErr);
}

void AddressSettingWindow::InstallListCallbacks() {
    const std::pair<CBrowserListView*, DataBrowserItemNotificationProcPtr> views[] = {
        {addressBookSrcView_, AddressBookSrcNotificattion},
        {deviceDataSrcView_, DeviceDataSrcNotificattion},
        {addressBookDestView_, AddressBookDestNotificattion},
        {deviceDataDestView_, DeviceDataDestNotificattion},
    };
    for (const auto& [view, notification] : views)
        InstallAddressListCallbacks(*view, AddressListDataCallback, AddressListCompare,
                                    notification);
}

OSStatus AddressSettingWindow::SetControlEventHandler() {
    SInt32 systemVersion = 0;
    if (OSErr status = Gestalt(FOUR_CHAR_CODE("sysv"), &systemVersion); status != noErr)
        return status;
    if (OSStatus status = CPopupWindowInPanel::SetControlEventHandler(); status != noErr)
        return status;

    static const EventTypeSpec controlHit = {kEventClassControl, kEventControlHit};
    const std::pair<CBaseControl*, EventHandlerProcPtr> buttons[] = {
        {okButton_, FinishSetting},
        {cancelButton_, CancelSetting},
        {helpButton_, LaunchHelpBook},
        {addressBookAddButton_, AddAddress},
        {deviceDataAddButton_, AddAddress},
        {addressBookDeleteButton_, DeleteAddress},
        {deviceDataDeleteButton_, DeleteAddress},
        {addressBookPropertyButton_, ShowAddressProperty},
        {deviceDataPropertyButton_, ShowAddressProperty},
    };
    for (const auto& [button, handler] : buttons)
        if (ControlRef handle = button->GetControlHandle())
            InstallControlEventHandler(handle, NewEventHandlerUPP(handler), 1, &controlHit, this,
                                       nullptr);
    static const TextFieldWatcher::Handlers searchHandlers = {InputTextHandler, PasteToSearchField,
                                                              KeyboardInputToSearchField};
    for (CTextEditControl* field : {addressBookSearchField_, deviceDataSearchField_})
        TextFieldWatcher::Watch(field->GetControlHandle(), systemVersion, this, searchHandlers);
    return noErr;
}

FaxSettingsWindow* AddressSettingWindow::Sheet() const {
    return dynamic_cast<FaxSettingsWindow*>(GetParentPane());
}

SInt32 AddressSettingWindow::PresentWithTabSelection(UInt16 tab) {
    if (!destinationList_) return -1;
    if (FaxSettingsWindow* sheet = Sheet())
        if (CFArrayRef recipients = sheet->GetRecipients())
            CFArrayAppendArray(destinationList_.get(), recipients,
                               CFRangeMake(0, CFArrayGetCount(recipients)));
    ActivateWindow();
    InitializeUserPaneTitle();
    tabView_->selectTab(tab);
    InstallListCallbacks();
    for (CBaseControl* button :
         {addressBookAddButton_, addressBookPropertyButton_, addressBookDeleteButton_,
          deviceDataAddButton_, deviceDataPropertyButton_, deviceDataDeleteButton_})
        DeactivateControl(button->GetControlHandle());
    RunAppModalLoopForWindow(GetWindowRef());
    // OK and Cancel have emptied the list; a window closed through its close box counts as
    // Cancel, so its destinations do not reach the next presentation.
    CFArrayRemoveAllValues(destinationList_.get());
    DeactivateWindow();
    return 0;
}

OSStatus AddressSettingWindow::FinishSetting(EventHandlerCallRef, EventRef, void* userData) {
    auto* window = static_cast<AddressSettingWindow*>(userData);
    for (CBaseControl* control : window->AllControls())
        if (!control->PreInvalidateData() || !control->InvalidateData()) return noErr;
    if (window->destinationList_) {
        if (FaxSettingsWindow* sheet = window->Sheet())
            sheet->SetRecipientList(window->destinationList_.get());
        CFArrayRemoveAllValues(window->destinationList_.get());
    }
    QuitAppModalLoopForWindow(window->GetWindowRef());
    return noErr;
}

OSStatus AddressSettingWindow::CancelSetting(EventHandlerCallRef, EventRef, void* userData) {
    auto* window = static_cast<AddressSettingWindow*>(userData);
    if (window->destinationList_) CFArrayRemoveAllValues(window->destinationList_.get());
    QuitAppModalLoopForWindow(window->GetWindowRef());
    return noErr;
}

OSStatus AddressSettingWindow::LaunchHelpBook(EventHandlerCallRef, EventRef, void*) {
    GotoHelpPage(CFSTR("Recipients.htm"), nullptr, CFSTR("Norvale Sendra Fax Help"));
    return noErr;
}
