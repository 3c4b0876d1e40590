// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CommandLine.h"
#include "CommandUsage.h"
#include "CoverView.h"
#include "CoverWindow.h"
#include "HeadlessCommands.h"
#include "PictureReadAhead.h"
#include "Twips.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <optional>

namespace {

// Benchmarks ask the window to say when it has painted for the first time, and to close.
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, [] {
                std::fprintf(stderr, "first-paint-epoch-ns %lld\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()) *
                                 1000000LL);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

// The largest face of a cover on the primary screen at its own size, in pixels.
QSize largestFaceOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? PictureReadAhead::largestFaceAt(screen->logicalDotsPerInch() / Twips::perInch *
                                                    screen->devicePixelRatio())
                  : QSize();
}

} // namespace

int main(int argc, char* argv[])
{
    // A write past the file-size limit then fails like one on a full disk, and is reported
    // with the old file kept, instead of ending the program and the unsaved work with it.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (HeadlessCommands::requested(arguments)) {
        const std::optional<HeadlessCommands::Request> request = HeadlessCommands::parse(arguments);
        if (!request)
            return 1;
        // No window and no display: fonts are still measured, so a GUI application without
        // a screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        Application::configure(application);
        return HeadlessCommands::run(*request);
    }

    // Help and version are only printed: they need no display either.
    const QStringList printedOnly = {QStringLiteral("-h"), QStringLiteral("--help"),
                                     QStringLiteral("-v"), QStringLiteral("--version")};
    for (const QString& argument : arguments.mid(1)) {
        if (printedOnly.contains(argument) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // The pictures of a cover to open are read while the program starts and the window is
    // being built (the files as the parser below will find them).
    std::optional<PictureReadAhead> readAhead;
    QStringList named;
    for (const QString& argument : arguments.mid(1)) {
        if (!argument.startsWith(QLatin1Char('-')))
            named << argument;
    }
    const QString firstNamed = CommandLine::documentPaths(named, QDir::currentPath()).value(0);
    if (named.size() == arguments.size() - 1 && !firstNamed.isEmpty() &&
        !CommandLine::isLabelFile(firstNamed))
        readAhead.emplace(firstNamed);

    QApplication application(argc, argv);
    Application::configure(application);

    // The parser takes the files, the version and the help, whose text is CommandUsage's, so
    // that it lists the commands without a window too.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Afficher cette aide."));
    parser.addOption(help);
    parser.addVersionOption();
    parser.process(application);
    if (parser.isSet(help)) {
        std::fputs(qPrintable(CommandUsage::help()), stdout);
        return 0;
    }

    const QStringList paths =
        CommandLine::documentPaths(parser.positionalArguments(), QDir::currentPath());
    // A window holds one cover and one label: each file after the first gets a program of its
    // own, as a file manager does for a program that takes one file.
    for (qsizetype i = 1; i < paths.size(); ++i)
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {paths[i]});
    const QString first = paths.value(0);
    const bool label = CommandLine::isLabelFile(first);

    if (readAhead)
        readAhead->decodeFor(largestFaceOnScreen());
    CoverWindow window;
    if (qEnvironmentVariableIsSet("JASKELCD_REPORT_FIRST_PAINT"))
        window.coverView()->installEventFilter(new FirstPaintProbe(&window));
    window.startUp(label ? QString() : first);
    if (readAhead)
        readAhead->release();
    window.show();
    // A label opens in the label window, over a new cover.
    if (label)
        window.openLabel(first);
    const int status = application.exec();
    // Its reading ends while the application still is.
    readAhead.reset();
    return status;
}
