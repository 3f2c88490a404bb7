#include "platform/screen_access.h"

#include <QGuiApplication>

ScreenAccess screenAccessFor(const QString& platformName, const QString& sessionType, bool waylandDisplay)
{
    if (platformName.startsWith(QLatin1String("wayland")))
        return ScreenAccess::Portal;
    if (platformName == QLatin1String("xcb") && (sessionType == QLatin1String("wayland") || waylandDisplay))
        return ScreenAccess::Portal;
    return ScreenAccess::StillImage;
}

ScreenAccess currentScreenAccess()
{
    return screenAccessFor(QGuiApplication::platformName(), qEnvironmentVariable("XDG_SESSION_TYPE"),
                           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"));
}
