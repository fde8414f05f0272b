// Popup menus over a QComboBox's item model. A disabled item cannot be picked; an item's
// command is kept in its data.
#include "MacErrors.h"
#include "Private/StringBridge.h"
#include "Private/ToolboxObjects.h"

#include <QComboBox>
#include <QStandardItemModel>

using hitoolbox::liveMenu;

namespace {

constexpr int commandRole = Qt::UserRole + 1;

QComboBox* comboOf(MenuRef menu) {
    return (menu = liveMenu(menu)) ? static_cast<QComboBox*>(menu->popup->widget.data()) : nullptr;
}

// The combo's item; null for an index outside 1...count or a model without items.
QStandardItem* itemOf(QComboBox* combo, MenuItemIndex index) {
    auto* model = qobject_cast<QStandardItemModel*>(combo->model());
    return model && index >= 1 && index <= combo->count() ? model->item(index - 1) : nullptr;
}

void setItemEnabled(MenuRef menu, MenuItemIndex index, bool enabled) {
    QComboBox* combo = comboOf(menu);
    if (!combo) return;
    if (QStandardItem* item = itemOf(combo, index)) item->setEnabled(enabled);
}

void setCommandEnabled(MenuRef menu, MenuCommand commandID, bool enabled) {
    QComboBox* combo = comboOf(menu);
    if (!combo) return;
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemData(i, commandRole).toUInt() == commandID)
            setItemEnabled(menu, MenuItemIndex(i + 1), enabled);
}

} // namespace

UInt16 CountMenuItems(MenuRef menu) {
    QComboBox* combo = comboOf(menu);
    return combo ? UInt16(combo->count()) : 0;
}

OSStatus DeleteMenuItems(MenuRef menu, MenuItemIndex firstItem, ItemCount numItems) {
    QComboBox* combo = comboOf(menu);
    if (!combo) return paramErr;
    if (firstItem < 1) return paramErr;
    hitoolbox::changeProgrammatically(menu->popup, [&] {
        for (ItemCount i = 0; i < numItems && firstItem <= combo->count(); ++i)
            combo->removeItem(firstItem - 1);
    });
    return noErr;
}

OSStatus AppendMenuItemTextWithCFString(MenuRef menu, CFStringRef text, MenuItemAttributes,
                                        MenuCommand commandID, MenuItemIndex* outNewItem) {
    QComboBox* combo = comboOf(menu);
    if (!combo || !text) return paramErr;
    hitoolbox::changeProgrammatically(menu->popup, [&] {
        combo->addItem(hitoolbox::toQString(text));
        combo->setItemData(combo->count() - 1, commandID, commandRole);
    });
    if (outNewItem) *outNewItem = MenuItemIndex(combo->count());
    return noErr;
}

OSStatus CopyMenuItemTextAsCFString(MenuRef menu, MenuItemIndex item, CFStringRef* outString) {
    QComboBox* combo = comboOf(menu);
    if (!combo || !outString || item < 1 || item > combo->count()) return paramErr;
    *outString = hitoolbox::createCFString(combo->itemText(item - 1));
    return noErr;
}

void EnableMenuItem(MenuRef menu, MenuItemIndex item) {
    setItemEnabled(menu, item, true);
}

void DisableMenuItem(MenuRef menu, MenuItemIndex item) {
    setItemEnabled(menu, item, false);
}

Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item) {
    QComboBox* combo = comboOf(menu);
    QStandardItem* entry = combo ? itemOf(combo, item) : nullptr;
    return entry && entry->isEnabled();
}

void EnableMenuCommand(MenuRef menu, MenuCommand commandID) {
    setCommandEnabled(menu, commandID, true);
}
