#include "QuitWhenShown.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Watches every paint event of the application until one paints the window or a widget in it
// (the window itself gets none where its children cover it). The exit is queued, so it runs
// after the rest of that paint pass; it is an exit rather than a quit, which would first ask
// the windows to close (and a dialog may refuse).
class FirstPaintWatcher : public QObject {
  public:
    explicit FirstPaintWatcher(QWidget& window) : QObject(&window), window_(window) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &window_) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
};

} // namespace

void quitWhenShown(QWidget& window) {
    new FirstPaintWatcher(window);
}
