// Private: reading a localised strings table (a ".strings" file).
#pragma once

#include "CFDictionary.h"

#include <string>

namespace cf {

// Parses the text form ("key" = "value"; with /* */ and // comments, C escapes and \Uxxxx) in
// UTF-8 or UTF-16 with a byte-order mark, or an XML property-list dictionary. Returns a
// dictionary of strings, or null with a message on standard error naming origin.
CFDictionaryRef createStringsTable(const std::string& bytes, const std::string& origin);

} // namespace cf
