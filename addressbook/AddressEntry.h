// The address entry that carries a recipient or a group through the system: a dictionary with
// "NAME" and "PHNM" (a group's "PHNM" is "Group"), and from a source also "Id" (individuals),
// "Company" and "Memo" (file individuals) and "UserIDList" (groups: their members' Ids).
#pragma once

#include <CFDictionary.h>
#include <CFString.h>

inline const CFStringRef kAddressNameKey = CFSTR("NAME");
inline const CFStringRef kAddressNumberKey = CFSTR("PHNM");
inline const CFStringRef kAddressIdKey = CFSTR("Id");
inline const CFStringRef kAddressCompanyKey = CFSTR("Company");
inline const CFStringRef kAddressMemoKey = CFSTR("Memo");
inline const CFStringRef kAddressMemberIdsKey = CFSTR("UserIDList");
inline const CFStringRef kAddressGroupNumber = CFSTR("Group");

// The element as an entry that has a "PHNM" string; null otherwise.
CFDictionaryRef AsAddressEntry(CFTypeRef element);
// Whether the entry's "PHNM" is "Group".
bool IsGroupEntry(CFDictionaryRef entry);
