// The base of the fax pane and of every child window: it keeps an ordered list of control
// wrappers and an ordered list of child windows (neither owned: the derived class that made
// them deletes them) and turns each life-cycle step of the print dialog into one call on every
// control, in the order they were added, then one call on every child window, which does the
// same for its own. It also builds the pane from the plug-in's nib, watches the dialog's Print
// button, keeps the current printer's ID string and print session, and hands the instance's
// constraint table to every window.
//
// Walks skip null controls and ignore the controls' answers; a walk over the child windows
// stops at the first child whose call answers non-zero (GetValueFromPreset: not true). Walks
// answer 0 unless their comment says otherwise.
//
// The virtual operations keep this slot order; a derived class appends its own after the last.
#pragma once

#include <CBaseControl.h>
#include <ConstraintTable.h>

#include <CFArray.h>
#include <CFBundle.h>
#include <CFRef.h>
#include <CFString.h>
#include <CarbonEvents.h>
#include <Controls.h>
#include <PMCore.h>
#include <PMPrintingDialogExtensions.h>
#include <PMTicket.h>

#include <cups/ppd.h>

class CBasePrintPanel {
  public:
    // Empty lists; every other field zero or null.
    CBasePrintPanel();
    CBasePrintPanel(const CBasePrintPanel&) = delete;
    CBasePrintPanel& operator=(const CBasePrintPanel&) = delete;

    // Controls: Open (context). Children: Open (context).
    virtual OSStatus Open(PMPDEContext context);
    // Controls: Close (context). Children: Close (context).
    virtual OSStatus Close(PMPDEContext context);
    // Controls and children append their titles and values.
    virtual OSStatus GetSummaryText(CFMutableArrayRef titles, CFMutableArrayRef values);
    // Children only: Terminate (context, status).
    virtual OSStatus Terminate(PMPDEContext context, OSStatus status);
    // Controls: SetDefaultValueToUI, then SimulationUIEventHandler.
    virtual OSStatus SetDefaultValueToUI();
    // Controls: every SetControlValueToUI, then every SimulationUIEventHandler. Children too.
    virtual OSStatus SetCurrentValueToUI();
    // Controls: the three-argument form when the list (of ControlID pointers whose values are
    // written obscured) is given, else the two-argument form. Children: the three-argument form.
    virtual OSStatus SetValueToTicket(PMTicketRef ticket, Boolean locked,
                                      CFMutableArrayRef encryptedControls);
    virtual OSStatus SetValueToTicket(PMTicketRef ticket, Boolean locked);
    // Controls: GetValueFromUI and, when it read something, SetValueFromUIToControl.
    virtual OSStatus SetValueFromUIToControl();
    virtual OSStatus SetValueToPreference();
    // Controls: GetValueToPreference, falling back to SetControlValueToDefault.
    virtual OSStatus GetValueFromPreference();
    // Controls with a ControlID: ResetStatus. Children: ResetControlStatus. Then the
    // installable controls are constrained from the current session's PPD, when there is one.
    virtual OSStatus ResetControlStatus();
    // Controls: GetValueToPreset, falling back to SetControlValueToDefault. Children stop the
    // walk by answering false. Always true.
    virtual Boolean GetValueFromPreset();
    virtual OSStatus SetUIDataToDefault();
    virtual OSStatus SetUIDataToIniData();
    virtual CFArrayRef GetPrinterSupporttedListRef(); // null
    // Asked when the dialog's Print is pressed; false holds the print back. Base: true.
    virtual Boolean OnClickPrintCommand();
    virtual Boolean ValidateUserPane(); // true
    // Releases the lists, the printer string and the print-button handler.
    virtual ~CBasePrintPanel();
    // The first control of this panel (control list, then installable-control list) with an
    // equal ControlID, else the first answer of the child windows in order; null for none.
    virtual CBaseControl* GetPanelControl(const ControlID* controlID);
    virtual OSStatus DisablePanelControlConstrains();
    virtual OSStatus DoPanelControlHideConstrain();
    virtual OSStatus DoPanelControlSelfUpdate();
    virtual OSStatus DoPanelControlUpdateConstrain();
    // Builds the pane from the nib window named by the user-pane identity into the dialog's
    // parent user pane: grows the parent to the nib pane's size, installs the print-button
    // handler on the parent's window, binds the controls, installs their handlers, initialises
    // the child windows, centres and embeds the nib pane, constrains from the PPD. A nib,
    // window or user pane that cannot be had leaves the parent untouched and installs no
    // print-button handler; the controls are bound to whatever window there is (or none).
    virtual OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                        CFBundleRef bundle, ppd_file_t* ppd);
    // Children: InitializeUserPane with the same arguments.
    virtual OSStatus InitilaizeChildWindow(PMPDEContext context, ControlRef parentUserPane,
                                           CFBundleRef bundle, ppd_file_t* ppd);
    // Controls: the four-argument InitializeCtrl.
    virtual OSStatus InitializeUserPaneControl(WindowRef window, ControlRef parentUserPane,
                                               CFBundleRef bundle, ppd_file_t* ppd);
    // Controls: ReInitializeCtrl (window), then ResetStatus.
    virtual OSStatus ReInitializeUserPaneControl(WindowRef window);
    // Installs Control_DefaultCommandHandler for the control-hit event on every bound control.
    // A derived class calls this first, then installs its own button handlers.
    virtual OSStatus SetControlEventHandler();
    virtual CFArrayRef GetPrintSupporttedListRef(); // null

    // Controls: UpdateConflictsPanelControlFromPPD.
    OSStatus UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd);
    // Installable controls only: ConstrainPanelControlFromPPD.
    OSStatus ConstrainPanelControlFromPPD(ppd_file_t* ppd);

    // Each add makes this panel the control's owner (the child's parent) and answers the
    // index of the new entry; 0 without adding when the list could not be made.
    UInt32 RunTimeAddNewControl(CBaseControl* control);
    UInt32 RunTimeAddNewInstallableControl(CBaseControl* control);
    UInt32 RunTimeAddNewWindow(CBasePrintPanel* window);
    void SetParenetPane(CBasePrintPanel* pane) { parentPane_ = pane; }
    CBasePrintPanel* GetParentPane() const { return parentPane_; }

    // Stores the table (not owned) here and in every child window.
    void SetxppdPtr(ConstraintTable* table);
    ConstraintTable* GetxppdPtr() const { return xppdPtr_; }

    // Stores the session and refreshes the printer ID string here and in every child window;
    // false when the printer cannot be had (here or in a child).
    Boolean SetCurrentPrinterString(PMPrintSession session);
    CFStringRef GetCurrentPrinterString() const { return currentPrinterString_.get(); }
    void SetCurrentPrintSession(PMPrintSession session) { printSession_ = session; }
    PMPrintSession GetCurrentPrintSession() const { return printSession_; }
    // The PPD of the stored session; null without a session or when the session fails.
    ppd_file_t* GetPPDRefFromCurrentPrintSession() const;

    // ReleaseWindow on every child window that has a platform window to release, in order;
    // false as soon as one fails.
    Boolean ReleaseChildWindow();

    // Which entry point of the plug-in is running; written and read by the entry points.
    void SetPhase(UInt32 phase) { phase_ = phase; }
    UInt32 GetPhase() const { return phase_; }

    // The control-hit handler of every control (user data: the CBaseControl): the control's
    // UIEventHandler, then its GetValueFromUI. Always eventNotHandledErr.
    static OSStatus Control_DefaultCommandHandler(EventHandlerCallRef callRef, EventRef event,
                                                  void* control);
    // The command handler on the dialog window (user data: the panel). The command 'ok  '
    // asks OnClickPrintCommand: false consumes the event (noErr) and nothing is printed; true
    // takes every control's value from the screen and releases the child windows, then lets
    // the dialog print (eventNotHandledErr) unless a release failed (noErr). Every other
    // command goes on (eventNotHandledErr).
    static OSStatus Control_DefaultPrintBtnHandler(EventHandlerCallRef callRef, EventRef event,
                                                   void* panel);

    // The user-pane identity: which window of which nib holds this panel's controls, and the
    // ControlID of the user pane in it.
    OSType GetUserPaneSignature() const { return userPaneSignature_; }
    SInt32 GetUserPaneID() const { return userPaneID_; }
    CFStringRef GetNibFileName() const { return nibFileName_.get(); }
    CFStringRef GetNibWindowName() const { return nibWindowName_.get(); }

  protected:
    // The control list (borrowed; entries are CBaseControl*, nulls skipped by the walks), for
    // a derived class's own walks.
    CFArrayRef GetControlList() const { return controlList_.get(); }
    // Every control of this panel (not of its child windows) forgets its platform control:
    // called when the window that holds them is disposed of.
    void UnbindControls();
    // Set by the derived class's constructor (the strings are retained).
    void SetUserPaneIdentity(OSType signature, SInt32 id, CFStringRef nibFileName,
                             CFStringRef nibWindowName);

  private:
    UInt32 AddToList(CFMutableArrayRef list, UInt32& count, const void* entry);
    CBaseControl* FindControlIn(CFArrayRef list, const ControlID* controlID) const;
    void GrowToFit(ControlRef parentUserPane, ControlRef nibUserPane);
    void InstallPrintButtonHandler(ControlRef parentUserPane);

    CFRef<CFMutableArrayRef> controlList_;
    CFRef<CFMutableArrayRef> installableControlList_;
    CFRef<CFMutableArrayRef> childWindowList_;
    CBasePrintPanel* parentPane_ = nullptr;
    CFRef<CFMutableStringRef> currentPrinterString_;
    UInt32 childWindowCount_ = 0;
    UInt32 installableControlCount_ = 0;
    UInt32 controlCount_ = 0;
    OSType userPaneSignature_ = 0;
    SInt32 userPaneID_ = 0;
    CFRef<CFStringRef> nibFileName_;
    CFRef<CFStringRef> nibWindowName_;
    UInt32 phase_ = 0;
    EventHandlerUPP printButtonHandlerProc_ = nullptr;
    EventHandlerRef printButtonHandlerRef_ = nullptr;
    PMPrintSession printSession_ = nullptr;
    ConstraintTable* xppdPtr_ = nullptr;
};
