// Regions, as Qt regions.
#include "Private/Geometry.h"

RgnHandle NewRgn(void) {
    return new OpaqueRgnHandle;
}

void DisposeRgn(RgnHandle region) {
    delete region;
}

void RectRgn(RgnHandle region, const Rect* rect) {
    if (region && rect) region->region = QRegion(hitoolbox::toQRect(*rect));
}
