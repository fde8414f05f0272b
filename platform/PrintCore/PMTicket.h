// Print-settings tickets: a store of keyed items, each with its value, locked flag and the
// client that wrote it, plus a mutable dictionary of PPD option choices (keyword to choice).
// Tickets are reference counted: PMTicketCreate gives one reference, PMTicketRelease drops one.
#pragma once

#include "PMErrors.h"

#include <CFDictionary.h>
#include <CFString.h>

typedef struct OpaquePMTicketRef* PMTicketRef;

// The only node index this store knows: items live at the top level of a ticket.
constexpr UInt32 kPMTopLevel = 0;

// A new, empty ticket. The type is accepted for source compatibility; every ticket is a
// print-settings ticket here. kPMInvalidParameter without an out pointer.
OSStatus PMTicketCreate(CFAllocatorRef allocator, CFStringRef ticketType, PMTicketRef* newTicket);
OSStatus PMTicketRelease(PMTicketRef ticket); // frees the ticket with its last reference

// Stores a NUL-terminated UTF-8 value under key, recording the client and the locked flag.
// kPMItemIsLocked (value kept) when the key's item is locked; kPMStringConversionFailure when
// the value is not UTF-8; kPMInvalidParameter without key or value.
OSStatus PMTicketSetCString(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                            const char* value, Boolean locked);
// The same for a string value (the ticket keeps a copy).
OSStatus PMTicketSetCFString(PMTicketRef ticket, CFStringRef clientID, CFStringRef key,
                             CFStringRef item, Boolean locked);
// Writes the key's value, NUL-terminated, in the encoding into value (bufferSize bytes).
// kPMKeyNotFound when the key is absent; kPMStringConversionFailure when the text does not fit
// or cannot be represented; in both cases value is left untouched. Node indices must be
// kPMTopLevel.
OSStatus PMTicketGetCString(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                            CFStringRef key, UInt32 bufferSize, CFStringEncoding encoding,
                            char* value);
// The ticket's own mutable dictionary of PPD option choices (option keyword to choice keyword,
// both strings); borrowed, it lives as long as the ticket.
OSStatus PMTicketGetPPDDict(PMTicketRef ticket, UInt32 nodeIndex1, UInt32 nodeIndex2,
                            CFMutableDictionaryRef* dict);
// A new dictionary of every item's key and value (without the PPD choices); null for null.
CFDictionaryRef PMTicketCreateDict(PMTicketRef ticket);
