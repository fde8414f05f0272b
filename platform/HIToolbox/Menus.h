// Menus. The menus here are those of popup buttons: a MenuRef stands for the item list of a
// popup button (GetControlPopupMenuHandle) and lives as long as the button. Items count from 1.
#pragma once

#include "MacMemory.h"

#include <CFString.h>

extern "C" {

typedef struct OpaqueMenuRef* MenuRef;
typedef UInt16 MenuItemIndex;
typedef UInt32 MenuCommand;
typedef UInt32 MenuItemAttributes;

UInt16 CountMenuItems(MenuRef menu); // 0 for a null or stale menu
// Deletes numItems items from firstItem on (items past the end are ignored).
OSStatus DeleteMenuItems(MenuRef menu, MenuItemIndex firstItem, ItemCount numItems);
// Appends an item with the text and command; its index goes to outNewItem when given.
OSStatus AppendMenuItemTextWithCFString(MenuRef menu, CFStringRef text,
                                        MenuItemAttributes attributes, MenuCommand commandID,
                                        MenuItemIndex* outNewItem);
// A new string with the item's text, which the caller releases; paramErr for a bad index.
OSStatus CopyMenuItemTextAsCFString(MenuRef menu, MenuItemIndex item, CFStringRef* outString);
// Items count from 1; an index outside the menu changes nothing.
void EnableMenuItem(MenuRef menu, MenuItemIndex item);
void DisableMenuItem(MenuRef menu, MenuItemIndex item);
Boolean IsMenuItemEnabled(MenuRef menu, MenuItemIndex item);
// Enables the items that carry the command; a null menu (the menu bar) has none here.
void EnableMenuCommand(MenuRef menu, MenuCommand commandID);
}
