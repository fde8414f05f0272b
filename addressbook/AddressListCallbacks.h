// The cells and the order of a list view of address entries (dictionaries with "NAME" and
// "PHNM"), shared by every window that lists entries. The list view is the browser control's
// reference value (CBrowserListView::SetDataCallBack); row id i shows its element i - 1.
#pragma once

#include <HIDataBrowser.h>

class CBrowserListView;

// Answers a cell: setting is refused (errDataBrowserPropertyNotSupported); a row without an
// entry gives errDataBrowserItemNotFound; rows are active, selectable as given and not
// editable; 'NAME' and 'PHNM' show the entry's string (0 and nothing shown when it has none);
// any other property errDataBrowserPropertyNotSupported.
OSStatus AnswerAddressItemData(ControlRef browser, DataBrowserItemID item,
                               DataBrowserPropertyID property, DataBrowserItemDataRef itemData,
                               Boolean setValue, Boolean selectable);

// True when row one sorts before row two: for 'NAME' and 'PHNM' when its string compares less
// without regard to case, for other properties when its id is lower. A missing list, entry or
// string answers true.
Boolean CompareAddressItems(ControlRef browser, DataBrowserItemID one, DataBrowserItemID two,
                            DataBrowserPropertyID sortProperty);

// Gives the list view a window's cell, order and (when not null) selection callbacks; the list
// view's defaults serve the others. False when the list view refuses them.
bool InstallAddressListCallbacks(CBrowserListView& list, DataBrowserItemDataProcPtr cells,
                                 DataBrowserItemCompareProcPtr order,
                                 DataBrowserItemNotificationProcPtr selection);
