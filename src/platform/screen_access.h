#pragma once

#include <QString>

// How the colour picker can see the screen. Where the desktop lets a program read the
// screen (X11, Windows, macOS, the offscreen test platform) it takes a still image; a
// Wayland session allows that to nobody, not even to a program running through
// XWayland, whose copy would show other programs' windows black. There the desktop
// portal picks the colour for it.
enum class ScreenAccess { StillImage, Portal };

ScreenAccess screenAccessFor(const QString& platformName, const QString& sessionType, bool waylandDisplay);
// For the running program.
ScreenAccess currentScreenAccess();
