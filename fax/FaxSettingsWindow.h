// The fax settings sheet: the application-modal window shown when the user presses Print in the
// fax pane. The user builds the list of recipients there (typed in or looked up in the address
// window), may delay the transmission and gives the authorisation password. Start Sending
// records kFaxSheetResultSend with the owner pane (FaxSheetOwner), takes every control's value
// from the screen and ends the modal loop; Stop clears the recipients, records
// kFaxSheetResultCancel and ends it. The recipients stay until the next presentation, so the
// Sync after the print writes them into the ticket (SetValueToTicket).
//
// Every handler and callback below gets the sheet as its user data; the list view callbacks
// find it through the recipient list view stored as the control's reference.
#pragma once

#include <CPopupWindowInPanel.h>
#include <TextFieldWatcher.h>

#include <CFArray.h>
#include <CFRef.h>
#include <CarbonEvents.h>
#include <Controls.h>
#include <HIDataBrowser.h>

#include <array>

class AddressFilePopupList;
class AddressSettingWindow;
class CBrowserListView;
class CCheckBoxControl;
class CGBaseButton;
class CGroupBoxControl;
class CPasswordTextEditControl;
class CStaticTextControl;
class CTextEditControl;
class CTimeTextEditControl;

class FaxSettingsWindow : public CPopupWindowInPanel {
  public:
    // At most this many recipients.
    static constexpr CFIndex kMaxRecipients = 30;

    // Builds the 24 controls in the sheet's order and, last, the address window (nib window
    // "AddressBook" of the same nib, title key "Address Setting Title") as its child window.
    // The title key is retained.
    FaxSettingsWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle,
                      CFStringRef titleKey);
    // Deletes the controls, releases the printer address, deletes the address window; the key
    // timers still pending are removed, so none fires into a sheet that is gone.
    ~FaxSettingsWindow() override;

    // The base initialisation (its failure gives 0 and nothing more), the localised title, the
    // child windows, then the recipient list's callbacks. The title's status when it cannot be
    // set; else 0.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;
    // The base handlers, the buttons' handlers and the change watchers of the name and number
    // fields (text-did-change from system 10.4, else the 'NVRC' property, the validation
    // procedure and the key event). The error of Gestalt or of the base; else 0.
    OSStatus SetControlEventHandler() override;
    // The controls' ticket values (password, delayed-send flag and time), then the recipients
    // under the numbered keys. The status of the last recipient write; 0 without recipients.
    OSStatus SetValueToTicket(PMTicketRef ticket, Boolean locked) override;
    // The base rebinding, then the title again.
    OSStatus ReInitializeUserPane(WindowRef window) override;

    // Shows the sheet empty and at its defaults and runs its modal loop until Start Sending or
    // Stop ends it; a sheet closed through its close box counts as Stop. 0.
    virtual OSStatus Present();

    // Keeps a copy of the printer's network address and hands it to the address window; null
    // changes nothing.
    void SetPrinterAddress(CFStringRef address);
    // Replaces the recipients by the entries of the array, in order; null changes nothing.
    void SetRecipientList(CFArrayRef recipients);
    // The recipients, borrowed: the address entries ("NAME", "PHNM") in the order added.
    CFArrayRef GetRecipients() const;

    // Event handlers (user data: the sheet).
    static OSStatus StartSending(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus CancelSending(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus LaunchHelpBook(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus AddAddress(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus EditAddress(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus DeleteAddress(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus AddToAddressBook(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus LookUpAddressBook(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static OSStatus LookUpDeviceData(EventHandlerCallRef callRef, EventRef event, void* sheet);
    // The name or number field's text changed (system 10.4 and later): the add button follows
    // the number. 0.
    static OSStatus InputAddress(EventHandlerCallRef callRef, EventRef event, void* sheet);
    // A key in the name or number field (older systems): a one-shot 0.1-second idle timer
    // re-evaluates the add button once the key has reached the field. eventNotHandledErr, or
    // the timer's installation error.
    static OSStatus KeyboardInputAddress(EventHandlerCallRef callRef, EventRef event, void* sheet);
    static void KeyboardTimerIdleCallback(EventLoopTimerRef timer,
                                          EventLoopIdleTimerMessage message, void* sheet);
    // The fields' validation procedure (older systems; the sheet is the field's 'NVRC'
    // property): the add button follows the number.
    static void PasteAddress(ControlRef field);

    // The recipient list view's callbacks.
    static OSStatus RecipientListDataCallback(ControlRef browser, DataBrowserItemID item,
                                              DataBrowserPropertyID property,
                                              DataBrowserItemDataRef itemData, Boolean setValue);
    static Boolean RecipientListCompare(ControlRef browser, DataBrowserItemID item1,
                                        DataBrowserItemID item2, DataBrowserPropertyID property);
    static void RecipientListNotificattion(ControlRef browser, DataBrowserItemID item,
                                           DataBrowserItemNotification message);

  private:
    static constexpr size_t kControlCount = 24;
    static constexpr UInt16 kAddressBookTab = 1;
    static constexpr UInt16 kDeviceDataTab = 2;

    // Adds the control to the sheet's control list and answers it.
    template <class Control> Control* Add(Control* control);
    // The controls in the order of the sheet's list.
    std::array<CBaseControl*, kControlCount> Controls() const;
    OSStatus InitializeTitle();
    void InstallListCallbacks();

    // Activates the add button exactly when the number field shows a text.
    void CanAddAddress();
    // Edit on with exactly one selected recipient, Delete with any, Add to Book with any when
    // there is an address-book file.
    void UpdateSelectionButtons(ItemCount selected);
    // True when the address file popup lists at least one file.
    bool HasAddressFile() const;
    // The control's screen value passes its checks (a refusing field shows its message).
    static bool IsValid(CBaseControl* control);

    // Appends {"NAME": name, "PHNM": number}, asking first when the list holds an equal entry;
    // false when nothing was added.
    bool AppendRecipient(const char* name, const char* number);
    // Start Sending with no recipient: the typed number, once the user agrees, becomes one;
    // false when there is none or the user declines.
    bool TakeTypedNumber();
    // Runs the address window on the tab with the typed password.
    void LookUp(UInt16 tab);
    // Records the outcome with the owner pane (a Stop also clears the recipients).
    void EndPresentation(SInt32 result);

    CFRef<CFStringRef> titleKey_;
    CGBaseButton* startSendingButton_ = nullptr;
    CGBaseButton* stopButton_ = nullptr;
    CGBaseButton* helpButton_ = nullptr;
    CStaticTextControl* nameLabel_ = nullptr;
    CTextEditControl* nameField_ = nullptr;
    CStaticTextControl* phoneNumberLabel_ = nullptr;
    CTextEditControl* phoneNumberField_ = nullptr;
    CGBaseButton* addButton_ = nullptr;
    CGBaseButton* editButton_ = nullptr;
    CGBaseButton* deleteButton_ = nullptr;
    CGBaseButton* addToBookButton_ = nullptr;
    CStaticTextControl* addressFileLabel_ = nullptr;
    AddressFilePopupList* addressFilePopup_ = nullptr;
    CGBaseButton* lookUpBookButton_ = nullptr;
    CGBaseButton* lookUpDeviceButton_ = nullptr;
    CGroupBoxControl* authorizationGroupBox_ = nullptr;
    CStaticTextControl* passwordLabel_ = nullptr;
    CPasswordTextEditControl* passwordField_ = nullptr;
    CGroupBoxControl* delayedSendGroupBox_ = nullptr;
    CCheckBoxControl* delayedSendCheckBox_ = nullptr;
    CStaticTextControl* delayedTimeLabel_ = nullptr;
    CTimeTextEditControl* delayedTimeField_ = nullptr;
    CStaticTextControl* recipientListLabel_ = nullptr;
    CBrowserListView* recipientListView_ = nullptr;
    CFRef<CFStringRef> printerAddress_;
    AddressSettingWindow* addressWindow_ = nullptr;
    // The name and number fields' change watchers; their pending key timers go with the sheet.
    TextFieldWatcher fieldWatcher_;
    // Whether Start Sending or Stop ended the current presentation.
    bool closedByButton_ = false;
};
