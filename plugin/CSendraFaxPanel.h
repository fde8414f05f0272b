// The fax pane: the one pane the plug-in adds to the print dialog. Its controls live in the
// user pane 'sfsp' 1 of the nib window "Window" of the plug-in's nib: the four fax option
// popups of the PPD with their labels, the sender name field, and the address book, restore
// and help buttons. Pressing the dialog's Print checks the sender name and shows the fax
// settings sheet; the print goes ahead only when the user started sending there.
#pragma once

#include <CBasePrintPanel.h>
#include <FaxSheetOwner.h>

#include <memory>

class CGBaseButton;
class CGPPDListPopupControl;
class CGPPDStaticTextCtrl;
class CGroupBoxControl;
class CStaticTextControl;
class CTextEditControl;
class FaxSettingsWindow;
struct PrinterAddressLookup;

class CSendraFaxPanel : public CBasePrintPanel, public FaxSheetOwner {
  public:
    // Makes the controls (and adds them in the order the walks use) and the fax settings
    // sheet as child window; the sheet result starts at kFaxSheetResultSend.
    CSendraFaxPanel();
    // Ends a printer address look-up still running, then deletes the controls and the sheet.
    ~CSendraFaxPanel() override;

    // The base's rows, then "sender name label: sender name" while the field is active.
    OSStatus GetSummaryText(CFMutableArrayRef titles, CFMutableArrayRef values) override;
    // Checks the sender name (the field shows its own message) and shows the fax settings
    // sheet with the printer address; true only when the sheet was closed by sending.
    Boolean OnClickPrintCommand() override;
    // The base's: builds the pane from the nib into the dialog's parent user pane.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;
    // The base's handlers, then the three buttons' own: they take the press themselves.
    OSStatus SetControlEventHandler() override;

    // Every control of the pane's own list reads its value from the ticket; child windows are
    // not asked. True.
    virtual Boolean GetValueFromTicket(PMTicketRef ticket);

    // The button handlers (user data: the pane). Restore shows every control's default; help
    // opens the pane's help page; the address book button starts or fronts the editor, a
    // failure shown as "Address Book Editor not found.". 0, or the launch's result.
    static OSStatus RestoreDefaults(EventHandlerCallRef callRef, EventRef event, void* pane);
    static OSStatus LaunchAddressBookEditor(EventHandlerCallRef callRef, EventRef event,
                                            void* pane);
    static OSStatus LaunchHelpBook(EventHandlerCallRef callRef, EventRef event, void* pane);

    // How the fax settings sheet was last closed: kFaxSheetResultSend or kFaxSheetResultCancel.
    SInt32 GetSheetResult() const { return sheetResult_; }
    void SetSheetResult(SInt32 result) override { sheetResult_ = result; }

    // Starts finding the network address of the session's current printer from its device URI
    // (PrinterAddressResolution.h). 0 also when nothing was stored.
    OSStatus ResolveCurrentPrinter(PMPrintSession session);

    // The current printer's address (borrowed): null while unknown, "" for a USB printer,
    // otherwise its numeric IP address. The setter retains the new one.
    CFStringRef GetPrinterAddress() const { return printerAddress_.get(); }
    void SetPrinterAddress(CFStringRef address) {
        printerAddress_ = CFRef<CFStringRef>::retained(address);
    }
    // True while a service-discovery look-up guarded by the 10-second timer runs.
    Boolean IsResolving() const { return resolving_; }
    void SetResolving(Boolean resolving) { resolving_ = resolving; }
    // The service-discovery look-up in flight, kept by the address resolution.
    PrinterAddressLookup* GetPrinterAddressLookup() const { return addressLookup_; }
    void SetPrinterAddressLookup(PrinterAddressLookup* lookup) { addressLookup_ = lookup; }

  private:
    // Adds the control to the pane's list and keeps it for deletion.
    template <class Control> void Own(std::unique_ptr<Control>& field, Control* made);

    std::unique_ptr<CGPPDListPopupControl> imageQualityPopup_;
    std::unique_ptr<CGPPDListPopupControl> transmissionReportPopup_;
    std::unique_ptr<CGPPDStaticTextCtrl> imageQualityLabel_;
    std::unique_ptr<CGPPDStaticTextCtrl> transmissionReportLabel_;
    std::unique_ptr<CGroupBoxControl> coverPageGroupBox_;
    std::unique_ptr<CGPPDListPopupControl> coverPagePopup_;
    std::unique_ptr<CGPPDListPopupControl> senderModePopup_;
    std::unique_ptr<CTextEditControl> senderNameField_;
    std::unique_ptr<CGPPDStaticTextCtrl> coverPageLabel_;
    std::unique_ptr<CGPPDStaticTextCtrl> senderModeLabel_;
    std::unique_ptr<CStaticTextControl> senderNameLabel_;
    std::unique_ptr<CGBaseButton> addressBookButton_;
    std::unique_ptr<CGBaseButton> restoreButton_;
    std::unique_ptr<CGBaseButton> helpButton_;
    std::unique_ptr<FaxSettingsWindow> faxSettingsWindow_;
    SInt32 sheetResult_ = kFaxSheetResultSend;
    CFRef<CFStringRef> printerAddress_;
    Boolean resolving_ = false;
    PrinterAddressLookup* addressLookup_ = nullptr;
};
