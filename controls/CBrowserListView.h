// The list view: a data browser in list-view mode that shows an array of row objects (address
// entries), which the view owns and retains. Row id i shows element i - 1: every change of the
// array removes all rows and adds the ids 1 to n again, so the ids always follow the array.
// Binding localises the column titles from the view's column table (BrowseListViewIniData).
//
// The window draws a row's cells through the callbacks it gives SetDataCallBack(callbacks); the
// view then is the platform control's reference value (GetControlReference), so that those
// callbacks reach the view and its items. Callbacks the window does not give are harmless
// defaults (no data, compare true, drags accepted, nothing else done).
//
// The value is the item id of the first selected row (0: none), in 4-byte buffers. A list
// view writes nothing into the ticket: its rows reach the ticket through its window.
// Disabling is counted as for every control; while the control is inactive its rows are shown
// inactive and cannot be selected.
#pragma once

#include "CBaseControl.h"

#include <HIDataBrowser.h>

#include <vector>

class CBrowserListView : public CBaseControl {
  public:
    // The item array starts empty; the records are not owned.
    CBrowserListView(const ControlID* controlID, const BrowseListViewIniData* iniData,
                     const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo);
    // Releases the items and clears the control's reference value when it is still this view.
    ~CBrowserListView() override;

    using CBaseControl::InitializeCtrl;
    using CBaseControl::SetValueToTicket;

    // Binding, then the default callbacks, the two zeroed value buffers and the column titles;
    // true when all succeeded.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;
    // Binding to the rebuilt window: default callbacks, column titles, decreasing sort order,
    // and the rows of the items shown again. The buffers keep their values.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // Writes nothing; true.
    bool SetValueToTicket(OpaquePMTicketRef* ticket, bool locked) override;
    // Selects exactly the row whose id is the control value (0 selects none).
    bool SetControlValueToUI() override;
    // Selects exactly the row whose 32-bit id value points to; the size is not used.
    bool SetExternalValueToUI(void* value, int size) override;
    // The base reset, and every row active.
    void ResetStatus() override;
    // The second and third words of the ini data, 4 bytes each.
    void* GetDefaultDataBlk() override;
    int GetDefaultDataSize() override;
    void* GetIniDataBlk() override;
    int GetIniDataSize() override;
    // Counted enable and disable; the rows are shown as active as the control and redrawn.
    void Enable() override;
    void Disable() override;
    // The control value as decimal text, and back.
    bool ConvertFromPreferenceString(char* text) override;
    bool ConvertToPreferenceString(char* buffer) override;
    // The first selected id - 1; -1 when nothing is selected.
    int GetCurrentControlArrayNumber() override;
    // The first selected id into the UI value; null (the UI value untouched) when nothing is
    // selected or the selection cannot be read.
    void* GetValueFromUI() override;

    // Installs the window's callbacks (the default for each one not given, or for all without
    // callbacks), sorts increasing, and makes this view the control's reference value.
    virtual bool SetDataCallBack(DataBrowserCallbacks* callbacks);
    // A new array (delete[] it) of the row ids 1 to n; returns n, 0 (no array) when there are
    // no rows or they cannot be counted.
    virtual int GetDisableList(int** ids);
    virtual int GetEnableList(int** ids);

    // Installs the default callbacks; the reference value is not changed.
    bool SetDataCallBack();
    // Every column of the column table gets its localised title; false without a table or a
    // bound control, or when a title cannot be found, localised or set (later columns then
    // keep their nib titles).
    bool InitializeColumnTitle();
    // Shows the items anew as rows 1 to n.
    void UpdateView();
    // Appends every element of the array (retained); null adds nothing.
    void AddItems(CFArrayRef items);
    void ClearItems();
    CFIndex CountItems();
    // A new array (the caller releases it) of the selected rows' elements, in the order in
    // which the data browser reports the selection; null when nothing is selected or the
    // selection cannot be read.
    CFMutableArrayRef CopySelectedItems();
    // Removes the selected rows' elements, in whatever order the selection is reported.
    void RemoveSelectedItems();
    // Shows every row active (inactive); the arguments are not used.
    void ActiveListItem(int* ids, int count);
    void DeactiveListItem(int* ids, int count);
    // The items, borrowed: element i - 1 is shown by row id i.
    CFArrayRef GetItems() const { return items_; }

  private:
    // The selected ids in the order the data browser reports them; empty when none is
    // selected or the selection cannot be read.
    std::vector<DataBrowserItemID> SelectedIDs(bool recurse) const;
    // Installs the given callbacks, the default for each one not given.
    bool InstallCallbacks(const DataBrowserCallbacks* callbacks);
    // The number of rows the data browser shows; false when it cannot count them.
    bool CountRows(ItemCount& count) const;
    // Has the data browser draw every row anew.
    void RedrawRows();
    // The ids 1 to n of the rows shown, as a new array; n, or 0 (no array) without rows.
    int CopyRowIDs(int** ids);
    // Selects exactly that row; false when not bound.
    bool SelectRow(DataBrowserItemID id);

    const BrowseListViewIniData* iniData_ = nullptr;
    CFMutableArrayRef items_ = nullptr;
    std::vector<DataBrowserItemID> itemIDs_; // 1 to n, as handed to the data browser
};
