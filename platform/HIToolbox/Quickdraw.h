// Geometry of the toolbox: points, rectangles (signed 16-bit), regions and graphics ports.
#pragma once

#include <MacTypes.h>

extern "C" {

struct Point {
    SInt16 v;
    SInt16 h;
};

struct Rect {
    SInt16 top;
    SInt16 left;
    SInt16 bottom;
    SInt16 right;
};

typedef struct OpaqueRgnHandle* RgnHandle;
typedef struct OpaqueGrafPtr* CGrafPtr; // a window's port; it lives as long as its window
}
