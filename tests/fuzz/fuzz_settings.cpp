// The settings loader: a cover's vorn.ini of any bytes, applied to a document, its
// picture references resolved beside it.
#include "document/cover_document.h"
#include "document/settings_file.h"
#include "fuzz_support.h"

CASELEAF_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = fuzzing::inputFile(data, size, QStringLiteral("vorn.ini"));
    static const QStringList fonts = {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana")};
    for (const ReferenceSource source : {ReferenceSource::CoverArchive, ReferenceSource::LegacyFile}) {
        CoverDocument doc;
        LoadIniFile(doc, file, false, fonts, {}, source);
        LoadIniFile(doc, file, true, fonts);
        SaveIniFile(doc, fuzzing::folder().filePath(QStringLiteral("again.ini")), QString(), true);
    }
    return 0;
}
