// Control values with their minimum and maximum: the widget's own state for check boxes,
// popups and tab views, a stored number for the other kinds.
#include "Private/ToolboxObjects.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>

#include <algorithm>
#include <limits>

using hitoolbox::liveControl;

namespace {

SInt16 to16(SInt32 value) {
    return SInt16(std::clamp<SInt32>(value, std::numeric_limits<SInt16>::min(),
                                     std::numeric_limits<SInt16>::max()));
}

SInt32 widgetValue(ControlRef control) {
    QWidget* widget = control->widget;
    switch (control->kind) {
    case ControlKind::CheckBox:
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            const Qt::CheckState state = box->checkState();
            return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
        }
        return static_cast<QAbstractButton*>(widget)->isChecked() ? 1 : 0;
    case ControlKind::PopupButton:
        return static_cast<QComboBox*>(widget)->currentIndex() + 1;
    case ControlKind::TabView:
        return static_cast<QTabWidget*>(widget)->currentIndex() + 1;
    default:
        return control->storedValue;
    }
}

void setWidgetValue(ControlRef control, SInt32 value) {
    QWidget* widget = control->widget;
    hitoolbox::changeProgrammatically(control, [&] {
        switch (control->kind) {
        case ControlKind::CheckBox:
            if (auto* box = qobject_cast<QCheckBox*>(widget)) {
                if (value == 2) box->setTristate(true);
                box->setCheckState(value == 1   ? Qt::Checked
                                   : value == 2 ? Qt::PartiallyChecked
                                                : Qt::Unchecked);
            } else {
                static_cast<QAbstractButton*>(widget)->setChecked(value == 1);
            }
            break;
        case ControlKind::PopupButton:
            static_cast<QComboBox*>(widget)->setCurrentIndex(value - 1);
            break;
        case ControlKind::TabView:
            static_cast<QTabWidget*>(widget)->setCurrentIndex(value - 1);
            break;
        default:
            control->storedValue = value;
            break;
        }
    });
}

// The value clamped to the control's range (the minimum wins when the range is empty).
SInt32 clamped(ControlRef control, SInt32 value) {
    return std::max(control->minimum, std::min(value, control->maximum));
}

void setLimit(ControlRef control, SInt32 limit, bool isMinimum) {
    if (!(control = liveControl(control))) return;
    (isMinimum ? control->minimum : control->maximum) = limit;
    const SInt32 value = widgetValue(control);
    if (clamped(control, value) != value) setWidgetValue(control, clamped(control, value));
}

} // namespace

SInt32 GetControl32BitValue(ControlRef control) {
    return (control = liveControl(control)) ? widgetValue(control) : 0;
}

void SetControl32BitValue(ControlRef control, SInt32 value) {
    if ((control = liveControl(control))) setWidgetValue(control, clamped(control, value));
}

SInt32 GetControl32BitMinimum(ControlRef control) {
    return (control = liveControl(control)) ? control->minimum : 0;
}

void SetControl32BitMinimum(ControlRef control, SInt32 minimum) {
    setLimit(control, minimum, true);
}

SInt32 GetControl32BitMaximum(ControlRef control) {
    return (control = liveControl(control)) ? control->maximum : 0;
}

void SetControl32BitMaximum(ControlRef control, SInt32 maximum) {
    setLimit(control, maximum, false);
}

SInt16 GetControlValue(ControlRef control) {
    return to16(GetControl32BitValue(control));
}

void SetControlValue(ControlRef control, SInt16 value) {
    SetControl32BitValue(control, value);
}

void SetControlMinimum(ControlRef control, SInt16 minimum) {
    SetControl32BitMinimum(control, minimum);
}

SInt16 GetControlMaximum(ControlRef control) {
    return to16(GetControl32BitMaximum(control));
}

void SetControlMaximum(ControlRef control, SInt16 maximum) {
    SetControl32BitMaximum(control, maximum);
}
