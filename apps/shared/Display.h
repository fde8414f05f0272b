// Whether a graphical program started from here has a screen to show its windows on.
#pragma once

// True when Qt is told which platform to use (QT_QPA_PLATFORM) or an X11 or Wayland display is
// named (DISPLAY, WAYLAND_DISPLAY).
bool hasDisplay();
