// Theme cursors as the application's override cursor: the watch overrides every window's own
// cursor, the arrow takes the override away again.
#include "Appearance.h"
#include "MacErrors.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

bool overriding = false;

} // namespace

OSStatus SetThemeCursor(ThemeCursor cursor) {
    switch (cursor) {
    case kThemeArrowCursor:
        if (overriding) QGuiApplication::restoreOverrideCursor();
        overriding = false;
        return noErr;
    case kThemeWatchCursor:
        if (overriding)
            QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        overriding = true;
        return noErr;
    default:
        return themeBadCursorIndexErr;
    }
}
