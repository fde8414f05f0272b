// The data browser calls, over the browser's model.
#include "MacErrors.h"
#include "Private/ControlBehaviour.h"
#include "Private/DataBrowserModel.h"
#include "Private/StringBridge.h"

#include <QTreeView>

namespace {

DataBrowserModel* modelOf(ControlRef control) {
    control = hitoolbox::liveControl(control);
    return control && control->kind == ControlKind::DataBrowser ? control->browser : nullptr;
}

std::vector<DataBrowserItemID> idsOf(ItemCount numItems, const DataBrowserItemID* items) {
    return items ? std::vector<DataBrowserItemID>(items, items + numItems)
                 : std::vector<DataBrowserItemID>();
}

// Runs the change on the browser's model: errUnknownControl for another control, paramErr
// for a container (the list is flat).
template <class Change>
OSStatus onModel(ControlRef browser, DataBrowserItemID container, Change change) {
    DataBrowserModel* model = modelOf(browser);
    if (!model) return errUnknownControl;
    if (container != kDataBrowserNoItem) return paramErr;
    change(*model);
    return noErr;
}

// Sets a sorting field and sorts again.
template <class T> OSStatus setSorting(ControlRef browser, T DataBrowserModel::*field, T value) {
    return onModel(browser, kDataBrowserNoItem, [&](DataBrowserModel& model) {
        model.*field = value;
        model.refresh();
    });
}

template <class T> OSStatus getSorting(ControlRef browser, T DataBrowserModel::*field, T* out) {
    if (!out) return paramErr;
    return onModel(browser, kDataBrowserNoItem,
                   [&](DataBrowserModel& model) { *out = model.*field; });
}

// Runs the action on the column of the property, after checking the browser, the description's
// version and that the list has such a column.
template <class Action>
OSStatus onColumn(ControlRef browser, DataBrowserPropertyID property,
                  const DataBrowserListViewHeaderDesc* desc, Action action) {
    DataBrowserModel* model = modelOf(browser);
    if (!model) return errUnknownControl;
    if (!desc || desc->version != kDataBrowserListViewLatestHeaderDesc) return paramErr;
    DataBrowserModel::Column* column = model->column(property);
    if (!column) return errDataBrowserPropertyNotFound;
    action(*model, *column);
    return noErr;
}

} // namespace

void hitoolbox::attachDataBrowser(ControlRef control) {
    control->browser =
        new DataBrowserModel(control, static_cast<QTreeView*>(control->widget.data()));
}

OSStatus InitDataBrowserCallbacks(DataBrowserCallbacks* callbacks) {
    if (!callbacks || callbacks->version != kDataBrowserLatestCallbacks) return paramErr;
    *callbacks = DataBrowserCallbacks{};
    return noErr;
}

OSStatus SetDataBrowserCallbacks(ControlRef browser, const DataBrowserCallbacks* callbacks) {
    if (!callbacks || callbacks->version != kDataBrowserLatestCallbacks) return paramErr;
    return onModel(browser, kDataBrowserNoItem, [&](DataBrowserModel& model) {
        model.callbacks = *callbacks;
        model.refresh();
    });
}

OSStatus AddDataBrowserItems(ControlRef browser, DataBrowserItemID container, ItemCount numItems,
                             const DataBrowserItemID* items, DataBrowserPropertyID) {
    if (numItems && !items) return paramErr;
    return onModel(browser, container,
                   [&](DataBrowserModel& model) { model.addItems(idsOf(numItems, items)); });
}

OSStatus RemoveDataBrowserItems(ControlRef browser, DataBrowserItemID container, ItemCount numItems,
                                const DataBrowserItemID* items, DataBrowserPropertyID) {
    return onModel(browser, container, [&](DataBrowserModel& model) {
        model.removeItems(numItems ? idsOf(numItems, items) : std::vector<DataBrowserItemID>());
    });
}

OSStatus UpdateDataBrowserItems(ControlRef browser, DataBrowserItemID container, ItemCount,
                                const DataBrowserItemID*, DataBrowserPropertyID,
                                DataBrowserPropertyID) {
    return onModel(browser, container, [](DataBrowserModel& model) { model.refresh(); });
}

OSStatus GetDataBrowserItems(ControlRef browser, DataBrowserItemID container, Boolean,
                             DataBrowserItemState state, Handle items) {
    if (!items) return paramErr;
    bool grown = true;
    const OSStatus status = onModel(browser, container, [&](DataBrowserModel& model) {
        const std::vector<DataBrowserItemID> ids = model.itemsInState(state);
        const Size size = Size(ids.size() * sizeof(DataBrowserItemID));
        SetHandleSize(items, size);
        grown = GetHandleSize(items) == size;
        if (grown && !ids.empty())
            std::copy(ids.begin(), ids.end(), reinterpret_cast<DataBrowserItemID*>(*items));
    });
    return status == noErr && !grown ? memFullErr : status;
}

OSStatus GetDataBrowserItemCount(ControlRef browser, DataBrowserItemID container, Boolean,
                                 DataBrowserItemState state, ItemCount* numItems) {
    if (!numItems) return paramErr;
    return onModel(browser, container, [&](DataBrowserModel& model) {
        *numItems = ItemCount(model.itemsInState(state).size());
    });
}

OSStatus SetDataBrowserSelectedItems(ControlRef browser, ItemCount numItems,
                                     const DataBrowserItemID* items,
                                     DataBrowserSetOption operation) {
    if (numItems && !items) return paramErr;
    return onModel(browser, kDataBrowserNoItem, [&](DataBrowserModel& model) {
        model.changeSelection(idsOf(numItems, items), operation);
    });
}

OSStatus SetDataBrowserActiveItems(ControlRef browser, Boolean active) {
    return onModel(browser, kDataBrowserNoItem,
                   [&](DataBrowserModel& model) { model.setItemsActive(active); });
}

OSStatus SetDataBrowserSortOrder(ControlRef browser, DataBrowserSortOrder order) {
    return setSorting(browser, &DataBrowserModel::sortOrder, order);
}

OSStatus GetDataBrowserListViewHeaderDesc(ControlRef browser, DataBrowserPropertyID property,
                                          DataBrowserListViewHeaderDesc* desc) {
    return onColumn(
        browser, property, desc,
        [&](DataBrowserModel&, DataBrowserModel::Column& column) { *desc = column.header; });
}

OSStatus SetDataBrowserListViewHeaderDesc(ControlRef browser, DataBrowserPropertyID property,
                                          DataBrowserListViewHeaderDesc* desc) {
    return onColumn(
        browser, property, desc, [&](DataBrowserModel& model, DataBrowserModel::Column& column) {
            column.title.reset(desc->titleString ? CFStringCreateCopy(nullptr, desc->titleString)
                                                 : nullptr);
            column.header = *desc;
            column.header.titleString = column.title.get();
            model.refresh();
        });
}

OSStatus SetDataBrowserItemDataText(DataBrowserItemDataRef itemData, CFStringRef text) {
    if (!itemData) return paramErr;
    static_cast<DataBrowserCell*>(itemData)->text = hitoolbox::toQString(text);
    return noErr;
}

OSStatus SetDataBrowserItemDataBooleanValue(DataBrowserItemDataRef itemData, Boolean value) {
    if (!itemData) return paramErr;
    auto* cell = static_cast<DataBrowserCell*>(itemData);
    cell->hasBoolean = true;
    cell->boolean = value;
    return noErr;
}
