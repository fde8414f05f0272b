#include "QrolText.h"

#include <QrolFields.h>

QString fieldText(const UInt8* field, size_t size) {
    const std::u16string text = qrol::readField(field, size).value_or(std::u16string());
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::u16string_view utf16Units(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())};
}

CFRef<CFStringRef> cfString(const QString& text) {
    return CFRef<CFStringRef>(CFStringCreateWithCharacters(
        nullptr, reinterpret_cast<const UniChar*>(text.utf16()), CFIndex(text.size())));
}

QString qString(CFStringRef string) {
    const CFIndex length = CFStringGetLength(string);
    QString text(length, Qt::Uninitialized);
    CFStringGetCharacters(string, CFRangeMake(0, length), reinterpret_cast<UniChar*>(text.data()));
    return text;
}
