// The theme cursors: the pointer shown over the application's windows, the watch telling the
// user that a call takes time.
#pragma once

#include <MacTypes.h>

extern "C" {

typedef UInt32 ThemeCursor;
enum : ThemeCursor {
    kThemeArrowCursor = 0,
    kThemeWatchCursor = 7,
};

// Shows the cursor over every window of the application until another one is set (the arrow
// being the standard pointer). themeBadCursorIndexErr for another cursor number.
OSStatus SetThemeCursor(ThemeCursor cursor);
}
