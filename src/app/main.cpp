#include "Application.h"
#include "CommandLine.h"
#include "CoverView.h"
#include "HeadlessCommands.h"
#include "frmJewelCase.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QTimer>
#include <csignal>
#include <cstdio>

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
        // No window and no display: fonts are still measured, so a GUI application without
        // a screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        Application::configure(application);
        return HeadlessCommands::run(arguments);
    }

    QApplication application(argc, argv);
    Application::configure(application);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Création et impression des jaquettes et des étiquettes de CD audio."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("fichier"),
                                 QStringLiteral("Jaquette (.jkcd) à ouvrir au démarrage."));
    parser.process(application);

    frmJewelCase window;
    if (qEnvironmentVariableIsSet("JASKELCD_REPORT_FIRST_PAINT"))
        window.coverView()->installEventFilter(new FirstPaintProbe(&window));
    const QString commandLine = parser.positionalArguments().join(QLatin1Char(' '));
    window.startUp(CommandLine::coverPath(commandLine, QDir::currentPath()));
    window.show();
    return application.exec();
}
