// Window calls over top-level widgets.
#include "HIToolboxQt.h"
#include "MacErrors.h"
#include "Private/Geometry.h"
#include "Private/StringBridge.h"
#include "Private/ToolboxObjects.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

using hitoolbox::liveControl;
using hitoolbox::liveWindow;

namespace {

// The rectangle a window is placed in: its parent's frame, else the primary screen's.
QRect placementArea(WindowRef parent) {
    if ((parent = liveWindow(parent))) return parent->widget->frameGeometry();
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Gives the button the role (making it the window's default button when isDefault).
OSStatus setRoleButton(WindowRef window, ControlRef control, ControlRef& role, bool isDefault) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (control && !(control = liveControl(control))) return errUnknownControl;
    if (isDefault) {
        if (ControlRef previous = liveControl(role))
            if (auto* button = qobject_cast<QPushButton*>(previous->widget))
                button->setDefault(false);
        if (auto* button = control ? qobject_cast<QPushButton*>(control->widget) : nullptr)
            button->setDefault(true);
    }
    role = control;
    return noErr;
}

OSStatus copyTitle(WindowRef window, const QString& title, CFStringRef* outTitle) {
    if (!liveWindow(window)) return errInvalidWindowRef;
    if (!outTitle) return paramErr;
    *outTitle = hitoolbox::createCFString(title);
    return noErr;
}

// Marks the area for repainting (inval) or takes the mark off (valid).
OSStatus markArea(WindowRef window, const QRegion& area, bool invalidate) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (invalidate) {
        window->updatePending = true;
        window->widget->update(area);
    } else if (area.contains(window->widget->rect())) {
        window->updatePending = false;
    }
    return noErr;
}

} // namespace

OSStatus CreateNewWindow(WindowClass windowClass, WindowAttributes attributes,
                         const Rect* contentBounds, WindowRef* outWindow) {
    if (!contentBounds || !outWindow) return paramErr;
    const bool dialog = windowClass != kDocumentWindowClass && windowClass != kPlainWindowClass &&
                        windowClass != kFloatingWindowClass;
    auto* widget = new QWidget(nullptr, dialog ? Qt::Dialog : Qt::Window);
    widget->setGeometry(hitoolbox::toQRect(*contentBounds));
    *outWindow = hitoolbox::adoptWindow(widget, windowClass);
    (*outWindow)->attributes = attributes;
    return noErr;
}

void DisposeWindow(WindowRef window) {
    if ((window = liveWindow(window))) hitoolbox::disposeWindowObject(window);
}

CGrafPtr GetWindowPort(WindowRef window) {
    return (window = liveWindow(window)) ? &window->port : nullptr;
}

void SetWindowKind(WindowRef window, SInt16 kind) {
    if ((window = liveWindow(window))) window->kind = kind;
}

SInt16 GetWindowKind(WindowRef window) {
    return (window = liveWindow(window)) ? window->kind : 0;
}

void SetWRefCon(WindowRef window, SRefCon data) {
    if ((window = liveWindow(window))) window->refCon = data;
}

SRefCon GetWRefCon(WindowRef window) {
    return (window = liveWindow(window)) ? window->refCon : nullptr;
}

OSStatus GetWindowClass(WindowRef window, WindowClass* outClass) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (!outClass) return paramErr;
    *outClass = window->windowClass;
    return noErr;
}

OSStatus ChangeWindowAttributes(WindowRef window, WindowAttributes setTheseAttributes,
                                WindowAttributes clearTheseAttributes) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    window->attributes = (window->attributes | setTheseAttributes) & ~clearTheseAttributes;
    return noErr;
}

OSStatus GetWindowAttributes(WindowRef window, WindowAttributes* outAttributes) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (!outAttributes) return paramErr;
    *outAttributes = window->attributes;
    return noErr;
}

void SelectWindow(WindowRef window) {
    if (!(window = liveWindow(window))) return;
    window->widget->raise();
    window->widget->activateWindow();
}

void ShowWindow(WindowRef window) {
    if ((window = liveWindow(window))) window->widget->show();
}

void HideWindow(WindowRef window) {
    if ((window = liveWindow(window))) window->widget->hide();
}

Boolean IsWindowVisible(WindowRef window) {
    return (window = liveWindow(window)) && window->widget->isVisible();
}

OSStatus SetWindowTitleWithCFString(WindowRef window, CFStringRef title) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    window->widget->setWindowTitle(hitoolbox::toQString(title));
    return noErr;
}

OSStatus CopyWindowTitleAsCFString(WindowRef window, CFStringRef* outTitle) {
    return copyTitle(window, liveWindow(window) ? window->widget->windowTitle() : QString(),
                     outTitle);
}

OSStatus SetWindowAlternateTitle(WindowRef window, CFStringRef title) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    window->alternateTitle.reset(title ? CFStringCreateCopy(nullptr, title) : nullptr);
    return noErr;
}

OSStatus CopyWindowAlternateTitle(WindowRef window, CFStringRef* outTitle) {
    return copyTitle(
        window, liveWindow(window) ? hitoolbox::toQString(window->alternateTitle.get()) : QString(),
        outTitle);
}

void MoveWindow(WindowRef window, SInt16 hGlobal, SInt16 vGlobal, Boolean front) {
    if (!(window = liveWindow(window))) return;
    QRect geometry = window->widget->geometry();
    geometry.moveTopLeft(QPoint(hGlobal, vGlobal));
    window->widget->setGeometry(geometry);
    if (front) window->widget->raise();
}

void SizeWindow(WindowRef window, SInt16 width, SInt16 height, Boolean) {
    if ((window = liveWindow(window))) window->widget->resize(width, height);
}

OSStatus RepositionWindow(WindowRef window, WindowRef parentWindow, WindowPositionMethod method) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (method < kWindowCenterOnMainScreen || method > kWindowAlertPositionOnParentWindowScreen)
        return paramErr;
    const bool onParent = method == kWindowCenterOnParentWindow ||
                          method == kWindowCascadeOnParentWindow ||
                          method == kWindowAlertPositionOnParentWindow;
    const QRect area = placementArea(onParent ? parentWindow : nullptr);
    QRect frame = window->widget->frameGeometry();
    const int left = area.left() + (area.width() - frame.width()) / 2;
    int top = area.top() + (area.height() - frame.height()) / 2; // centred
    if (method >= kWindowAlertPositionOnMainScreen)
        top = area.top() + (area.height() - frame.height()) / 3;
    if (method >= kWindowCascadeOnMainScreen && method <= kWindowCascadeOnParentWindowScreen)
        top = area.top() + 20;
    window->widget->move(left, top);
    return noErr;
}

OSStatus GetWindowBounds(WindowRef window, WindowRegionCode regionCode, Rect* outBounds) {
    if (!(window = liveWindow(window))) return errInvalidWindowRef;
    if (!outBounds || (regionCode != kWindowContentRgn && regionCode != kWindowStructureRgn))
        return paramErr;
    *outBounds =
        hitoolbox::toRect(regionCode == kWindowContentRgn ? window->widget->geometry()
                                                          : window->widget->frameGeometry());
    return noErr;
}

OSStatus InvalWindowRgn(WindowRef window, RgnHandle region) {
    return region ? markArea(window, region->region, true) : paramErr;
}

OSStatus InvalWindowRect(WindowRef window, const Rect* bounds) {
    return bounds ? markArea(window, QRegion(hitoolbox::toQRect(*bounds)), true) : paramErr;
}

OSStatus ValidWindowRgn(WindowRef window, RgnHandle region) {
    return region ? markArea(window, region->region, false) : paramErr;
}

OSStatus ValidWindowRect(WindowRef window, const Rect* bounds) {
    return bounds ? markArea(window, QRegion(hitoolbox::toQRect(*bounds)), false) : paramErr;
}

Boolean IsWindowUpdatePending(WindowRef window) {
    return (window = liveWindow(window)) && window->updatePending;
}

OSStatus SetWindowDefaultButton(WindowRef window, ControlRef control) {
    return liveWindow(window) ? setRoleButton(window, control, window->defaultButton, true)
                              : errInvalidWindowRef;
}

OSStatus SetWindowCancelButton(WindowRef window, ControlRef control) {
    return liveWindow(window) ? setRoleButton(window, control, window->cancelButton, false)
                              : errInvalidWindowRef;
}

QWidget* HIWindowGetWidget(WindowRef window) {
    return (window = liveWindow(window)) ? window->widget.data() : nullptr;
}

WindowRef HIWindowFromWidget(QWidget* widget) {
    return hitoolbox::adoptWindow(widget, kDocumentWindowClass);
}
