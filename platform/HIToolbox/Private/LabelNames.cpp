#include "LabelNames.h"

#include <QLabel>

namespace hitoolbox {
namespace {

void nameBuddy(const QLabel& label) {
    QWidget* buddy = label.buddy();
    if (!buddy) return;
    QString name = label.text().trimmed();
    if (name.endsWith(u':') || name.endsWith(u'\uFF1A')) name.chop(1); // ASCII or full-width
    buddy->setAccessibleName(name.trimmed());
}

} // namespace

void setLabelText(QLabel& label, const QString& text) {
    label.setText(text);
    nameBuddy(label);
}

void nameFieldsByLabels(const QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>())
        nameBuddy(*label);
}

} // namespace hitoolbox
