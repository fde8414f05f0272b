// The recipients of a fax job in the print-settings ticket: their count under
// SFaxDestinationNumber and, for recipient n counted from 1 in list order, the entry's "NAME"
// under SFaxDestinationName followed by n and its "PHNM" under SFaxDestinationPhoneNumber
// followed by n, all as strings with the plug-in's client identifier. Earlier keys are never
// removed: the count tells a reader how many are valid.
#pragma once

#include <CFArray.h>
#include <PMTicket.h>

// Writes the recipients (address entries); an entry without "NAME" or "PHNM" leaves that key
// out. Nothing without recipients (0). Otherwise the status of the last write.
OSStatus SetRecipientsToTicket(PMTicketRef ticket, CFArrayRef recipients, Boolean locked);
