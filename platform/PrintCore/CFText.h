// Conversions between CF strings and UTF-8 std::string used inside the printing system.
#pragma once

#include <CFRef.h>
#include <CFString.h>

#include <string>

// The UTF-8 text of a string; a non-string value gives its description, null gives "".
std::string utf8Text(CFTypeRef value);
// A new string from UTF-8 text; null when the text is not UTF-8.
CFRef<CFStringRef> makeCFString(const std::string& text);
