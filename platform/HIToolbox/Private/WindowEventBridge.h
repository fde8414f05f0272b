// Turns a window widget's Qt events into Carbon window events: close box -> close, move and
// resize -> bounds changed, paint -> draw content, activation changes, maximise -> a zoom to
// the ideal size that the window's handlers give (get ideal size), and Return / Escape -> a
// press of the window's default / cancel button.
#pragma once

#include "../MacWindows.h"

#include <QObject>

namespace hitoolbox {

class WindowEventBridge : public QObject {
  public:
    WindowEventBridge(WindowRef window, QObject* parent) : QObject(parent), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    WindowRef window_;
};

} // namespace hitoolbox
