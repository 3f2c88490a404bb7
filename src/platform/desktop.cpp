#include "platform/desktop.h"

#include <QDesktopServices>
#include <QUrl>

bool openWithDesktop(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool OpenDocument(const QString& link)
{
    return QDesktopServices::openUrl(QUrl(link));
}
