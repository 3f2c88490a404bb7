#pragma once

#include "contents/walk_pacer.h"

#include <QString>

#include <functional>

struct FolderSize {
    qint64 bytes = 0;
    bool complete = true; // false when the walk was stopped before its end
};

// The total length of the files below a folder, depth first, in 64 bits. Files whose
// names begin with "." count; folders whose names begin with "." are skipped. A folder
// that cannot be read adds nothing. Links are followed within the folder only, and each
// folder is counted once (see WalkBounds).
// keepGoing is asked every pollMs while the walk runs; when it returns false the walk
// ends at once and the result is incomplete.
FolderSize GetFolderSize(const QString& path, const std::function<bool()>& keepGoing = {},
                         int pollMs = kWalkPollMs);
