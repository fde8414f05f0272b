// The list view: the item array shown as rows, the selection, activation, column titles and the
// default callbacks.
#include "CBrowserListView.h"
#include "LocalizedTitle.h"

#include <PlugInIdentity.h>

#include <CFRef.h>
#include <MacErrors.h>
#include <MacMemory.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>

namespace {

// The callbacks a list view has when its window gives none.
OSStatus StandardGetSetItemData(ControlRef, DataBrowserItemID, DataBrowserPropertyID,
                                DataBrowserItemDataRef, Boolean) {
    return noErr;
}

Boolean StandardItemComparison(ControlRef, DataBrowserItemID, DataBrowserItemID,
                               DataBrowserPropertyID) {
    return true;
}

void StandardItemNotification(ControlRef, DataBrowserItemID, DataBrowserItemNotification) {}

Boolean StandardAddDragItem(ControlRef, DragReference, DataBrowserItemID, ItemReference*) {
    return true;
}

Boolean StandardAcceptDrag(ControlRef, DragReference, DataBrowserItemID) {
    return true;
}

Boolean StandardReceiveDrag(ControlRef, DragReference, DataBrowserItemID) {
    return true;
}

void StandardItemHelpContent(ControlRef, DataBrowserItemID, DataBrowserPropertyID, HMContentRequest,
                             HMContentProvidedType*, HMHelpContentPtr) {}

void StandardGetContextualMenu(ControlRef, MenuRef*, UInt32*, CFStringRef*, AEDesc*) {}

void StandardSelectContextualMenu(ControlRef, MenuRef, UInt32, SInt16, MenuItemIndex) {}

template <class UPP> UPP givenOr(UPP given, UPP standard) {
    return given ? given : standard;
}

constexpr int kValueSize = sizeof(SInt32);

} // namespace

CBrowserListView::CBrowserListView(const ControlID* controlID, const BrowseListViewIniData* iniData,
                                   const ConstrainInfo* constrainInfo,
                                   const ControlAccessInfo* accessInfo)
    : CBaseControl(controlID, constrainInfo, accessInfo), iniData_(iniData),
      items_(CFArrayCreateMutable(nullptr, 0, &kCFTypeArrayCallBacks)) {
    dataSize_ = kValueSize;
}

CBrowserListView::~CBrowserListView() {
    if (items_) CFRelease(items_);
    if (controlHandle_ && GetControlReference(controlHandle_) == this)
        SetControlReference(controlHandle_, nullptr);
}

bool CBrowserListView::InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                                      __CFBundle* bundle, ppd_file_t* ppd) {
    if (!CBaseControl::InitializeCtrl(window, parentUserPane, bundle, ppd)) return false;
    SetDataCallBack();
    if (!AllocateValueBuffers(kValueSize)) return false;
    return InitializeColumnTitle();
}

bool CBrowserListView::ReInitializeCtrl(OpaqueWindowPtr* window) {
    if (!CBaseControl::ReInitializeCtrl(window)) return false;
    SetDataCallBack();
    if (!InitializeColumnTitle()) return false;
    SetDataBrowserSortOrder(controlHandle_, kDataBrowserOrderDecreasing);
    UpdateView(); // the rebuilt browser has no rows yet
    return true;
}

bool CBrowserListView::SetValueToTicket(OpaquePMTicketRef*, bool) {
    return true;
}

bool CBrowserListView::SelectRow(DataBrowserItemID id) {
    if (!controlHandle_) return false;
    SetDataBrowserSelectedItems(controlHandle_, 1, &id, kDataBrowserItemsAssign);
    return true;
}

bool CBrowserListView::SetControlValueToUI() {
    return controlValue_ && SelectRow(*static_cast<const DataBrowserItemID*>(controlValue_));
}

bool CBrowserListView::SetExternalValueToUI(void* value, int) {
    return value && SelectRow(*static_cast<const DataBrowserItemID*>(value));
}

void CBrowserListView::ResetStatus() {
    CBaseControl::ResetStatus();
    ActiveListItem(nullptr, 0);
}

void* CBrowserListView::GetDefaultDataBlk() {
    return iniData_ ? const_cast<UInt32*>(&iniData_->reserved[1]) : nullptr;
}

int CBrowserListView::GetDefaultDataSize() {
    return iniData_ ? kValueSize : 0;
}

void* CBrowserListView::GetIniDataBlk() {
    return iniData_ ? const_cast<UInt32*>(&iniData_->reserved[2]) : nullptr;
}

int CBrowserListView::GetIniDataSize() {
    return iniData_ ? kValueSize : 0;
}

void CBrowserListView::Enable() {
    CBaseControl::Enable();
    ItemCount count = 0;
    if (!CountRows(count)) return;
    if (disableCount_ == 0) ActiveListItem(nullptr, 0); // the base has activated the control
    RedrawRows();
}

void CBrowserListView::Disable() {
    CBaseControl::Disable();
    ItemCount count = 0;
    if (!CountRows(count)) return;
    if (disableCount_ != 0) DeactiveListItem(nullptr, 0); // the base has deactivated it
    RedrawRows();
}

bool CBrowserListView::ConvertFromPreferenceString(char* text) {
    return StoreDecimalControlValue(text);
}

bool CBrowserListView::ConvertToPreferenceString(char* buffer) {
    if (!buffer || !controlValue_) return false;
    // "-2147483648" and its NUL at most.
    std::snprintf(buffer, 12, "%d", int(*static_cast<const SInt32*>(controlValue_)));
    return true;
}

int CBrowserListView::GetCurrentControlArrayNumber() {
    const std::vector<DataBrowserItemID> ids = SelectedIDs(false);
    return ids.empty() ? -1 : int(ids.front()) - 1;
}

void* CBrowserListView::GetValueFromUI() {
    if (!uiValue_) return nullptr;
    const std::vector<DataBrowserItemID> ids = SelectedIDs(true);
    if (ids.empty()) return nullptr;
    *static_cast<DataBrowserItemID*>(uiValue_) = ids.front();
    return uiValue_;
}

bool CBrowserListView::InstallCallbacks(const DataBrowserCallbacks* given) {
    if (!controlHandle_) return false;
    DataBrowserCallbacks callbacks{};
    callbacks.version = kDataBrowserLatestCallbacks;
    if (InitDataBrowserCallbacks(&callbacks) != noErr) return false;
    decltype(callbacks.u.v1) none{};
    const auto& from = given ? given->u.v1 : none;
    auto& to = callbacks.u.v1;
    to.itemDataCallback =
        NewDataBrowserItemDataUPP(givenOr(from.itemDataCallback, StandardGetSetItemData));
    to.itemCompareCallback =
        NewDataBrowserItemCompareUPP(givenOr(from.itemCompareCallback, StandardItemComparison));
    to.itemNotificationCallback = NewDataBrowserItemNotificationUPP(
        givenOr(from.itemNotificationCallback, StandardItemNotification));
    to.addDragItemCallback =
        NewDataBrowserAddDragItemUPP(givenOr(from.addDragItemCallback, StandardAddDragItem));
    to.acceptDragCallback =
        NewDataBrowserAcceptDragUPP(givenOr(from.acceptDragCallback, StandardAcceptDrag));
    to.receiveDragCallback =
        NewDataBrowserReceiveDragUPP(givenOr(from.receiveDragCallback, StandardReceiveDrag));
    to.itemHelpContentCallback = NewDataBrowserItemHelpContentUPP(
        givenOr(from.itemHelpContentCallback, StandardItemHelpContent));
    to.getContextualMenuCallback = NewDataBrowserGetContextualMenuUPP(
        givenOr(from.getContextualMenuCallback, StandardGetContextualMenu));
    to.selectContextualMenuCallback = NewDataBrowserSelectContextualMenuUPP(
        givenOr(from.selectContextualMenuCallback, StandardSelectContextualMenu));
    return SetDataBrowserCallbacks(controlHandle_, &callbacks) == noErr;
}

bool CBrowserListView::SetDataCallBack() {
    return InstallCallbacks(nullptr);
}

bool CBrowserListView::SetDataCallBack(DataBrowserCallbacks* callbacks) {
    if (!controlHandle_) return false;
    SetDataBrowserSortOrder(controlHandle_, kDataBrowserOrderIncreasing);
    if (!InstallCallbacks(callbacks)) return false;
    SetControlReference(controlHandle_, this);
    return true;
}

bool CBrowserListView::InitializeColumnTitle() {
    if (!iniData_ || !iniData_->columns || !controlHandle_) return false;
    for (const BrowseListColumn* column = iniData_->columns;
         column->propertyID != kBrowseListColumnsEnd && column->titleKey; ++column) {
        DataBrowserListViewHeaderDesc header{};
        header.version = kDataBrowserListViewLatestHeaderDesc;
        if (GetDataBrowserListViewHeaderDesc(controlHandle_, column->propertyID, &header) != noErr)
            return false;
        const CFRef<CFStringRef> title = CopyLocalizedTitle(GetAppBundleRef(), column->titleKey);
        if (!title) return false;
        header.titleString = title.get();
        if (SetDataBrowserListViewHeaderDesc(controlHandle_, column->propertyID, &header) != noErr)
            return false;
    }
    return true;
}

void CBrowserListView::UpdateView() {
    const CFIndex count = CFArrayGetCount(items_);
    if (controlHandle_)
        RemoveDataBrowserItems(controlHandle_, kDataBrowserNoItem, 0, nullptr,
                               kDataBrowserItemNoProperty);
    itemIDs_.clear();
    if (count <= 0) return;
    itemIDs_.resize(size_t(count));
    for (size_t i = 0; i < itemIDs_.size(); ++i)
        itemIDs_[i] = DataBrowserItemID(i + 1);
    if (controlHandle_)
        AddDataBrowserItems(controlHandle_, kDataBrowserNoItem, itemIDs_.size(), itemIDs_.data(),
                            kDataBrowserItemNoProperty);
}

void CBrowserListView::AddItems(CFArrayRef items) {
    if (!items) return;
    CFArrayAppendArray(items_, items, CFRangeMake(0, CFArrayGetCount(items)));
    UpdateView();
}

void CBrowserListView::ClearItems() {
    CFArrayRemoveAllValues(items_);
    UpdateView();
}

CFIndex CBrowserListView::CountItems() {
    return CFArrayGetCount(items_);
}

CFMutableArrayRef CBrowserListView::CopySelectedItems() {
    const std::vector<DataBrowserItemID> ids = SelectedIDs(false);
    if (ids.empty()) return nullptr;
    CFMutableArrayRef selected =
        CFArrayCreateMutable(nullptr, CFIndex(ids.size()), &kCFTypeArrayCallBacks);
    for (DataBrowserItemID id : ids)
        if (const void* item = CFArrayGetValueAtIndex(items_, CFIndex(id) - 1))
            CFArrayAppendValue(selected, item);
    return selected;
}

void CBrowserListView::RemoveSelectedItems() {
    std::vector<DataBrowserItemID> ids = SelectedIDs(false);
    if (ids.empty()) return;
    // The data browser reports the selection in screen order; removing from the highest id down
    // keeps the indices of the elements still to be removed valid. An id given twice or naming
    // no element removes nothing.
    std::sort(ids.begin(), ids.end(), std::greater<>());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (DataBrowserItemID id : ids)
        if (id >= 1 && CFIndex(id) <= CFArrayGetCount(items_))
            CFArrayRemoveValueAtIndex(items_, CFIndex(id) - 1);
    UpdateView();
}

void CBrowserListView::ActiveListItem(int*, int) {
    if (controlHandle_) SetDataBrowserActiveItems(controlHandle_, true);
}

void CBrowserListView::DeactiveListItem(int*, int) {
    if (controlHandle_) SetDataBrowserActiveItems(controlHandle_, false);
}

int CBrowserListView::GetDisableList(int** ids) {
    return CopyRowIDs(ids);
}

int CBrowserListView::GetEnableList(int** ids) {
    return CopyRowIDs(ids);
}

int CBrowserListView::CopyRowIDs(int** ids) {
    if (!ids) return 0;
    *ids = nullptr;
    ItemCount count = 0;
    if (!CountRows(count) || count == 0 || count > ItemCount(INT_MAX)) return 0;
    *ids = new int[count];
    for (ItemCount i = 0; i < count; ++i)
        (*ids)[i] = int(i + 1);
    return int(count);
}

bool CBrowserListView::CountRows(ItemCount& count) const {
    return controlHandle_ && GetDataBrowserItemCount(controlHandle_, kDataBrowserNoItem, false,
                                                     kDataBrowserItemAnyState, &count) == noErr;
}

void CBrowserListView::RedrawRows() {
    UpdateDataBrowserItems(controlHandle_, kDataBrowserNoItem, itemIDs_.size(), itemIDs_.data(),
                           kDataBrowserItemNoProperty, kDataBrowserItemNoProperty);
}

std::vector<DataBrowserItemID> CBrowserListView::SelectedIDs(bool recurse) const {
    std::vector<DataBrowserItemID> ids;
    if (!controlHandle_) return ids;
    Handle selection = NewHandle(0);
    if (!selection) return ids;
    if (GetDataBrowserItems(controlHandle_, kDataBrowserNoItem, recurse, kDataBrowserItemIsSelected,
                            selection) == noErr) {
        HLock(selection);
        const auto* first = reinterpret_cast<const DataBrowserItemID*>(*selection);
        ids.assign(first, first + size_t(GetHandleSize(selection)) / sizeof(DataBrowserItemID));
        HUnlock(selection);
    }
    DisposeHandle(selection);
    return ids;
}
