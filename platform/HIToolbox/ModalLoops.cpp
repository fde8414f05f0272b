// Application-modal loops: nested QEventLoops, one stack per window.
#include "HIToolboxTesting.h"
#include "MacErrors.h"
#include "Private/ToolboxObjects.h"

#include <QEventLoop>

#include <algorithm>

namespace {

struct ModalLoopObserver {
    HIModalLoopObserver observer = nullptr;
    void* userData = nullptr;
};

ModalLoopObserver& modalLoopObserver() {
    static ModalLoopObserver instance;
    return instance;
}

} // namespace

void HISetModalLoopObserver(HIModalLoopObserver observer, void* userData) {
    modalLoopObserver() = {observer, userData};
}

struct OpaqueEventLoopRef {};

EventLoopRef GetMainEventLoop(void) {
    static OpaqueEventLoopRef mainLoop;
    return &mainLoop;
}

OSStatus RunAppModalLoopForWindow(WindowRef window) {
    if (!(window = hitoolbox::liveWindow(window))) return errInvalidWindowRef;
    QWidget* widget = window->widget;
    const Qt::WindowModality previous = widget->windowModality();
    if (previous != Qt::ApplicationModal) {
        // Qt applies a modality when the window is shown.
        const bool visible = widget->isVisible();
        widget->hide();
        widget->setWindowModality(Qt::ApplicationModal);
        widget->setVisible(visible);
    }
    QEventLoop loop;
    window->modalLoops.push_back(&loop);
    if (const ModalLoopObserver& watcher = modalLoopObserver(); watcher.observer)
        watcher.observer(window, true, watcher.userData);
    loop.exec();
    if (const ModalLoopObserver& watcher = modalLoopObserver(); watcher.observer)
        watcher.observer(window, false, watcher.userData);
    // The window may have been disposed of while the loop ran.
    if (hitoolbox::liveWindow(window)) {
        std::erase(window->modalLoops, &loop);
        if (previous != Qt::ApplicationModal) {
            const bool visible = widget->isVisible();
            widget->hide();
            widget->setWindowModality(previous);
            widget->setVisible(visible);
        }
    }
    return noErr;
}

OSStatus QuitAppModalLoopForWindow(WindowRef window) {
    if (!(window = hitoolbox::liveWindow(window))) return errInvalidWindowRef;
    if (window->modalLoops.empty()) return windowNoAppModalStateErr;
    window->modalLoops.back()->exit(0);
    window->modalLoops.pop_back();
    return noErr;
}
