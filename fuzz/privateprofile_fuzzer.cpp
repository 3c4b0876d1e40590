// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader on any bytes, read from a file as the record import reads it.
#include "FuzzSupport.h"
#include "PrivateProfile.h"

#include <QStringList>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString input = inputPath(QStringLiteral("x~x.cfg"));
    writeInput(input, data, size);

    const PrivateProfile profile = PrivateProfile::read(input);
    for (const char* section : {"Core", "RecordData", "SubRec", ""}) {
        for (const char* key : {"MediaFlag", "Title", "Track1", "NrSubRecords", ""})
            profile.value(QLatin1String(section), QLatin1String(key));
    }
    const QString fallback = QStringLiteral("défaut");
    const QString value = ReadWriteINI(QStringLiteral("GET"), input, QStringLiteral("Core"),
                                       QStringLiteral("Title"), fallback);
    require(value ==
                profile.value(QStringLiteral("Core"), QStringLiteral("Title")).value_or(fallback),
            "ReadWriteINI gives the profile's value");
    return 0;
}
