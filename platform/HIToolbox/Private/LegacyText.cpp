#include "LegacyText.h"

#include <QStringDecoder>

namespace hitoolbox {

QByteArray toLegacyText(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (QChar unit : text) {
        if (unit.unicode() > 0xFF) bytes.append(char(unit.unicode() >> 8));
        bytes.append(char(unit.unicode() & 0xFF));
    }
    return bytes;
}

QString fromLegacyText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace hitoolbox
