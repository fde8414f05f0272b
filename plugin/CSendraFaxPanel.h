// The fax pane: the one pane the plug-in adds to the print dialog. Its controls live in the
// user pane 'sfsp' 1 of the nib window "Window" of the plug-in's nib.
#pragma once

#include <CBasePrintPanel.h>

class CSendraFaxPanel : public CBasePrintPanel {
  public:
    CSendraFaxPanel();

    // The base's: builds the pane from the nib into the dialog's parent user pane.
    OSStatus InitializeUserPane(PMPDEContext context, ControlRef parentUserPane, CFBundleRef bundle,
                                ppd_file_t* ppd) override;

    // Every control of the pane's own list reads its value from the ticket; child windows are
    // not asked. True.
    virtual Boolean GetValueFromTicket(PMTicketRef ticket);
};
