// Cells and order of the address lists: each row's entry is found through the list view that
// is the browser's reference value.
#include "AddressListCallbacks.h"

#include "AddressEntry.h"

#include <CBrowserListView.h>

#include <CFDictionary.h>
#include <MacErrors.h>

namespace {

constexpr DataBrowserPropertyID kNameColumn = FOUR_CHAR_CODE("NAME");
constexpr DataBrowserPropertyID kNumberColumn = FOUR_CHAR_CODE("PHNM");

// The entry row id item shows; null when the list or the entry is missing.
CFDictionaryRef entryOfRow(ControlRef browser, DataBrowserItemID item) {
    const auto* view = static_cast<const CBrowserListView*>(GetControlReference(browser));
    const CFArrayRef items = view ? view->GetItems() : nullptr;
    if (!items || item < 1 || CFIndex(item) > CFArrayGetCount(items)) return nullptr;
    const void* entry = CFArrayGetValueAtIndex(items, CFIndex(item) - 1);
    return entry && CFGetTypeID(entry) == CFDictionaryGetTypeID()
               ? static_cast<CFDictionaryRef>(entry)
               : nullptr;
}

// The entry's string of the column's key; null when it has none.
CFStringRef columnText(CFDictionaryRef entry, DataBrowserPropertyID column) {
    if (!entry) return nullptr;
    const void* value =
        CFDictionaryGetValue(entry, column == kNameColumn ? kAddressNameKey : kAddressNumberKey);
    return value && CFGetTypeID(value) == CFStringGetTypeID() ? static_cast<CFStringRef>(value)
                                                              : nullptr;
}

} // namespace

OSStatus AnswerAddressItemData(ControlRef browser, DataBrowserItemID item,
                               DataBrowserPropertyID property, DataBrowserItemDataRef itemData,
                               Boolean setValue, Boolean selectable) {
    if (setValue) return errDataBrowserPropertyNotSupported;
    const CFDictionaryRef entry = entryOfRow(browser, item);
    if (!entry) return errDataBrowserItemNotFound;
    switch (property) {
    case kDataBrowserItemIsActiveProperty:
        return SetDataBrowserItemDataBooleanValue(itemData, true);
    case kDataBrowserItemIsSelectableProperty:
        return SetDataBrowserItemDataBooleanValue(itemData, selectable);
    case kDataBrowserItemIsEditableProperty:
        return SetDataBrowserItemDataBooleanValue(itemData, false);
    case kNameColumn:
    case kNumberColumn:
        if (const CFStringRef text = columnText(entry, property))
            return SetDataBrowserItemDataText(itemData, text);
        return noErr;
    default:
        return errDataBrowserPropertyNotSupported;
    }
}

Boolean CompareAddressItems(ControlRef browser, DataBrowserItemID one, DataBrowserItemID two,
                            DataBrowserPropertyID sortProperty) {
    if (sortProperty != kNameColumn && sortProperty != kNumberColumn) return one < two;
    const CFStringRef first = columnText(entryOfRow(browser, one), sortProperty);
    const CFStringRef second = columnText(entryOfRow(browser, two), sortProperty);
    if (!first || !second) return true;
    return CFStringCompare(first, second, kCFCompareCaseInsensitive) == kCFCompareLessThan;
}

bool InstallAddressListCallbacks(CBrowserListView& list, DataBrowserItemDataProcPtr cells,
                                 DataBrowserItemCompareProcPtr order,
                                 DataBrowserItemNotificationProcPtr selection) {
    DataBrowserCallbacks callbacks = {};
    callbacks.version = kDataBrowserLatestCallbacks;
    InitDataBrowserCallbacks(&callbacks);
    callbacks.u.v1.itemDataCallback = NewDataBrowserItemDataUPP(cells);
    callbacks.u.v1.itemCompareCallback = NewDataBrowserItemCompareUPP(order);
    if (selection)
        callbacks.u.v1.itemNotificationCallback = NewDataBrowserItemNotificationUPP(selection);
    return list.SetDataCallBack(&callbacks);
}
