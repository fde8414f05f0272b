// PPD choice items: immutable arrays of four strings (option keyword, choice keyword, label,
// "ConflictTrue" or "ConflictFalse"); elements 0 and 1 are the item's key pair.
#pragma once

#include <CFArray.h>
#include <CFString.h>
#include <PMTicket.h>

// The index of the first item whose key pair equals (optionKeyword, choiceKeyword), compared
// exactly; -1 when none does or an argument is missing. Items that are not arrays of at least
// two strings never match.
CFIndex FindPPDKeyPairsMatch(CFArrayRef items, CFStringRef optionKeyword,
                             CFStringRef choiceKeyword);

// Sets, in the ticket's dictionary of PPD choices, the item's option keyword to its choice
// keyword. Does nothing when the dictionary cannot be had or the item has no key pair.
void SetValueToPPDDict(PMTicketRef ticket, CFArrayRef item);
