// Accessible names from visible labels. A field whose label names it as its buddy is announced
// by that label's text without the trailing colon; left to Qt it would be announced with the
// colon, by the title of its group box, or not at all.
#pragma once

class QLabel;
class QString;
class QWidget;

namespace hitoolbox {

// Shows the text in the label and names the label's buddy after it.
void setLabelText(QLabel& label, const QString& text);
// Names every labelled field of a window just loaded.
void nameFieldsByLabels(const QWidget& window);

} // namespace hitoolbox
