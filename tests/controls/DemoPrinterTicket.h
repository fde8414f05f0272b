// A print session on the demo fax printer (libcups pointed at a server that does not exist)
// and its print-settings ticket as the dialog hands it to extensions.
#pragma once

#include <ScopedEnvironment.h>
#include <SessionAccessors.h>

#include <string>

class DemoPrinterTicket {
  public:
    DemoPrinterTicket() {
        if (PMCreateSession(&session_) != noErr ||
            PMSessionSetCurrentPrinter(session_, CFSTR("NorvaleDemoFax")) != noErr ||
            GetTicketFromSession(session_, CFSTR("PMPrintSettingsTicket"), &ticket_) != noErr)
            ticket_ = nullptr;
    }
    ~DemoPrinterTicket() {
        if (session_) PMRelease(session_);
    }
    DemoPrinterTicket(const DemoPrinterTicket&) = delete;
    DemoPrinterTicket& operator=(const DemoPrinterTicket&) = delete;

    PMPrintSession session() const { return session_; }
    PMTicketRef ticket() const { return ticket_; } // null when the session could not be made

    // The ticket's text under the key, "<absent>" when there is none.
    std::string text(CFStringRef key) const {
        char buffer[2048] = {};
        return PMTicketGetCString(ticket_, kPMTopLevel, kPMTopLevel, key, sizeof buffer,
                                  kCFStringEncodingUTF8, buffer) == noErr
                   ? buffer
                   : "<absent>";
    }

  private:
    const ScopedEnvironment cupsServer_{"CUPS_SERVER", "/nonexistent/cups.sock"};
    PMPrintSession session_ = nullptr;
    PMTicketRef ticket_ = nullptr;
};
