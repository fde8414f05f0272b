#include "CSendraFaxPanel.h"
#include "PlugInIdentity.h"
#include "PrinterAddressResolution.h"

CSendraFaxPanel::CSendraFaxPanel() {
    SetUserPaneIdentity(FOUR_CHAR_CODE("sfsp"), 1, GetPDENibFileName(), CFSTR("Window"));
}

CSendraFaxPanel::~CSendraFaxPanel() {
    EndPrinterAddressLookup(this); // its answer would otherwise reach a pane that is gone
}

OSStatus CSendraFaxPanel::InitializeUserPane(PMPDEContext context, ControlRef parentUserPane,
                                             CFBundleRef bundle, ppd_file_t* ppd) {
    return CBasePrintPanel::InitializeUserPane(context, parentUserPane, bundle, ppd);
}

Boolean CSendraFaxPanel::GetValueFromTicket(PMTicketRef) {
    return true; // the pane adds no controls of its own yet
}
