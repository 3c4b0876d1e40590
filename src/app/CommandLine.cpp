// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace CommandLine {

namespace {

// A local path for an argument: "file:" addresses are decoded, anything else is a path.
QString argumentPath(const QString& argument, const QString& currentDirectory)
{
    if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        if (url.isLocalFile())
            return QDir::cleanPath(url.toLocalFile());
    }
    return coverPath(argument, currentDirectory);
}

} // namespace

QString coverPath(const QString& commandLine, const QString& currentDirectory)
{
    QString path = commandLine.trimmed();
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    if (path.isEmpty())
        return {};
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    return QDir::cleanPath(QDir(currentDirectory).filePath(path));
}

QStringList documentPaths(const QStringList& arguments, const QString& currentDirectory)
{
    if (arguments.size() > 1) {
        const QString whole = coverPath(arguments.join(QLatin1Char(' ')), currentDirectory);
        if (QFileInfo(whole).isFile())
            return {whole};
    }
    QStringList paths;
    for (const QString& argument : arguments) {
        const QString path = argumentPath(argument, currentDirectory);
        if (!path.isEmpty())
            paths << path;
    }
    return paths;
}

bool isLabelFile(const QString& path)
{
    return path.endsWith(QLatin1String(".jket"), Qt::CaseInsensitive);
}

} // namespace CommandLine
