#include "Application.h"
#include "OutputCommands.h"
#include "ScriptedPrompter.h"
#include "frmJewelCase.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool write(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

} // namespace

// Printing through a real CUPS queue: a scheduler of the test's own on loopback, whose queue
// copies each job's PDF into a file.
class TestCupsPrint : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QProcess scheduler_;

private Q_SLOTS:
    void initTestCase()
    {
        Application::configure(*qApp);
        if (!QFile::exists("/usr/sbin/cupsd") || geteuid() != 0)
            QSKIP("cupsd is not installed, or the test does not run as root");
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        // The scheduler works as lp.
        QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7777));
        for (const char* folder : {"spool", "cache", "state", "log", "out"}) {
            QVERIFY(QDir(dir_.path()).mkpath(QLatin1String(folder)));
            QFile::setPermissions(dir_.filePath(QLatin1String(folder)),
                                  QFileDevice::Permissions(0x7777));
        }
        const QString conf = dir_.filePath("cupsd.conf"), files = dir_.filePath("cups-files.conf");
        QVERIFY(write(
            conf, QStringLiteral("Listen 127.0.0.1:%1\nWebInterface No\nDefaultAuthType None\n"
                                 "<Location />\n Allow all\n</Location>\n"
                                 "<Location /admin>\n Allow all\n</Location>\n<Policy default>\n"
                                 " <Limit All>\n  Allow all\n </Limit>\n</Policy>\n")
                      .arg(port)));
        QVERIFY(
            write(files, QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                        "StateDir %1/state\nErrorLog %1/log/error_log\n"
                                        "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                        "FileDevice Yes\nUser lp\nGroup lp\n")
                             .arg(dir_.path())));
        scheduler_.start("/usr/sbin/cupsd", {"-f", "-c", conf, "-s", files});
        QVERIFY(scheduler_.waitForStarted());
        qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(port).toLatin1());
        QTRY_VERIFY_WITH_TIMEOUT(run("/usr/bin/lpstat", {"-r"}).contains("is running"), 10000);
        run("/usr/sbin/lpadmin", {"-p", "jaskel", "-v", "file://" + dir_.filePath("out/job.pdf"),
                                  "-P", QFINDTESTDATA("data/pdfcopy.ppd"), "-E"});
    }

    void cleanupTestCase()
    {
        scheduler_.terminate();
        scheduler_.waitForFinished(5000);
    }

    void bothSheetsAreTwoJobsOfLandscapePages()
    {
        ScriptedPrompter prompter;
        frmJewelCase window(&prompter);
        window.startUp();
        window.printer().setPrinterName("jaskel");
        prompter.buttons = {Prompter::Yes};
        window.output().Print(OutputCommands::AllSheets);
        QTRY_COMPARE_WITH_TIMEOUT(
            run("/usr/bin/lpstat", {"-W", "completed", "-o", "jaskel"}).count("jaskel-"), 2, 20000);

        // The queue keeps the last job: the recto sheet, landscape, without the spines' text.
        const QString job = dir_.filePath("out/job.pdf");
        QVERIFY(run("pdfinfo", {job})
                    .contains(QRegularExpression(
                        QStringLiteral("Page size: +8\\d\\d(\\.\\d+)? x 5\\d\\d"))));
        QVERIFY(!run("pdftotext", {job, "-"}).contains("Votre texte"));
    }
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
