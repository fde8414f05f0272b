// Accessors of the print session that the plug-in's entry points, the panels and the controls
// share: the print-settings ticket, the PPD, the current printer's ID string and the
// per-printer preference keys made from it.
#pragma once

#include <CFString.h>
#include <PMCore.h>
#include <PMTicket.h>

#include <cups/ppd.h>

// The ticket reference that the session holds under key (a pointer-sized number) into
// *ticket. 0, or kPMInvalidTicket (-30891) when the session call fails or holds no such
// number (*ticket is then left as it was).
OSStatus GetTicketFromSession(PMPrintSession session, CFStringRef key, PMTicketRef* ticket);

// The PPD that the session holds under "kPMPPDReference" into *ppd (null first). The session
// call's status: 0 also when the session holds no PPD, *ppd then staying null.
OSStatus GetPPDRefFromSession(PMPrintSession session, ppd_file_t** ppd);

// Appends the ID of the session's current printer to printerString. 0 on success, 1 when the
// string is null or the printer or its ID cannot be had.
OSStatus SetPrinterString(PMPrintSession session, CFMutableStringRef printerString);

// Releases the string when there is one.
void ReleasePrinterString(CFStringRef printerString);

// Appends the printer string and then the preference key, without separator, to output:
// the per-printer form of a preference key. False when any of the three is null.
Boolean CreateKeyWithCurrentPrinter(CFStringRef preferenceKey, CFStringRef printerString,
                                    CFMutableStringRef output);
