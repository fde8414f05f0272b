// The address-book file popup: its menu from the folder's file list, its value as a path.
#include "AddressFilePopupList.h"

#include <PlugInIdentity.h>

#include <Menus.h>
#include <QrolKit.h>

#include <algorithm>
#include <cstdint>

AddressFilePopupList::AddressFilePopupList(const ControlID* controlID,
                                           const ListPopupIniData* iniData,
                                           const ConstrainInfo* constrainInfo,
                                           const ControlAccessInfo* accessInfo)
    : CListControl(controlID, iniData, constrainInfo, accessInfo),
      directory_(QrolGADFile_GetFileDirectory()) {}

AddressFilePopupList::~AddressFilePopupList() = default;

bool AddressFilePopupList::InitializeMenu(OpaqueWindowPtr*, OpaqueControlRef*, __CFBundle* bundle,
                                          ppd_file_t*) {
    ReInitializeMenu(bundle);
    SetControlValue(controlHandle_, 1);
    return true;
}

bool AddressFilePopupList::ReInitializeCtrl(OpaqueWindowPtr* window) {
    if (!CBaseControl::InitializeCtrl(window)) return false;
    return ReInitializeMenu(GetAppBundleRef());
}

bool AddressFilePopupList::ReInitializeMenu(__CFBundle*) {
    MenuRef menu = GetControlPopupMenuHandle(controlHandle_);
    if (menu) DeleteMenuItems(menu, 1, CountMenuItems(menu));
    const CFStringRef list = directory_ ? QrolGADFile_GetFileList() : nullptr;
    fileNames_.reset(list ? CreateFileNames(list) : nullptr);
    const CFIndex count = CountFiles();
    for (CFIndex index = 0; menu && index < count; ++index) {
        const auto name = static_cast<CFStringRef>(CFArrayGetValueAtIndex(fileNames_.get(), index));
        AppendMenuItemTextWithCFString(menu, name, 0, 0, nullptr);
    }
    if (count == 0) {
        Disable();
        return true;
    }
    SetControlMinimum(controlHandle_, 1);
    SetControlMaximum(controlHandle_, SInt16(std::min<CFIndex>(count, INT16_MAX)));
    return true;
}

CFArrayRef AddressFilePopupList::CreateFileNames(CFStringRef list) {
    const UniChar zero = 0;
    const CFRef<CFStringRef> separator(CFStringCreateWithCharacters(nullptr, &zero, 1));
    const CFRef<CFArrayRef> pieces(
        CFStringCreateArrayBySeparatingStrings(nullptr, list, separator.get()));
    if (!pieces) return nullptr;
    CFMutableArrayRef names = CFArrayCreateMutableCopy(nullptr, 0, pieces.get());
    if (names) CFArrayRemoveValueAtIndex(names, CFArrayGetCount(names) - 1);
    return names;
}

CFIndex AddressFilePopupList::CountFiles() const {
    return fileNames_ ? CFArrayGetCount(fileNames_.get()) : 0;
}

void* AddressFilePopupList::GetValueFromUI() {
    MenuRef menu = GetControlPopupMenuHandle(controlHandle_);
    if (!menu) return nullptr;
    CFStringRef name = nullptr;
    if (CopyMenuItemTextAsCFString(menu, MenuItemIndex(ScreenItem()), &name) != noErr || !name) {
        // Nothing listed: an earlier path would name a file that is no longer offered.
        selectedPath_.reset();
        return nullptr;
    }
    const CFRef<CFStringRef> chosen(name);
    selectedPath_.reset(
        CFStringCreateWithFormat(nullptr, nullptr, CFSTR("%@/%@"), directory_.get(), name));
    return const_cast<__CFString*>(selectedPath_.get());
}

CFStringRef AddressFilePopupList::GetSelectedFilePath() {
    return static_cast<CFStringRef>(GetValueFromUI());
}
