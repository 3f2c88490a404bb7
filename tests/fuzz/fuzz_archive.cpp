// The archive engine's open and unpack path on any bytes, as an open and the open
// dialog's preview use it.
#include "archive/zip_engine.h"
#include "fuzz_support.h"

#include <QDir>

CASELEAF_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString archive = fuzzing::inputFile(data, size, QStringLiteral("cover.vrz"));
    const QString target = fuzzing::folder().filePath(QStringLiteral("unpacked"));
    ExtractNotes notes;
    ExtractFile(archive, target, false, false, &notes);
    ExtractFile(archive, target, false, true);
    ExtractSingleFiles(archive, target, {QStringLiteral("~vorn_preview_file~.bmp")}, 1 << 20);
    QDir(target).removeRecursively();
    return 0;
}
