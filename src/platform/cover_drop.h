#pragma once

#include <QString>

class QDragMoveEvent;
class QMimeData;

// The first file of a dragged file list, or an empty text.
QString firstDraggedFile(const QMimeData* data);

// Accepts a drag that brings a cover file, as a copy; ignores any other.
void acceptCoverDrag(QDragMoveEvent* event);
