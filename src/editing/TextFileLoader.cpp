// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextFileLoader.h"

#include "TextEncoding.h"

#include <QFile>
#include <QFileInfo>

namespace TextFileLoader {

QString tooLargeMessage(const QString& path)
{
    return QStringLiteral("Le fichier ") + path + QStringLiteral(" est supérieur ") +
           QStringLiteral("à 60000 octets et ne peut ") +
           QStringLiteral("être édité par ce programme ! ");
}

Result load(const QString& path)
{
    Result result;
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return result;
    if (file.size() >= sizeLimit) {
        result.status = Result::Status::TooLarge;
        return result;
    }
    const QByteArray bytes = file.read(sizeLimit);
    if (file.error() != QFileDevice::NoError)
        return result;
    result.status = Result::Status::Loaded;
    result.text = TextEncoding::withCrLf(TextEncoding::decode(bytes));
    return result;
}

} // namespace TextFileLoader
