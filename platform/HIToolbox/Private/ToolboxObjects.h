// The objects behind WindowRef, ControlRef and MenuRef, and the registry that tells live
// references from null or disposed ones.
#pragma once

#include "../Controls.h"
#include "EventTarget.h"

#include <CFRef.h>

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class QEventLoop;
class DataBrowserModel;

struct OpaqueGrafPtr {
    WindowRef window;
};

struct OpaqueWindowPtr {
    // Installs the widget's event bridge, a child of the widget, so that it outlives this
    // object when the window is disposed of from one of its own events.
    OpaqueWindowPtr(QWidget* widget, WindowClass windowClass);

    QPointer<QWidget> widget;
    OpaqueEventTargetRef target{OpaqueEventTargetRef::Owner::Window, this};
    OpaqueGrafPtr port{this};
    WindowClass windowClass;
    WindowAttributes attributes = kWindowNoAttributes;
    SInt16 kind = 0;
    SRefCon refCon = nullptr;
    CFRef<CFStringRef> alternateTitle;
    ControlRef defaultButton = nullptr;
    ControlRef cancelButton = nullptr;
    bool updatePending = false;
    std::vector<QEventLoop*> modalLoops; // innermost last
};

enum class ControlKind {
    PushButton,
    CheckBox,
    StaticText,
    EditText,
    PopupButton,
    GroupBox,
    TabView,
    Clock,
    DataBrowser,
    UserPane,
};

struct OpaqueMenuRef {
    ControlRef popup;
};

struct OpaqueControlRef {
    OpaqueControlRef(QWidget* widget, ControlKind kind) : widget(widget), kind(kind) {}

    QPointer<QWidget> widget;
    const ControlKind kind;
    OpaqueEventTargetRef target{OpaqueEventTargetRef::Owner::Control, this};
    SInt32 storedValue = 0; // the value of kinds whose widget has none
    SInt32 minimum = 0;
    SInt32 maximum = 0;
    bool active = true;
    bool enabled = true;
    bool paneVisible = true;    // the visibility of a tab view's pane (Qt shows the current one)
    int programmaticChange = 0; // > 0 while the toolbox itself changes the widget
    SRefCon reference = nullptr;
    UInt32 command = 0;
    std::map<std::pair<OSType, OSType>, QByteArray> properties;
    ControlKeyFilterUPP keyFilter = nullptr;
    ControlEditTextValidationUPP validation = nullptr;
    OpaqueMenuRef menu{this};
    DataBrowserModel* browser = nullptr; // owned by the view
};

namespace hitoolbox {

// Live references or null.
WindowRef liveWindow(WindowRef window);
ControlRef liveControl(ControlRef control);
MenuRef liveMenu(MenuRef menu);

// Makes a top-level widget a window (or gives its existing one) and wraps its named controls.
WindowRef adoptWindow(QWidget* widget, WindowClass windowClass);
// The window of a top-level widget, or null.
WindowRef windowForWidget(const QWidget* widget);
// The control of a widget inside a window; made on first use when create is true.
ControlRef controlForWidget(QWidget* widget, bool create);
// The window that holds the control now (controls move with EmbedControl).
WindowRef windowOfControl(ControlRef control);
// Forgets the window and its controls and destroys the widget once control returns to Qt.
void disposeWindowObject(WindowRef window);

// Adds a widget's kind-specific behaviour when its control is made (Qt signals into events,
// key filtering, data browser model).
void attachControlBehaviour(ControlRef control);

// "snte_403" for ('snte', 403).
QString controlObjectName(const ControlID& id);

// Runs a change of the widget made by the toolbox itself, so that the Qt signals it causes do
// not become user events.
template <class Change> void changeProgrammatically(ControlRef control, Change change) {
    ++control->programmaticChange;
    change();
    --control->programmaticChange;
}

} // namespace hitoolbox
