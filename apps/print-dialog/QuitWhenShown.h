// Ends the application's event loop once a window has been painted for the first time, so
// that a program's start can be measured up to the moment its window shows.
#pragma once

class QWidget;

// Watches window (which must outlive the event loop); the first paint of the window and its
// children is completed before the loop is ended with status 0.
void quitWhenShown(QWidget& window);
