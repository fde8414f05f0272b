// A window for the panel and control tests, made from Qt widgets whose children carry
// ControlID names ("prnt_1").
#pragma once

#include <HIToolbox.h>
#include <HIToolboxQt.h>

#include <QCoreApplication>
#include <QWidget>

// A 600 by 400 window holding one user pane per added name, disposed of with the object.
class WidgetWindow {
  public:
    WidgetWindow() : widget_(new QWidget) { widget_->resize(600, 400); }
    ~WidgetWindow() {
        DisposeWindow(window());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    WidgetWindow(const WidgetWindow&) = delete;
    WidgetWindow& operator=(const WidgetWindow&) = delete;

    // Adds a child widget named after the ControlID, at the rectangle; before window().
    void addPane(const char* name, const Rect& bounds) {
        auto* pane = new QWidget(widget_);
        pane->setObjectName(QString::fromLatin1(name));
        pane->setGeometry(bounds.left, bounds.top, bounds.right - bounds.left,
                          bounds.bottom - bounds.top);
    }
    WindowRef window() { return HIWindowFromWidget(widget_); }
    ControlRef control(const ControlID& id) {
        ControlRef found = nullptr;
        GetControlByID(window(), &id, &found);
        return found;
    }

  private:
    QWidget* widget_;
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

inline Rect boundsOf(ControlRef control) {
    Rect bounds;
    GetControlBounds(control, &bounds);
    return bounds;
}
