// The Qt signals of a control's widget as Carbon events: clicks, picks and tab changes are
// control hits; user edits of an edit text run its validation procedure and send
// text-did-change.
#include "Private/ControlBehaviour.h"
#include "Private/EventSending.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTabWidget>

namespace hitoolbox {
namespace {

// The control of the widget when the change came from the user, else null.
ControlRef userChanged(QWidget* widget) {
    ControlRef control = controlForWidget(widget, false);
    return control && !control->programmaticChange ? control : nullptr;
}

void reportHits(QWidget* widget, ControlPartCode part) {
    if (ControlRef control = userChanged(widget)) sendControlHit(control, part);
}

void reportEdit(QWidget* widget) {
    ControlRef control = userChanged(widget);
    if (!control) return;
    if (control->validation) control->validation(control);
    if (liveControl(control)) sendControlEvent(control, kEventClassTextField, kEventTextDidChange);
}

} // namespace

void attachControlBehaviour(ControlRef control) {
    QWidget* widget = control->widget;
    switch (control->kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox: {
        const ControlPartCode part =
            control->kind == ControlKind::PushButton ? kControlButtonPart : kControlCheckBoxPart;
        QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, widget,
                         [widget, part] { reportHits(widget, part); });
        break;
    }
    case ControlKind::PopupButton:
        QObject::connect(static_cast<QComboBox*>(widget), &QComboBox::activated, widget,
                         [widget] { reportHits(widget, kControlMenuPart); });
        break;
    case ControlKind::TabView:
        QObject::connect(static_cast<QTabWidget*>(widget), &QTabWidget::currentChanged, widget,
                         [widget](int index) { reportHits(widget, ControlPartCode(index + 1)); });
        break;
    case ControlKind::Clock:
        QObject::connect(static_cast<QDateTimeEdit*>(widget), &QDateTimeEdit::dateTimeChanged,
                         widget, [widget] { reportHits(widget, kControlClockPart); });
        attachClockTyping(control);
        break;
    case ControlKind::EditText:
        QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, widget,
                         [widget] { reportEdit(widget); });
        attachKeyFiltering(control);
        break;
    case ControlKind::DataBrowser:
        attachDataBrowser(control);
        break;
    default:
        break;
    }
}

} // namespace hitoolbox
