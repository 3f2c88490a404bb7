#pragma once

#include <QString>

// The about box's version label: "4.0 rev.11".
QString VersionLabel();
// "Current display information: 1024 by 768 pixels. 16 bit colours."
QString DisplayLine(int width, int height, int depth);
