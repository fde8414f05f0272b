// The address window: an application-modal window in which the user picks fax recipients from
// an address-book file (tab 1) or from the device's own address data (tab 2). Each tab shows its
// source's entries (filtered by a search field) beside the destination list, the recipients
// chosen so far. Presenting copies the fax settings sheet's recipients into the destination
// list; OK hands the list back to the sheet (FaxSettingsWindow::SetRecipientList), Cancel drops
// it. Groups are expanded into their members when added, so the destination list never holds a
// group; it holds at most 30 entries.
//
// The parent panel (the sheet) is reached for its recipients and, through its ControlID, its
// address-file popup. Every handler and callback below gets the window as its user
// data (list view callbacks find it through the list view stored as the control's reference).
#pragma once

#include <CPopupWindowInPanel.h>
#include <TextFieldWatcher.h>

#include <CFArray.h>
#include <CFDictionary.h>
#include <CFRef.h>
#include <CarbonEvents.h>
#include <Controls.h>
#include <HIDataBrowser.h>

#include <array>

class AddressSourceTabView;
class CBrowserListView;
class CGBaseButton;
class CStaticTextControl;
class CTextEditControl;
class FaxSettingsWindow;
class UserPropertyWindow;
class GroupPropertyWindow;

class AddressSettingWindow : public CPopupWindowInPanel {
  public:
    // At most this many destinations.
    static constexpr CFIndex kMaxDestinations = 30;

    // Builds the 18 controls, the two property windows (nib windows "UserProperty" and
    // "GroupProperty" of the same nib) and the three empty lists. The title key is retained.
    AddressSettingWindow(CFStringRef nibName, CFStringRef windowName, CFBundleRef bundle,
                         CFStringRef titleKey);
    // Deletes the controls and the property windows; releases the lists, the printer address
    // and the password.
    ~AddressSettingWindow() override;

    // The base initialisation, then the property windows', then the title and the list
    // callbacks. -1 when a base or child initialisation fails; the title's status when it
    // cannot be set; else 0.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;
    // The base handlers, then the buttons' handlers and the search fields' change watchers
    // (text-did-change from system 10.4, else the 'NVRC' property, the validation procedure
    // and the key event). The error of Gestalt or of the base; else 0.
    OSStatus SetControlEventHandler() override;

    // Runs the window modally on tab 1 (address book) or 2 (device): the sheet's recipients
    // become the destination list, the tab's source is loaded, and the loop runs until OK or
    // Cancel. 0; -1 without a destination list.
    SInt32 PresentWithTabSelection(UInt16 tab);
    // Keeps a copy of the printer's network address; null is ignored.
    void SetPrinterAddress(CFStringRef address);
    // Keeps a copy of the password as typed on the sheet (null forgets it).
    void SetPassword(CFStringRef password);

    // The localised title on the platform window; 0 without a title key or a localisation.
    OSStatus InitializeUserPaneTitle();
    // Clears the view and shows the destination list in it. 0.
    SInt32 InitDestinationView(CBrowserListView* view);
    // Refills a source view with the entries of its source list whose "NAME" contains the
    // tab's search text, ignoring case (all of them for an empty text). 0, or -1 with nothing
    // shown when the search text or an entry cannot be read.
    SInt32 UpdateTableView(CBrowserListView* view);
    // Refilters the source view of the current tab. 0.
    static SInt32 SortDestinations(AddressSettingWindow* window);
    // Adds the selected entries of the source view (groups expanded) to the destination list
    // and shows it in the destination view: refused whole beyond 30 destinations, duplicates
    // asked about once per batch. 0; -1 when nothing is selected or an entry is unreadable.
    SInt32 AddAddressToDestination(CBrowserListView* sourceView, CBrowserListView* destView);

    // Loads the address-book file chosen on the sheet, or the device's address data, into its
    // source list and source view. 0, or -1 (the failures and their messages are those of the
    // address sources).
    SInt32 InitAddressBookTableView();
    SInt32 InitDeviceDataTableView();
    // A new array (the caller releases it) of the group's members found in list, in list
    // order; null when the group has no member list, an element of list is unreadable, or a
    // member is missing from list (or listed twice).
    static CFMutableArrayRef CopyUserListFromGroup(CFDictionaryRef group, CFArrayRef list);

    // Event handlers (user data: the window).
    static OSStatus FinishSetting(EventHandlerCallRef callRef, EventRef event, void* window);
    static OSStatus CancelSetting(EventHandlerCallRef callRef, EventRef event, void* window);
    static OSStatus LaunchHelpBook(EventHandlerCallRef callRef, EventRef event, void* window);
    static OSStatus AddAddress(EventHandlerCallRef callRef, EventRef event, void* window);
    static OSStatus DeleteAddress(EventHandlerCallRef callRef, EventRef event, void* window);
    static OSStatus ShowAddressProperty(EventHandlerCallRef callRef, EventRef event, void* window);
    static OSStatus KeyboardInputToSearchField(EventHandlerCallRef callRef, EventRef event,
                                               void* window);
    static OSStatus InputTextHandler(EventHandlerCallRef callRef, EventRef event, void* window);
    // The one-shot idle timer of a key in a search field: refilters and removes itself.
    static void KeyboardTimerIdleCallback(EventLoopTimerRef timer,
                                          EventLoopIdleTimerMessage message, void* window);
    // The search fields' validation procedure (the window is the field's 'NVRC' property).
    static void PasteToSearchField(ControlRef field);

    // List view callbacks of all four views.
    static OSStatus AddressListDataCallback(ControlRef browser, DataBrowserItemID item,
                                            DataBrowserPropertyID property,
                                            DataBrowserItemDataRef itemData, Boolean setValue);
    static Boolean AddressListCompare(ControlRef browser, DataBrowserItemID item1,
                                      DataBrowserItemID item2, DataBrowserPropertyID property);
    static void AddressBookSrcNotificattion(ControlRef browser, DataBrowserItemID item,
                                            DataBrowserItemNotification message);
    static void DeviceDataSrcNotificattion(ControlRef browser, DataBrowserItemID item,
                                           DataBrowserItemNotification message);
    static void AddressBookDestNotificattion(ControlRef browser, DataBrowserItemID item,
                                             DataBrowserItemNotification message);
    static void DeviceDataDestNotificattion(ControlRef browser, DataBrowserItemID item,
                                            DataBrowserItemNotification message);

  private:
    // One tab's controls and its source list.
    struct TabControls {
        CBrowserListView* sourceView;
        CBrowserListView* destView;
        CGBaseButton* addButton;
        CGBaseButton* deleteButton;
        CGBaseButton* propertyButton;
        CTextEditControl* searchField;
        CFMutableArrayRef sourceList;
    };
    TabControls AddressBookTab() const;
    TabControls DeviceDataTab() const;
    // The tab whose control in that role is this platform control; false for another control.
    template <class Control>
    bool FindTab(ControlRef control, Control* TabControls::*role, TabControls& tab) const {
        for (const TabControls& candidate : {AddressBookTab(), DeviceDataTab()}) {
            if (control && (candidate.*role)->GetControlHandle() == control) {
                tab = candidate;
                return true;
            }
        }
        return false;
    }
    // The fax settings sheet that owns this window; null under another parent.
    FaxSettingsWindow* Sheet() const;
    // The 18 controls in creation order, which is their order in the base's control list.
    std::array<CBaseControl*, 18> AllControls() const;
    // The window behind a list view's callbacks.
    static AddressSettingWindow* FromListView(ControlRef browser);

    // Every list view's data, compare and notification callbacks.
    void InstallListCallbacks();
    // A source view's notification: a selection change switches its tab's Add (on with any row
    // selected) and Property (on with exactly one); a double click adds as Add does.
    static void SourceSelectionChanged(ControlRef browser, DataBrowserItemNotification message);
    // A destination view's selection change: its tab's Delete is on with any row selected.
    static void DestSelectionChanged(ControlRef browser, DataBrowserItemNotification message);
    // The event's control; null when it has none.
    static ControlRef EventControl(EventRef event);
    // The selected entries of the tab's source view expanded into the entries to add (groups
    // become their members shown there); null when one cannot be read.
    CFMutableArrayRef CopyAdditions(CBrowserListView* sourceView);

    CFRef<CFStringRef> titleKey_;
    CFRef<CFMutableArrayRef> destinationList_;
    CFRef<CFMutableArrayRef> addressBookList_;
    CFRef<CFMutableArrayRef> deviceList_;
    CFRef<CFStringRef> printerAddress_;
    CFRef<CFStringRef> password_;
    // The search fields' change watchers and their key timers.
    TextFieldWatcher fieldWatcher_;

    CGBaseButton* okButton_ = nullptr;
    CGBaseButton* cancelButton_ = nullptr;
    AddressSourceTabView* tabView_ = nullptr;
    CBrowserListView* addressBookSrcView_ = nullptr;
    CBrowserListView* addressBookDestView_ = nullptr;
    CGBaseButton* addressBookAddButton_ = nullptr;
    CGBaseButton* addressBookDeleteButton_ = nullptr;
    CGBaseButton* addressBookPropertyButton_ = nullptr;
    CStaticTextControl* addressBookRecipientText_ = nullptr;
    CTextEditControl* addressBookSearchField_ = nullptr;
    CBrowserListView* deviceDataSrcView_ = nullptr;
    CBrowserListView* deviceDataDestView_ = nullptr;
    CGBaseButton* deviceDataAddButton_ = nullptr;
    CGBaseButton* deviceDataDeleteButton_ = nullptr;
    CGBaseButton* deviceDataPropertyButton_ = nullptr;
    CStaticTextControl* deviceDataRecipientText_ = nullptr;
    CTextEditControl* deviceDataSearchField_ = nullptr;
    CGBaseButton* helpButton_ = nullptr;
    UserPropertyWindow* userPropertyWindow_ = nullptr;
    GroupPropertyWindow* groupPropertyWindow_ = nullptr;
};
