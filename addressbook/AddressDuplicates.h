// The duplicate test on address entries (dictionaries with "NAME" and "PHNM").
#pragma once

#include <CFArray.h>
#include <CFDictionary.h>

// True when list holds an entry whose "NAME" and "PHNM" both equal the entry's (exact string
// equality). False when the entry lacks either key; null elements of the list are skipped.
bool CheckDuplication(CFArrayRef list, CFDictionaryRef entry);
