// SPDX-License-Identifier: GPL-3.0-or-later
#include "SharedProcedures.h"

#include <QDir>
#include <QFileInfo>

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        return info.isFile();
    const QDir folder = info.dir();
    return !folder.entryList({name}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

QString WithTrailingBackslash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}
