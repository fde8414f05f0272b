// The address window's list view callbacks: the cells and order of all four views, and the
// selection notifications that switch each tab's Add, Property and Delete buttons.
#include "AddressSettingWindow.h"

#include "AddressListCallbacks.h"

#include <CBaseButton.h>
#include <CBrowserListView.h>

namespace {

// The number of selected rows; 0 when they cannot be counted.
UInt32 CountSelected(ControlRef browser) {
    ItemCount count = 0;
    if (GetDataBrowserItemCount(browser, kDataBrowserNoItem, false, kDataBrowserItemIsSelected,
                                &count) != noErr)
        return 0;
    return UInt32(count);
}

bool IsSelectionChange(DataBrowserItemNotification message) {
    return message == kDataBrowserItemSelected || message == kDataBrowserItemDeselected;
}

} // namespace

AddressSettingWindow* AddressSettingWindow::FromListView(ControlRef browser) {
    auto* view = static_cast<CBrowserListView*>(GetControlReference(browser));
    return view ? dynamic_cast<AddressSettingWindow*>(view->GetOwnerPanel()) : nullptr;
}

OSStatus AddressSettingWindow::AddressListDataCallback(ControlRef browser, DataBrowserItemID item,
                                                       DataBrowserPropertyID property,
                                                       DataBrowserItemDataRef itemData,
                                                       Boolean setValue) {
    return AnswerAddressItemData(browser, item, property, itemData, setValue, true);
}

Boolean AddressSettingWindow::AddressListCompare(ControlRef browser, DataBrowserItemID item1,
                                                 DataBrowserItemID item2,
                                                 DataBrowserPropertyID property) {
    return CompareAddressItems(browser, item1, item2, property);
}

void AddressSettingWindow::SourceSelectionChanged(ControlRef browser,
                                                  DataBrowserItemNotification message) {
    AddressSettingWindow* window = FromListView(browser);
    TabControls tab = {};
    if (!window || !window->FindTab(browser, &TabControls::sourceView, tab)) return;
    if (message == kDataBrowserItemDoubleClicked) {
        window->AddAddressToDestination(tab.sourceView, tab.destView);
    } else if (IsSelectionChange(message)) {
        const UInt32 selected = CountSelected(browser);
        SetControlActive(tab.addButton, selected > 0);
        SetControlActive(tab.propertyButton, selected == 1);
    }
}

void AddressSettingWindow::DestSelectionChanged(ControlRef browser,
                                                DataBrowserItemNotification message) {
    AddressSettingWindow* window = FromListView(browser);
    TabControls tab = {};
    if (!IsSelectionChange(message) || !window ||
        !window->FindTab(browser, &TabControls::destView, tab))
        return;
    SetControlActive(tab.deleteButton, CountSelected(browser) > 0);
}

void AddressSettingWindow::AddressBookSrcNotificattion(ControlRef browser, DataBrowserItemID,
                                                       DataBrowserItemNotification message) {
    SourceSelectionChanged(browser, message);
}

void AddressSettingWindow::DeviceDataSrcNotificattion(ControlRef browser, DataBrowserItemID,
                                                      DataBrowserItemNotification message) {
    SourceSelectionChanged(browser, message);
}

void AddressSettingWindow::AddressBookDestNotificattion(ControlRef browser, DataBrowserItemID,
                                                        DataBrowserItemNotification message) {
    DestSelectionChanged(browser, message);
}

void AddressSettingWindow::DeviceDataDestNotificattion(ControlRef browser, DataBrowserItemID,
                                                       DataBrowserItemNotification message) {
    DestSelectionChanged(browser, message);
}
