// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlbumPictures.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace AlbumPictures {

namespace {

// A name part without what a file name cannot hold.
QString fileNamePart(const QString& text)
{
    QString part = text.simplified();
    for (QChar& c : part) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('-');
    }
    while (part.startsWith(QLatin1Char('.')))
        part.remove(0, 1);
    return part.left(80).trimmed();
}

QString suffixOf(const QByteArray& bytes)
{
    return bytes.startsWith("\x89PNG") ? QStringLiteral("png") : QStringLiteral("jpg");
}

} // namespace

QString folder()
{
    QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (pictures.isEmpty())
        pictures = QDir::homePath();
    return QDir(pictures).filePath(QStringLiteral("Jaskel CD"));
}

QString keep(const QByteArray& bytes, const QString& artist, const QString& album, Side side,
             const QString& into)
{
    if (bytes.isEmpty() || !QDir().mkpath(into))
        return {};
    QStringList parts;
    for (const QString& part : {fileNamePart(artist), fileNamePart(album)})
        if (!part.isEmpty())
            parts << part;
    parts << (side == Side::Front ? QStringLiteral("recto") : QStringLiteral("verso"));
    const QString stem = parts.join(QStringLiteral(" - "));
    const QString suffix = suffixOf(bytes);
    const QDir dir(into);
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString name = attempt == 1
                                 ? QStringLiteral("%1.%2").arg(stem, suffix)
                                 : QStringLiteral("%1 (%2).%3").arg(stem).arg(attempt).arg(suffix);
        QFile file(dir.filePath(name));
        // NewOnly: a file that appears between the test and the write is never replaced.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (!file.exists())
                return {};
            // The same picture kept before (the same album looked up again) is that file.
            QFile existing(file.fileName());
            if (existing.size() == bytes.size() && existing.open(QIODevice::ReadOnly) &&
                existing.readAll() == bytes)
                return existing.fileName();
            continue;
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            file.close();
            file.remove();
            return {};
        }
        return file.fileName();
    }
    return {};
}

} // namespace AlbumPictures
