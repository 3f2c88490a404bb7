#include "toolbox/byte_size.h"

#include <cmath>

QString FormatByteSize(double bytes)
{
    const double count = std::max(0.0, std::round(bytes));
    if (count < 1024)
        return QStringLiteral("%1 bytes").arg(static_cast<qint64>(count));

    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB"};
    double value = count / 1024;
    int unit = 0;
    while (value >= 1000 && unit < 4) {
        value /= 1024;
        ++unit;
    }
    // Digits are cut, not rounded, so 1023.99 KB never shows as "1024 KB".
    const int decimals = value < 10 ? 2 : value < 100 ? 1 : 0;
    const double scale = std::pow(10.0, decimals);
    const double shown = std::floor(value * scale + 1e-9) / scale;
    return QStringLiteral("%1 %2").arg(shown, 0, 'f', decimals).arg(QLatin1String(units[unit]));
}
