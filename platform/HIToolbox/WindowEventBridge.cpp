// Qt events of a window widget as Carbon window events.
#include "Private/WindowEventBridge.h"
#include "MacErrors.h"
#include "Private/EventSending.h"
#include "Private/ToolboxObjects.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWindowStateChangeEvent>

namespace hitoolbox {
namespace {

// Presses the window's default (Return) or cancel (Escape) button; false when it has none.
bool pressRoleButton(WindowRef window, int key) {
    ControlRef button = nullptr;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) button = liveControl(window->defaultButton);
    if (key == Qt::Key_Escape) button = liveControl(window->cancelButton);
    auto* pushButton = button ? qobject_cast<QAbstractButton*>(button->widget) : nullptr;
    if (!pushButton || !pushButton->isEnabled()) return false;
    pushButton->click();
    return true;
}

// The maximise button plays the zoom box: a window whose handlers give an ideal size takes
// that content size instead of filling the screen.
void zoomToIdealSize(WindowRef window) {
    QPointer<QWidget> widget = window->widget;
    Point ideal{0, 0};
    if (!askIdealSize(window, &ideal) || !widget) return;
    widget->setWindowState(widget->windowState() & ~Qt::WindowMaximized);
    widget->resize(ideal.h, ideal.v);
}

} // namespace

bool WindowEventBridge::eventFilter(QObject* watched, QEvent* event) {
    WindowRef window = liveWindow(window_);
    if (!window || watched != window->widget) return false;
    switch (event->type()) {
    case QEvent::Close:
        // The close box asks; the window's handlers (or the standard handler) decide.
        event->ignore();
        sendWindowEvent(window, kEventWindowClose);
        return true;
    case QEvent::Move:
        sendWindowEvent(window, kEventWindowBoundsChanged, kWindowBoundsChangeOriginChanged);
        return false;
    case QEvent::Resize:
        sendWindowEvent(window, kEventWindowBoundsChanged, kWindowBoundsChangeSizeChanged);
        return false;
    case QEvent::Paint:
        window->updatePending = false;
        sendWindowEvent(window, kEventWindowDrawContent);
        return false;
    case QEvent::WindowStateChange:
        if (static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMaximized)
            return false;
        if (window->widget->windowState() & Qt::WindowMaximized) zoomToIdealSize(window);
        return false;
    case QEvent::WindowActivate:
        sendWindowEvent(window, kEventWindowActivated);
        return false;
    case QEvent::WindowDeactivate:
        sendWindowEvent(window, kEventWindowDeactivated);
        return false;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            pressRoleButton(window, key);
            return true; // a dialog's own accept and reject would bypass the window's handlers
        }
        return false;
    }
    default:
        return false;
    }
}

} // namespace hitoolbox
