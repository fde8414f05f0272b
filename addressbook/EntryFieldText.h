// An address entry's text as a text field takes it: UTF-8 of at most 255 bytes, cut between
// characters, NUL-terminated in the field's 256-byte value buffer.
#pragma once

#include <CTextEditControl.h>

#include <CFDictionary.h>

using EntryFieldBuffer = char[CTextEditControl::kTextValueSize];

// Writes the entry's string under key into buffer; false (the buffer emptied) when the entry
// has no string under the key.
bool CopyEntryTextForField(CFDictionaryRef entry, CFStringRef key, EntryFieldBuffer& buffer);
