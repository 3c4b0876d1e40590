// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The files named on the command line.
namespace CommandLine {

// The cover file of a command line taken whole: a path in double quotes loses its quotes, an
// absolute path is used as it is, a relative one is taken from the current directory.
QString coverPath(const QString& commandLine, const QString& currentDirectory);

// Every file the arguments name, in their order. The arguments joined by spaces name one file
// when that file exists (a path with spaces typed without quotes, as the program has always
// taken it); otherwise each argument is a file of its own, as a file manager passes several.
// "file:" addresses become local paths; other arguments are paths as coverPath takes them.
QStringList documentPaths(const QStringList& arguments, const QString& currentDirectory);

// A CD label (.jket) rather than a cover, by the file's suffix in any letter case.
bool isLabelFile(const QString& path);

} // namespace CommandLine
