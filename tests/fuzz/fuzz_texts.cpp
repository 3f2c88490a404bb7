// The combined text file's parser, and the texts drawn as the sheets draw them.
#include "document/cover_document.h"
#include "document/text_files.h"
#include "fuzz_support.h"
#include "render/display_lines.h"

CASELEAF_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CoverDocument doc;
    ParseTexts(doc, fuzzing::bytes(data, size));
    static const QFont font(QStringLiteral("Arial"), 6);
    for (const QString* text : {&doc.Contents, &doc.FrontText1, &doc.FrontText2})
        displayLines(*text, font, 40, 60);
    return 0;
}
