// Conversions between CFString and QString.
#pragma once

#include <CFString.h>

#include <QString>

namespace hitoolbox {

QString toQString(CFStringRef string);           // empty for null
CFStringRef createCFString(const QString& text); // a new string the caller releases

} // namespace hitoolbox
