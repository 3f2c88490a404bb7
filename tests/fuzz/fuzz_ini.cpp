// The profile-file reader on any bytes.
#include "fuzz_support.h"
#include "toolbox/ini_file.h"

CASELEAF_FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const IniFile ini = IniFile::fromBytes(fuzzing::bytes(data, size));
    for (const char* key : {"Text", "Fontname", "BackPicture", "V1", ""})
        ini.value(QStringLiteral("LastCover"), QString::fromLatin1(key));
    ini.value(QString(), QString());
    return 0;
}
