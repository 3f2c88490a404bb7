// Picture files of any bytes, decoded as a cover's pictures are, metafiles included.
#include "document/cover_document.h"
#include "document/wmf_picture.h"
#include "document/wmf_records.h"
#include "fuzz_support.h"

CASELEAF_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString file = fuzzing::inputFile(data, size, QStringLiteral("picture"));
    readPictureFile(file);
    isPictureFile(file);
    wmfRecordProblem(fuzzing::bytes(data, size));
    return 0;
}
