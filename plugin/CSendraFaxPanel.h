// The fax pane: the one pane the plug-in adds to the print dialog. Its controls live in the
// user pane 'sfsp' 1 of the nib window "Window" of the plug-in's nib.
#pragma once

#include <CBasePrintPanel.h>

struct PrinterAddressLookup;

class CSendraFaxPanel : public CBasePrintPanel {
  public:
    CSendraFaxPanel();
    ~CSendraFaxPanel() override; // ends a printer address look-up still running

    // The base's: builds the pane from the nib into the dialog's parent user pane.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;

    // Every control of the pane's own list reads its value from the ticket; child windows are
    // not asked. True.
    virtual Boolean GetValueFromTicket(PMTicketRef ticket);

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
    CFRef<CFStringRef> printerAddress_;
    Boolean resolving_ = false;
    PrinterAddressLookup* addressLookup_ = nullptr;
};
