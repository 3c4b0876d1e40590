#include "CommandLine.h"

#include <QDir>

namespace CommandLine {

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

} // namespace CommandLine
