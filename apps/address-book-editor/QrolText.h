// Texts between Qt and QrolKit: record fields, UTF-16 views and CoreFoundation strings.
#pragma once

#include <CFRef.h>
#include <CFString.h>
#include <MacTypes.h>

#include <QString>

#include <string_view>

QString fieldText(const UInt8* field, size_t size);
std::u16string_view utf16Units(const QString& text);
CFRef<CFStringRef> cfString(const QString& text);
QString qString(CFStringRef string);
