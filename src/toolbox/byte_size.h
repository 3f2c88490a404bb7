#pragma once

#include <QString>

// "N bytes" below 1024, then KB, MB, GB, TB in steps of 1024 with three
// significant digits ("12.3 KB", "123 KB", "1.20 MB"). Sizes are 64-bit.
QString FormatByteSize(double bytes);
