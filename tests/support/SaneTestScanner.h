// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QLibrary>
#include <QLibraryInfo>
#include <QTemporaryDir>

// Points SANE at its own "test" scanner and no other, with `settings` added to the ranges it
// needs. SANE reads its configuration once a process: call this before its first command.
inline bool useSaneTestScanner(const QTemporaryDir& dir, const QByteArray& settings)
{
    QFile backends(dir.filePath(QStringLiteral("dll.conf")));
    QFile test(dir.filePath(QStringLiteral("test.conf")));
    const QByteArray ranges = "resolution_min 1.0\nresolution_max 1200.0\nresolution_quant 1.0\n"
                              "geometry_min 0.0\ngeometry_max 200.0\ngeometry_quant 1.0\n"
                              "tl_x 0.0\ntl_y 0.0\n";
    if (!backends.open(QIODevice::WriteOnly) || backends.write("test\n") != 5 ||
        !test.open(QIODevice::WriteOnly) || test.write(ranges + settings) <= 0)
        return false;
    // Kept loaded after SANE lets it go, so that LeakSanitizer names the backend in what it
    // leaks instead of an unloaded module (tools/lsan-suppressions.txt).
    static QLibrary backend(
        QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/sane/libsane-test"), 1);
    backend.setLoadHints(QLibrary::PreventUnloadHint);
    backend.load();
    return qputenv("SANE_CONFIG_DIR", dir.path().toLocal8Bit());
}
