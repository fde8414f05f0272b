// What the editor and the import say about a refused entry text: the shared field rules
// (QrolFieldRules.h) in words.
#pragma once

#include <QrolFieldRules.h>

#include <QString>

// Why the field refuses the text, or an empty string when it takes it.
QString fieldRefusal(qrol::EntryField field, const QString& text);
