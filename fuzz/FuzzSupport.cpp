// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

void startGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    // As the tests and the headless commands run: nothing is shown, text is still measured.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", "/usr/share/fonts");
    static int argc = 1;
    static char name[] = "jaskel_fuzz";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends, as the program keeps its own.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    Q_UNUSED(application);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

QString inputPath(const QString& name)
{
    static QTemporaryDir folder;
    return folder.filePath(name);
}

void writeInput(const QString& path, const std::uint8_t* data, std::size_t size)
{
    QFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
    require(written, "the input could be written to its file");
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void require(bool condition, const char* rule)
{
    if (condition)
        return;
    std::fprintf(stderr, "Rule broken: %s\n", rule);
    std::abort();
}

void requireSame(const QByteArray& first, const QByteArray& second, const char* rule)
{
    if (first == second)
        return;
    const QList<QByteArray> firstLines = first.split('\n');
    const QList<QByteArray> secondLines = second.split('\n');
    for (qsizetype i = 0; i < std::max(firstLines.size(), secondLines.size()); ++i) {
        if (firstLines.value(i) != secondLines.value(i)) {
            std::fprintf(stderr, "Line %lld: \"%s\" then \"%s\"\n", static_cast<long long>(i + 1),
                         firstLines.value(i).toPercentEncoding(" ,\"").constData(),
                         secondLines.value(i).toPercentEncoding(" ,\"").constData());
            break;
        }
    }
    require(false, rule);
}

} // namespace FuzzSupport
