// A tab view: titles its tabs with the localisation of the ini data's keys and shows the pane
// of the chosen tab, hiding the others. Tabs count from 1.
#pragma once

#include "CBaseControl.h"

class CTabView : public CBaseControl {
  public:
    // Keeps the records (not owned); data size 4, no tabs counted yet, current tab 1.
    CTabView(const ControlID* controlID, const TabViewIniData* iniData,
             const ConstrainInfo* constrainInfo, const ControlAccessInfo* accessInfo);
    ~CTabView() override;

    using CBaseControl::InitializeCtrl;
    // Bind and title the tabs again, keeping the current tab.
    bool ReInitializeCtrl(OpaqueWindowPtr* window) override;
    // The base sequence; then, when the user picked another tab, selectTab with it.
    bool UIEventHandler() override;
    // Bind, count the tabs, take the ini data's initial tab as the current one and title the
    // tabs; a tab that gets a title shows its pane exactly when it is the current tab. False on
    // any platform error.
    bool InitializeCtrl(OpaqueWindowPtr* window, OpaqueControlRef* parentUserPane,
                        __CFBundle* bundle, ppd_file_t* ppd) override;

    // Shows tab's pane and hides the others; false (nothing changed) for a tab that does not
    // exist or on a platform error.
    virtual bool selectTab(unsigned short tab);
    // The current tab, 1-based.
    virtual unsigned short getCurrentTabIndex();

  protected:
    const TabViewIniData* iniData_;
    UInt16 tabCount_ = 0;
    UInt16 currentTab_ = 1;

  private:
    bool InitializeTabTitles();
    OSErr SetPaneVisibility(UInt16 tab, bool visible);
};
