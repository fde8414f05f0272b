// Conversions between toolbox rectangles (signed 16-bit) and Qt rectangles.
#pragma once

#include "../Quickdraw.h"

#include <QRect>
#include <QRegion>

struct OpaqueRgnHandle {
    QRegion region;
};

namespace hitoolbox {

inline QRect toQRect(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

inline Rect toRect(const QRect& rect) {
    return Rect{SInt16(rect.top()), SInt16(rect.left()), SInt16(rect.top() + rect.height()),
                SInt16(rect.left() + rect.width())};
}

} // namespace hitoolbox
