// The data browser in list-view mode (a QTreeView). Rows are item ids that the program adds;
// the browser asks the item-data callback for every cell it shows and the compare callback
// when it sorts. Columns are the list's properties, declared in the nib by the view's dynamic
// property "columns" (a string list of "PROP=Title" entries, PROP a four-character code).
// Item ids are reported in the order in which their rows are shown (add order, or the order of
// the sort column).
#pragma once

#include "Controls.h"

extern "C" {

typedef UInt32 DataBrowserItemID;
typedef UInt32 DataBrowserPropertyID;
typedef UInt32 DataBrowserItemState;
typedef UInt32 DataBrowserItemNotification;
typedef UInt32 DataBrowserSetOption;
typedef UInt16 DataBrowserSortOrder;
typedef void* DataBrowserItemDataRef;
typedef struct OpaqueDragRef* DragReference;
typedef UInt32 ItemReference;
typedef SInt16 HMContentRequest;
typedef SInt16 HMContentProvidedType;
typedef struct HMHelpContentRec* HMHelpContentPtr;
struct AEDesc {
    OSType descriptorType;
    void* dataHandle;
};

enum : DataBrowserItemID { kDataBrowserNoItem = 0 };
enum : DataBrowserItemState {
    kDataBrowserItemAnyState = 0xFFFFFFFFu,
    kDataBrowserItemNoState = 0,
    kDataBrowserItemIsSelected = 1u << 0,
};
enum : DataBrowserPropertyID {
    kDataBrowserItemNoProperty = 0,
    kDataBrowserItemIsActiveProperty = 1,
    kDataBrowserItemIsSelectableProperty = 2,
    kDataBrowserItemIsEditableProperty = 3,
};
enum : DataBrowserItemNotification {
    kDataBrowserItemSelected = 5,
    kDataBrowserItemDeselected = 6,
    kDataBrowserItemDoubleClicked = 7,
};
enum : DataBrowserSetOption {
    kDataBrowserItemsAdd = 0,
    kDataBrowserItemsAssign = 1,
    kDataBrowserItemsToggle = 2,
    kDataBrowserItemsRemove = 3,
};
enum : DataBrowserSortOrder {
    kDataBrowserOrderUndefined = 0,
    kDataBrowserOrderIncreasing = 1,
    kDataBrowserOrderDecreasing = 2,
};

typedef OSStatus (*DataBrowserItemDataProcPtr)(ControlRef browser, DataBrowserItemID item,
                                               DataBrowserPropertyID property,
                                               DataBrowserItemDataRef itemData, Boolean setValue);
// True when itemOne sorts before itemTwo.
typedef Boolean (*DataBrowserItemCompareProcPtr)(ControlRef browser, DataBrowserItemID itemOne,
                                                 DataBrowserItemID itemTwo,
                                                 DataBrowserPropertyID sortProperty);
typedef void (*DataBrowserItemNotificationProcPtr)(ControlRef browser, DataBrowserItemID item,
                                                   DataBrowserItemNotification message);
typedef Boolean (*DataBrowserAddDragItemProcPtr)(ControlRef browser, DragReference drag,
                                                 DataBrowserItemID item, ItemReference* itemRef);
typedef Boolean (*DataBrowserAcceptDragProcPtr)(ControlRef browser, DragReference drag,
                                                DataBrowserItemID item);
typedef Boolean (*DataBrowserReceiveDragProcPtr)(ControlRef browser, DragReference drag,
                                                 DataBrowserItemID item);
typedef void (*DataBrowserItemHelpContentProcPtr)(ControlRef browser, DataBrowserItemID item,
                                                  DataBrowserPropertyID property,
                                                  HMContentRequest request,
                                                  HMContentProvidedType* outContentProvided,
                                                  HMHelpContentPtr ioHelpContent);
typedef void (*DataBrowserGetContextualMenuProcPtr)(ControlRef browser, MenuRef* menu,
                                                    UInt32* helpType, CFStringRef* helpItemString,
                                                    AEDesc* selection);
typedef void (*DataBrowserSelectContextualMenuProcPtr)(ControlRef browser, MenuRef menu,
                                                       UInt32 selectionType, SInt16 menuID,
                                                       MenuItemIndex menuItem);

typedef DataBrowserItemDataProcPtr DataBrowserItemDataUPP;
typedef DataBrowserItemCompareProcPtr DataBrowserItemCompareUPP;
typedef DataBrowserItemNotificationProcPtr DataBrowserItemNotificationUPP;
typedef DataBrowserAddDragItemProcPtr DataBrowserAddDragItemUPP;
typedef DataBrowserAcceptDragProcPtr DataBrowserAcceptDragUPP;
typedef DataBrowserReceiveDragProcPtr DataBrowserReceiveDragUPP;
typedef DataBrowserItemHelpContentProcPtr DataBrowserItemHelpContentUPP;
typedef DataBrowserGetContextualMenuProcPtr DataBrowserGetContextualMenuUPP;
typedef DataBrowserSelectContextualMenuProcPtr DataBrowserSelectContextualMenuUPP;

inline DataBrowserItemDataUPP NewDataBrowserItemDataUPP(DataBrowserItemDataProcPtr p) {
    return p;
}
inline DataBrowserItemCompareUPP NewDataBrowserItemCompareUPP(DataBrowserItemCompareProcPtr p) {
    return p;
}
inline DataBrowserItemNotificationUPP
NewDataBrowserItemNotificationUPP(DataBrowserItemNotificationProcPtr p) {
    return p;
}
inline DataBrowserAddDragItemUPP NewDataBrowserAddDragItemUPP(DataBrowserAddDragItemProcPtr p) {
    return p;
}
inline DataBrowserAcceptDragUPP NewDataBrowserAcceptDragUPP(DataBrowserAcceptDragProcPtr p) {
    return p;
}
inline DataBrowserReceiveDragUPP NewDataBrowserReceiveDragUPP(DataBrowserReceiveDragProcPtr p) {
    return p;
}
inline DataBrowserItemHelpContentUPP
NewDataBrowserItemHelpContentUPP(DataBrowserItemHelpContentProcPtr p) {
    return p;
}
inline DataBrowserGetContextualMenuUPP
NewDataBrowserGetContextualMenuUPP(DataBrowserGetContextualMenuProcPtr p) {
    return p;
}
inline DataBrowserSelectContextualMenuUPP
NewDataBrowserSelectContextualMenuUPP(DataBrowserSelectContextualMenuProcPtr p) {
    return p;
}

enum : UInt32 { kDataBrowserLatestCallbacks = 0 };
struct DataBrowserCallbacks {
    UInt32 version; // kDataBrowserLatestCallbacks
    union {
        struct {
            DataBrowserItemDataUPP itemDataCallback;
            DataBrowserItemCompareUPP itemCompareCallback;
            DataBrowserItemNotificationUPP itemNotificationCallback;
            DataBrowserAddDragItemUPP addDragItemCallback;
            DataBrowserAcceptDragUPP acceptDragCallback;
            DataBrowserReceiveDragUPP receiveDragCallback;
            DataBrowserItemHelpContentUPP itemHelpContentCallback;
            DataBrowserGetContextualMenuUPP getContextualMenuCallback;
            DataBrowserSelectContextualMenuUPP selectContextualMenuCallback;
        } v1;
    } u;
};

enum : UInt32 { kDataBrowserListViewLatestHeaderDesc = 0 };
struct DataBrowserListViewHeaderDesc {
    UInt32 version; // kDataBrowserListViewLatestHeaderDesc
    UInt16 minimumWidth;
    UInt16 maximumWidth;
    SInt16 titleOffset;
    CFStringRef titleString; // Get lends the browser's string; Set copies it
    DataBrowserSortOrder initialOrder;
};

// Clears every callback (null: the browser shows empty cells and keeps the add order); the
// version must be set first. paramErr for another version.
OSStatus InitDataBrowserCallbacks(DataBrowserCallbacks* callbacks);
OSStatus SetDataBrowserCallbacks(ControlRef browser, const DataBrowserCallbacks* callbacks);

// Items. The container is always kDataBrowserNoItem (a flat list). Ids already present are
// not added twice; removing with no ids (numItems 0) removes every row. Selected rows that are
// removed are deselected first, with their notification.
OSStatus AddDataBrowserItems(ControlRef browser, DataBrowserItemID container, ItemCount numItems,
                             const DataBrowserItemID* items, DataBrowserPropertyID preSortProperty);
OSStatus RemoveDataBrowserItems(ControlRef browser, DataBrowserItemID container, ItemCount numItems,
                                const DataBrowserItemID* items,
                                DataBrowserPropertyID preSortProperty);
// Shows the rows' cells anew (asking the callbacks) and sorts again; no ids means all rows.
OSStatus UpdateDataBrowserItems(ControlRef browser, DataBrowserItemID container, ItemCount numItems,
                                const DataBrowserItemID* items,
                                DataBrowserPropertyID preSortProperty,
                                DataBrowserPropertyID propertyID);
// Fills the handle (resized) with the ids of the rows in the state (selected, not selected, or
// any), in the order shown; memFullErr when the handle cannot grow.
OSStatus GetDataBrowserItems(ControlRef browser, DataBrowserItemID container, Boolean recurse,
                             DataBrowserItemState state, Handle items);
OSStatus GetDataBrowserItemCount(ControlRef browser, DataBrowserItemID container, Boolean recurse,
                                 DataBrowserItemState state, ItemCount* numItems);
// Changes the selection; each row that becomes selected or deselected is notified.
OSStatus SetDataBrowserSelectedItems(ControlRef browser, ItemCount numItems,
                                     const DataBrowserItemID* items,
                                     DataBrowserSetOption operation);
// Shows every row active (usable) or inactive (greyed, not selectable).
OSStatus SetDataBrowserActiveItems(ControlRef browser, Boolean active);

// Sorting: by the column whose header was clicked through the compare callback; until a header
// is clicked the rows keep their add order. Clicking a column's header sorts by it, increasing,
// and reverses the order on a second click.
OSStatus SetDataBrowserSortOrder(ControlRef browser, DataBrowserSortOrder order);

// Column headers; errDataBrowserPropertyNotFound for a property the list has no column for.
OSStatus GetDataBrowserListViewHeaderDesc(ControlRef browser, DataBrowserPropertyID property,
                                          DataBrowserListViewHeaderDesc* desc);
OSStatus SetDataBrowserListViewHeaderDesc(ControlRef browser, DataBrowserPropertyID property,
                                          DataBrowserListViewHeaderDesc* desc);

// Answers to the item-data callback, valid only during the call.
OSStatus SetDataBrowserItemDataText(DataBrowserItemDataRef itemData, CFStringRef text);
OSStatus SetDataBrowserItemDataBooleanValue(DataBrowserItemDataRef itemData, Boolean value);
}
