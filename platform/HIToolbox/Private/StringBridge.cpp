#include "StringBridge.h"

namespace hitoolbox {

QString toQString(CFStringRef string) {
    const CFIndex length = CFStringGetLength(string);
    if (length <= 0) return {};
    QString text(qsizetype(length), Qt::Uninitialized);
    CFStringGetCharacters(string, CFRangeMake(0, length), reinterpret_cast<UniChar*>(text.data()));
    return text;
}

CFStringRef createCFString(const QString& text) {
    return CFStringCreateWithCharacters(nullptr, reinterpret_cast<const UniChar*>(text.utf16()),
                                        CFIndex(text.size()));
}

} // namespace hitoolbox
