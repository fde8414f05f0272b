// Print sessions and printers. A session holds a print-settings ticket and a current printer
// whose PPD it keeps open; the print dialog and its extensions read both through the session
// data keys:
//   "PMPrintSettingsTicket"  a CFNumber (kCFNumberSInt64Type) holding the PMTicketRef;
//   "kPMPPDReference"        a CFData holding the bytes of one ppd_file_t* (absent when the
//                            current printer has no PPD).
// Printers are the CUPS destinations plus the built-in demo fax printer "NorvaleDemoFax",
// which needs no CUPS server. Sessions and printers are reference counted (PMRetain and
// PMRelease); "Get" results are borrowed.
#pragma once

#include "PMErrors.h"

#include <CFArray.h>
#include <CFString.h>
#include <CFURL.h>

typedef struct OpaquePMPrintSession* PMPrintSession;
typedef struct OpaquePMPrinter* PMPrinter;

// A new session with an empty ticket, on the default CUPS destination or, without one, on the
// demo printer. kPMInvalidParameter without an out pointer.
OSStatus PMCreateSession(PMPrintSession* printSession);
OSStatus PMRetain(PMPrintSession session);  // kPMInvalidPrintSession for null
OSStatus PMRelease(PMPrintSession session); // frees it (ticket, PPD) with its last reference
OSStatus PMRetain(PMPrinter printer);       // kPMInvalidPrinter for null
OSStatus PMRelease(PMPrinter printer);

// The session's data under key (borrowed). A key the session does not hold gives noErr and
// a null *data. kPMInvalidPrintSession for a null session, kPMInvalidParameter without key or
// out pointer.
OSStatus PMSessionGetDataFromSession(PMPrintSession session, CFStringRef key, CFTypeRef* data);
// The current printer (borrowed; valid until the current printer changes).
OSStatus PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter* currentPrinter);
// Makes the printer with that ID current (kPMInvalidPrinter when no printer has it): opens its
// PPD (fetched from CUPS or the demo printer's file), refreshes "kPMPPDReference" and empties
// the ticket's PPD choices, which belonged to the previous printer's PPD. The previous PPD is
// closed, so the extensions that use it must be ended first. A printer without a PPD is
// accepted (no "kPMPPDReference").
OSStatus PMSessionSetCurrentPrinter(PMPrintSession session, CFStringRef printerID);
// A new array of the IDs of every printer (CUPS destinations, then the demo printer), the
// index of the current printer in it (-1 when absent) and the current printer (borrowed).
// Any out pointer may be null. A CUPS server that is down just lists no CUPS printers.
OSStatus PMSessionCreatePrinterList(PMPrintSession session, CFArrayRef* printerList,
                                    CFIndex* currentIndex, PMPrinter* currentPrinter);
// A new array of the paths that the current printer's PPD names with *APDialogExtension, in
// file order; empty when the printer has no PPD or names none.
OSStatus PMSessionCopyDialogExtensionPaths(PMPrintSession session, CFArrayRef* extensionPaths);

// Sends the document at fileURL to the current printer with every ticket item and every PPD
// choice of the ticket as job options: to CUPS as a job, or, for the demo printer, into the
// demo spool folder (NV_DEMO_SPOOL, else $XDG_STATE_HOME/NVSendraFax/DemoFaxSpool) as a copy of
// the document plus "<job>.options", one key=value line per option, sorted. *outcome (may be
// null) receives a new sentence for the user saying what happened. Failures: kPMOpenFailed or
// kPMReadFailed (document unreadable), kPMServerNotFound (CUPS down), kPMQueueNotFound
// (printer gone), kPMQueueJobFailed, kPMWriteFailed (spool); nothing half-written is left.
OSStatus PMSessionPrintWithFile(PMPrintSession session, CFURLRef fileURL, CFStringRef jobTitle,
                                CFStringRef* outcome);

// A new printer object for the ID (a CUPS queue name or the demo printer's ID), null when
// there is none. The caller releases it with PMRelease.
PMPrinter PMPrinterCreateFromPrinterID(CFStringRef printerID);
CFStringRef PMPrinterGetID(PMPrinter printer);   // the queue name; borrowed, null for null
CFStringRef PMPrinterGetName(PMPrinter printer); // the name shown to the user; borrowed
// The printer's device URI (borrowed, lives as long as the printer). kPMInvalidPrinter for
// null, kPMNoSuchEntry when the printer has none or it is not a valid URL.
OSStatus PMPrinterGetDeviceURI(PMPrinter printer, CFURLRef* deviceURI);
