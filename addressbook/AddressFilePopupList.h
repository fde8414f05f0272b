// The popup of address-book files on the fax settings sheet: one item per file of the
// address-book folder (QrolKit), in name order; its value is the chosen item, and
// GetValueFromUI gives the chosen file's full path. Without a folder or a file the popup is
// disabled (one more disable count).
#pragma once

#include <CListControl.h>

#include <CFArray.h>
#include <CFRef.h>
#include <CFString.h>

class AddressFilePopupList : public CListControl {
  public:
    // The list base; the address-book folder is asked once here and kept (null when it
    // cannot be had).
    AddressFilePopupList(const ControlID* controlID, const ListPopupIniData* iniData,
                         const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo);

    using CListControl::InitializeCtrl;
    using CListControl::InitializeMenu;

    // Binds to the rebuilt window, then lists the files again; false when binding fails.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    ~AddressFilePopupList() override;
    // The full path (folder "/" name) of the file chosen on screen, as a CFStringRef owned by
    // the popup and valid until the next call; null without a menu or when no file is listed.
    void* GetValueFromUI() override;
    // Lists the files (ReInitializeMenu) and chooses the first. True.
    bool InitializeMenu(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;

    // Replaces the menu's items by the names of the folder's files and sets the range 1 to
    // their number; disables the popup when there is no folder or no file. The bundle is not
    // used. True.
    virtual bool ReInitializeMenu(__CFBundle* bundle);

    // The number of files listed by the last fill (0 before it).
    CFIndex CountFiles() const;
    // GetValueFromUI as a string (owned by the popup, as there).
    CFStringRef GetSelectedFilePath();

    // The names of a file list whose names are each followed by U+0000, as a new array (the
    // caller releases it): the piece after the last separator, empty in a well-formed list, is
    // dropped. Null when the array cannot be made.
    static CFArrayRef CreateFileNames(CFStringRef list);

  private:
    CFRef<CFArrayRef> fileNames_;
    CFRef<CFStringRef> directory_;
    CFRef<CFStringRef> selectedPath_;
};
