#include "platform/desktop_links.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenDocument(const QString& link)
{
    return QDesktopServices::openUrl(QUrl(link));
}
