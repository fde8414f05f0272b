// The registry of live windows and controls, and the making of their objects.
#include "ToolboxObjects.h"
#include "WindowEventBridge.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QEventLoop>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>

#include <unordered_set>

namespace hitoolbox {
namespace {

struct Registry {
    std::unordered_set<OpaqueWindowPtr*> windows;
    std::unordered_set<OpaqueControlRef*> controls;
    QHash<const QWidget*, OpaqueWindowPtr*> windowByWidget;
    QHash<const QWidget*, OpaqueControlRef*> controlByWidget;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

ControlKind kindOf(const QWidget* widget) {
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return ControlKind::CheckBox;
    if (qobject_cast<const QAbstractButton*>(widget)) return ControlKind::PushButton;
    if (qobject_cast<const QLabel*>(widget)) return ControlKind::StaticText;
    if (qobject_cast<const QLineEdit*>(widget)) return ControlKind::EditText;
    if (qobject_cast<const QComboBox*>(widget)) return ControlKind::PopupButton;
    if (qobject_cast<const QGroupBox*>(widget)) return ControlKind::GroupBox;
    if (qobject_cast<const QTabWidget*>(widget)) return ControlKind::TabView;
    if (qobject_cast<const QDateTimeEdit*>(widget)) return ControlKind::Clock;
    if (qobject_cast<const QTreeView*>(widget)) return ControlKind::DataBrowser;
    return ControlKind::UserPane;
}

// A four-character command from the widget's "command" property ("ok  "); 0 without one.
UInt32 commandOf(const QWidget* widget) {
    const QByteArray text = widget->property("command").toString().toLatin1();
    if (text.isEmpty() || text.size() > 4) return 0;
    UInt32 command = 0;
    for (int i = 0; i < 4; ++i)
        command = (command << 8) | UInt8(i < text.size() ? text[i] : ' ');
    return command;
}

// Whether the name is "<four characters>_<decimal id>".
bool isControlName(const QString& name) {
    if (name.size() < 6 || name[4] != u'_') return false;
    bool ok = false;
    name.mid(5).toInt(&ok);
    return ok;
}

void setInitialRange(ControlRef control) {
    switch (control->kind) {
    case ControlKind::CheckBox:
        control->maximum = 2;
        break;
    case ControlKind::PopupButton:
        control->minimum = 1;
        control->maximum = SInt32(static_cast<QComboBox*>(control->widget.data())->count());
        break;
    case ControlKind::TabView:
        control->minimum = 1;
        control->maximum = SInt32(static_cast<QTabWidget*>(control->widget.data())->count());
        break;
    default:
        control->maximum = 1;
        break;
    }
}

void forgetControl(OpaqueControlRef* control) {
    Registry& r = registry();
    r.controls.erase(control);
    r.controlByWidget.remove(control->widget.data());
    delete control;
}

void forgetWindow(OpaqueWindowPtr* window) {
    Registry& r = registry();
    std::vector<OpaqueControlRef*> inside;
    for (OpaqueControlRef* control : r.controls)
        if (!control->widget || window->widget == control->widget ||
            (window->widget && window->widget->isAncestorOf(control->widget)))
            inside.push_back(control);
    for (OpaqueControlRef* control : inside)
        forgetControl(control);
    for (QEventLoop* loop : window->modalLoops)
        loop->exit(0);
    r.windows.erase(window);
    r.windowByWidget.remove(window->widget.data());
    delete window;
}

} // namespace

WindowRef liveWindow(WindowRef window) {
    return window && registry().windows.count(window) ? window : nullptr;
}

ControlRef liveControl(ControlRef control) {
    return control && registry().controls.count(control) && control->widget ? control : nullptr;
}

MenuRef liveMenu(MenuRef menu) {
    if (!menu || !liveControl(menu->popup) || menu->popup->kind != ControlKind::PopupButton)
        return nullptr;
    return menu;
}

QString controlObjectName(const ControlID& id) {
    char signature[5] = {char(id.signature >> 24), char(id.signature >> 16),
                         char(id.signature >> 8), char(id.signature), 0};
    return QString::fromLatin1(signature, 4) + u'_' + QString::number(id.id);
}

WindowRef adoptWindow(QWidget* widget, WindowClass windowClass) {
    if (!widget || widget->parentWidget()) return nullptr;
    if (WindowRef existing = windowForWidget(widget)) return existing;
    auto* window = new OpaqueWindowPtr(widget, windowClass);
    Registry& r = registry();
    r.windows.insert(window);
    r.windowByWidget.insert(widget, window);
    // The widget may outlive its window (DisposeWindow deletes it later), and by then another
    // window may have the freed object's address: only a window still of this widget goes.
    // The entry goes by the widget's own address: a guarded pointer to a widget that is being
    // destroyed may already read null. The same holds for a control's widget below.
    QObject::connect(widget, &QObject::destroyed, [window, widget] {
        if (windowForWidget(widget) != window) return;
        registry().windowByWidget.remove(widget);
        forgetWindow(window);
    });
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (!isControlName(child->objectName()) && !commandOf(child)) continue;
        ControlRef control = controlForWidget(child, true);
        // The form's default button is the window's until the program names another.
        if (auto* button = qobject_cast<QPushButton*>(child); button && button->isDefault())
            window->defaultButton = control;
    }
    return window;
}

WindowRef windowForWidget(const QWidget* widget) {
    return widget ? registry().windowByWidget.value(widget, nullptr) : nullptr;
}

ControlRef controlForWidget(QWidget* widget, bool create) {
    if (!widget) return nullptr;
    Registry& r = registry();
    if (OpaqueControlRef* existing = r.controlByWidget.value(widget, nullptr)) return existing;
    if (!create || !widget->parentWidget() || !windowForWidget(widget->window())) return nullptr;
    auto* control = new OpaqueControlRef(widget, kindOf(widget));
    control->command = commandOf(widget);
    control->enabled = !widget->testAttribute(Qt::WA_Disabled);
    setInitialRange(control);
    r.controls.insert(control);
    r.controlByWidget.insert(widget, control);
    QObject::connect(widget, &QObject::destroyed, [control, widget] {
        if (registry().controlByWidget.value(widget, nullptr) != control) return;
        registry().controlByWidget.remove(widget);
        forgetControl(control);
    });
    attachControlBehaviour(control);
    return control;
}

WindowRef windowOfControl(ControlRef control) {
    return liveControl(control) ? windowForWidget(control->widget->window()) : nullptr;
}

void disposeWindowObject(WindowRef window) {
    QPointer<QWidget> widget = window->widget;
    forgetWindow(window);
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
}

OpaqueEventTargetRef* parentTarget(const OpaqueEventTargetRef* target) {
    switch (target->owner) {
    case OpaqueEventTargetRef::Owner::Control:
        if (WindowRef window = windowOfControl(static_cast<ControlRef>(target->object)))
            return &window->target;
        return GetApplicationEventTarget();
    case OpaqueEventTargetRef::Owner::Window:
        return GetApplicationEventTarget();
    case OpaqueEventTargetRef::Owner::Application:
        return nullptr;
    }
    return nullptr;
}

} // namespace hitoolbox

OpaqueWindowPtr::OpaqueWindowPtr(QWidget* widget, WindowClass windowClass)
    : widget(widget), windowClass(windowClass) {
    widget->installEventFilter(new hitoolbox::WindowEventBridge(this, widget));
}
