#include "AddressSourceTabView.h"

#include "AddressSettingWindow.h"

#include <CBrowserListView.h>
#include <ControlDefinitionTables.h>

AddressSourceTabView::~AddressSourceTabView() = default;

bool AddressSourceTabView::selectTab(unsigned short tab) {
    if (!CTabView::selectTab(tab)) return false;
    auto* window = dynamic_cast<AddressSettingWindow*>(GetOwnerPanel());
    if (!window) return true;
    const ControlID* destination = &AddressBookDestTableViewCtrlID;
    if (tab == 1) {
        window->InitAddressBookTableView();
    } else {
        window->InitDeviceDataTableView();
        destination = &DeviceDataDestTableViewCtrlID;
    }
    if (auto* view = dynamic_cast<CBrowserListView*>(window->GetPanelControl(destination)))
        window->InitDestinationView(view);
    return true;
}
