#pragma once

#include <QString>
#include <QVector>

// The places box of the contents dialog, where a user starts looking for a folder:
// the home folder, the root, then the mounted volumes (discs, sticks, network shares),
// leaving out the system's own file systems.
struct Place {
    QString label;
    QString path;
};

QVector<Place> ListPlaces();
// The place holding path: the one with the longest path containing it; -1 for none.
int PlaceOf(const QVector<Place>& places, const QString& path);
