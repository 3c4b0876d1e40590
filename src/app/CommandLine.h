#pragma once

#include <QString>

// The cover file named on the command line: a path in double quotes loses its quotes, an
// absolute path is used as it is, a relative one is taken from the current directory.
namespace CommandLine {

QString coverPath(const QString& commandLine, const QString& currentDirectory);

} // namespace CommandLine
