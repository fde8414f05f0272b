// Finding controls, their containment, visibility, activation, bounds, titles, references,
// commands, properties and keyboard focus.
#include "HIToolboxQt.h"
#include "MacErrors.h"
#include "Private/Geometry.h"
#include "Private/LabelNames.h"
#include "Private/StringBridge.h"
#include "Private/ToolboxObjects.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>

#include <cstring>

using hitoolbox::liveControl;
using hitoolbox::liveWindow;

namespace {

// A tab view's pane: Qt shows the current one, so its visibility is only recorded.
bool isTabPane(const QWidget* widget) {
    const QWidget* stack = widget->parentWidget();
    return qobject_cast<const QStackedWidget*>(stack) && stack->parentWidget() &&
           qobject_cast<const QTabWidget*>(stack->parentWidget());
}

// The widgets that count as a control's sub-controls: a tab view's panes, else its child
// widgets other than Qt's own parts.
QList<QWidget*> subWidgets(ControlRef control) {
    QList<QWidget*> children;
    if (auto* tabs = qobject_cast<QTabWidget*>(control->widget)) {
        for (int i = 0; i < tabs->count(); ++i)
            children.append(tabs->widget(i));
        return children;
    }
    for (QObject* child : control->widget->children())
        if (auto* widget = qobject_cast<QWidget*>(child);
            widget && !widget->objectName().startsWith(QLatin1String("qt_")))
            children.append(widget);
    return children;
}

// Sets the control's activation or enabling; its widget is usable when it is active and
// enabled.
OSErr setUsability(ControlRef control, bool OpaqueControlRef::*state, bool value) {
    if (!(control = liveControl(control))) return errUnknownControl;
    control->*state = value;
    control->widget->setEnabled(control->active && control->enabled);
    return noErr;
}

} // namespace

OSStatus GetControlByID(WindowRef window, const ControlID* id, ControlRef* outControl) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (!id || !outControl) return paramErr;
    auto* widget = window->widget->findChild<QWidget*>(hitoolbox::controlObjectName(*id));
    ControlRef control = hitoolbox::controlForWidget(widget, true);
    if (!control) return errUnknownControl;
    *outControl = control;
    return noErr;
}

WindowRef GetControlOwner(ControlRef control) {
    return hitoolbox::windowOfControl(control);
}

OSErr EmbedControl(ControlRef control, ControlRef container) {
    if (!(control = liveControl(control)) || !(container = liveControl(container)))
        return errUnknownControl;
    if (control == container || control->widget->isAncestorOf(container->widget)) return paramErr;
    Rect bounds;
    GetControlBounds(control, &bounds);
    const bool hidden = control->widget->isHidden();
    control->widget->setParent(container->widget);
    control->widget->setVisible(!hidden);
    SetControlBounds(control, &bounds);
    return noErr;
}

OSErr CountSubControls(ControlRef control, UInt16* outCount) {
    if (!(control = liveControl(control))) return errUnknownControl;
    if (!outCount) return paramErr;
    *outCount = UInt16(subWidgets(control).size());
    return noErr;
}

OSErr GetIndexedSubControl(ControlRef control, UInt16 index, ControlRef* outSubControl) {
    if (!(control = liveControl(control))) return errUnknownControl;
    const QList<QWidget*> children = subWidgets(control);
    if (!outSubControl || index < 1 || index > children.size()) return paramErr;
    ControlRef child = hitoolbox::controlForWidget(children[index - 1], true);
    if (!child) return errUnknownControl;
    *outSubControl = child;
    return noErr;
}

OSErr SetControlVisibility(ControlRef control, Boolean visible, Boolean draw) {
    if (!(control = liveControl(control))) return errUnknownControl;
    if (isTabPane(control->widget))
        control->paneVisible = visible;
    else
        control->widget->setVisible(visible);
    if (draw) control->widget->update();
    return noErr;
}

void ShowControl(ControlRef control) {
    SetControlVisibility(control, true, true);
}

void HideControl(ControlRef control) {
    SetControlVisibility(control, false, true);
}

Boolean IsControlVisible(ControlRef control) {
    if (!(control = liveControl(control))) return false;
    return isTabPane(control->widget) ? control->paneVisible : !control->widget->isHidden();
}

OSErr ActivateControl(ControlRef control) {
    return setUsability(control, &OpaqueControlRef::active, true);
}

OSErr DeactivateControl(ControlRef control) {
    return setUsability(control, &OpaqueControlRef::active, false);
}

Boolean IsControlActive(ControlRef control) {
    return (control = liveControl(control)) && control->active;
}

OSStatus EnableControl(ControlRef control) {
    return setUsability(control, &OpaqueControlRef::enabled, true);
}

OSStatus DisableControl(ControlRef control) {
    return setUsability(control, &OpaqueControlRef::enabled, false);
}

Boolean IsControlEnabled(ControlRef control) {
    return (control = liveControl(control)) && control->enabled;
}

void Draw1Control(ControlRef control) {
    if ((control = liveControl(control))) control->widget->update();
}

Rect* GetControlBounds(ControlRef control, Rect* outBounds) {
    if (!outBounds) return nullptr;
    *outBounds = Rect{};
    if ((control = liveControl(control))) {
        QWidget* widget = control->widget;
        *outBounds =
            hitoolbox::toRect(QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size()));
    }
    return outBounds;
}

void SetControlBounds(ControlRef control, const Rect* bounds) {
    if (!(control = liveControl(control)) || !bounds) return;
    QWidget* widget = control->widget;
    QWidget* parent = widget->parentWidget();
    if (!parent) return;
    const QPoint origin = parent->mapTo(widget->window(), QPoint(0, 0));
    widget->setGeometry(hitoolbox::toQRect(*bounds).translated(-origin));
}

OSStatus SetControlTitleWithCFString(ControlRef control, CFStringRef title) {
    if (!(control = liveControl(control))) return errUnknownControl;
    const QString text = hitoolbox::toQString(title);
    if (auto* button = qobject_cast<QAbstractButton*>(control->widget))
        button->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control->widget))
        box->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(control->widget))
        hitoolbox::setLabelText(*label, text);
    else
        control->widget->setWindowTitle(text); // kept for kinds that show no title
    return noErr;
}

OSStatus SetControlProperty(ControlRef control, OSType creator, OSType tag, ByteCount size,
                            const void* data) {
    if (!(control = liveControl(control))) return errUnknownControl;
    if ((size && !data) || size > ByteCount(INT32_MAX)) return paramErr;
    control->properties[{creator, tag}] =
        QByteArray(static_cast<const char*>(data), qsizetype(size));
    return noErr;
}

OSStatus GetControlProperty(ControlRef control, OSType creator, OSType tag, ByteCount bufferSize,
                            ByteCount* outActualSize, void* buffer) {
    ByteCount size = 0;
    if (OSStatus status = GetControlPropertySize(control, creator, tag, &size)) return status;
    if (outActualSize) *outActualSize = size;
    if (buffer)
        std::memcpy(buffer, control->properties[{creator, tag}].constData(),
                    std::min(size, bufferSize));
    return noErr;
}

OSStatus GetControlPropertySize(ControlRef control, OSType creator, OSType tag,
                                ByteCount* outSize) {
    if (!(control = liveControl(control))) return errUnknownControl;
    auto found = control->properties.find({creator, tag});
    if (found == control->properties.end()) return controlPropertyNotFoundErr;
    if (outSize) *outSize = ByteCount(found->second.size());
    return noErr;
}

void SetControlReference(ControlRef control, SRefCon data) {
    if ((control = liveControl(control))) control->reference = data;
}

SRefCon GetControlReference(ControlRef control) {
    return (control = liveControl(control)) ? control->reference : nullptr;
}

OSErr SetKeyboardFocus(WindowRef window, ControlRef control, ControlFocusPart) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (!(control = liveControl(control)) || hitoolbox::windowOfControl(control) != window)
        return errUnknownControl;
    control->widget->setFocus(Qt::OtherFocusReason);
    return noErr;
}

MenuRef GetControlPopupMenuHandle(ControlRef control) {
    control = liveControl(control);
    return control && control->kind == ControlKind::PopupButton ? &control->menu : nullptr;
}

QWidget* HIControlGetWidget(ControlRef control) {
    return (control = liveControl(control)) ? control->widget.data() : nullptr;
}

ControlRef HIControlFromWidget(QWidget* widget) {
    return hitoolbox::controlForWidget(widget, true);
}
