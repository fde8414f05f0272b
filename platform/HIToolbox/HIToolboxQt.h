// The bridge between toolbox references and their Qt widgets, for hosts (the print dialog)
// and the test driver. Production code of the system uses the toolbox calls instead.
#pragma once

#include "Controls.h"

class QWidget;

QWidget* HIWindowGetWidget(WindowRef window);    // null for a null or stale window
QWidget* HIControlGetWidget(ControlRef control); // null for a null or stale control
// Makes a top-level widget a toolbox window (the same WindowRef on every call). The widget
// stays the caller's until DisposeWindow; null for null or for a widget with a parent.
WindowRef HIWindowFromWidget(QWidget* widget);
// The control of a widget inside a toolbox window (made on first use); null otherwise.
ControlRef HIControlFromWidget(QWidget* widget);
