#include "platform/cover_drop.h"

#include "document/cover_archive.h"

#include <QDragMoveEvent>
#include <QMimeData>

QString firstDraggedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return QString();
    return data->urls().first().toLocalFile();
}

void acceptCoverDrag(QDragMoveEvent* event)
{
    // Always a copy: a file manager deletes the source of a drop accepted as a move.
    if (isCoverFileName(firstDraggedFile(event->mimeData()))) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}
