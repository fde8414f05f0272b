// The legacy byte form of a control's text ('text' control data): one byte per UTF-16 unit up
// to U+00FF, two bytes (high first) for every other unit, so that its size is the display
// length.
#pragma once

#include <QByteArray>
#include <QString>

namespace hitoolbox {

QByteArray toLegacyText(const QString& text);
// Bytes set by a program: UTF-8 when they are valid UTF-8, else Latin-1.
QString fromLegacyText(const QByteArray& bytes);

} // namespace hitoolbox
