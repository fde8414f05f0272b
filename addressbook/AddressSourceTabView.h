// The address window's tab view: tab 1 the address-book file, tab 2 the device's address data.
// Showing a tab (a click on it, or the window presenting itself) loads that tab's source afresh
// and shows the destination list in that tab's destination view.
#pragma once

#include <CTabView.h>

class AddressSourceTabView : public CTabView {
  public:
    using CTabView::CTabView;
    ~AddressSourceTabView() override;

    // Shows the tab, then loads its source into the owner address window and refills the tab's
    // destination view. False (nothing loaded) for a tab that does not exist; else true,
    // whatever the load gave.
    bool selectTab(unsigned short tab) override;
};
