// The text of text fields: its display length, its UTF-16 form and cut copies of it.
//
// Display length: 1 for each UTF-16 unit up to U+00FF and 2 for every other unit, so that a
// character outside the Basic Multilingual Plane (a surrogate pair) counts 4. Text fields state
// their minimum and maximum lengths in this unit.
#pragma once

#include <CFString.h>

// The display length of NUL-terminated UTF-8 text; 0 when the text is null or not UTF-8.
int GetControlLength(const char* text);

// Writes NUL-terminated UTF-8 text as UTF-16 units followed by a 0 unit. The output must hold
// the unit count plus one (the display length plus one always suffices). Empty text: true and
// nothing written. False without writing when the text is null or not UTF-8, or there is no
// output.
bool ConvertUTF8ToUnicode(const char* text, UniChar* unicode);

// A new string of the first min(length, n) UTF-16 units of the string (a cut may split a
// surrogate pair); a negative n counts as 0. Null for a null string. The caller releases it.
CFStringRef CFStringCreateWithCopyCut(CFStringRef string, CFIndex n);
