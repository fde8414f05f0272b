// Finding the current printer's network address from its device URI, for the pane's printer
// address: "" for a USB printer; for "lpd", "ipp" (and "ipps") and "socket" printers the host's
// numeric address, looked up at once; for Bonjour printers ("mdns", CUPS's "dnssd") the address
// of the DNS service discovery name, which arrives later through the run loop. Other schemes
// leave the address as it was. Everything runs on the dialog's thread.
#pragma once

#include <CFNetServices.h>
#include <CFRunLoop.h>
#include <CFURL.h>
#include <PMCore.h>

#include <cstddef>

class CSendraFaxPanel;

// A service-discovery look-up in flight for a pane; without the platform's own time-out it is
// also the record of the 10-second timer that ends an unanswered look-up.
struct PrinterAddressLookup {
    CSendraFaxPanel* pane;
    CFNetServiceRef service; // owned
    CFRunLoopTimerRef timer; // owned and scheduled, or null when the platform times out
};

// Platform time-out of a look-up, and the run-loop timer used where the platform has none.
constexpr CFTimeInterval kPlatformResolveTimeout = 5.0;
constexpr CFTimeInterval kResolveTimerInterval = 10.0;

// What CSendraFaxPanel::ResolveCurrentPrinter does once it has the device URI: 0 when the
// address was stored, a look-up started or the scheme is not handled; -1 for a URI without
// scheme, a host that cannot be looked up, or a malformed service-discovery name (then no
// look-up is started).
OSStatus ResolvePrinterDeviceURI(CSendraFaxPanel* pane, CFURLRef deviceURI);

// The service's client callback (info: the pane): stores the first address that converts and
// ends the look-up; the address stays as it was when none converts or an error came.
void DidResolveBonjourPrinter(CFNetServiceRef service, CFStreamError* error, void* info);
// The 10-second timer's callback (info: the look-up): ends a look-up that got no answer.
void TimeoutResolvePrinter(CFRunLoopTimerRef timer, void* info);
// Stops the pane's look-up, if one runs: the service and timer are released, the resolving
// flag cleared, and no answer arrives afterwards.
void EndPrinterAddressLookup(CSendraFaxPanel* pane);

// The numeric address of host (a numeric address is kept as it is, a name is looked up with
// getaddrinfo) as text in buffer: IPv4 dotted or IPv6, a link-local IPv6 address followed by
// "%" and its interface name. 0 on success; 1 for a null host or buffer, a failed look-up, or
// a look-up none of whose results converts.
int CopyResolvedIPAddress(const char* host, char* buffer, size_t bufferSize);

// Diagnostic: writes the local host name and its IPv4 addresses to standard output. 1 when the
// host name or its addresses cannot be had, else 0.
int GetClientIPAddress(void);
