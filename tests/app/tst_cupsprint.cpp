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

// Runs a CUPS command against the test's scheduler; its standard output.
QString cups(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// Printing through a real CUPS queue: a scheduler of the test's own on loopback, whose queue
// copies each job's PDF into a file.
class TestCupsPrint : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QProcess scheduler_;

    QString path(const QString& name) const { return dir_.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        Application::configure(*qApp);
        if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")})
                .isEmpty() ||
            geteuid() != 0)
            QSKIP("cupsd is not installed, or the test does not run as root");
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();
        for (const char* folder : {"spool", "cache", "state", "log", "out"})
            QVERIFY(QDir(dir_.path()).mkpath(QLatin1String(folder)));
        QFile::setPermissions(dir_.path(), QFileDevice::Permissions(0x7777));
        for (const char* folder : {"spool", "cache", "state", "log", "out"})
            QFile::setPermissions(path(QLatin1String(folder)), QFileDevice::Permissions(0x7777));
        QFile conf(path(QStringLiteral("cupsd.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write(
            QStringLiteral("Listen 127.0.0.1:%1\nWebInterface No\nDefaultAuthType None\n"
                           "<Location />\n Order allow,deny\n Allow all\n</Location>\n"
                           "<Location /admin>\n Order allow,deny\n Allow all\n</Location>\n"
                           "<Policy default>\n <Limit All>\n  Order allow,deny\n  Allow all\n"
                           " </Limit>\n</Policy>\n")
                .arg(port)
                .toUtf8());
        conf.close();
        QFile files(path(QStringLiteral("cups-files.conf")));
        QVERIFY(files.open(QIODevice::WriteOnly));
        files.write(QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                   "StateDir %1/state\nErrorLog %1/log/error_log\n"
                                   "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                   "FileDevice Yes\nUser lp\nGroup lp\n")
                        .arg(dir_.path())
                        .toUtf8());
        files.close();
        scheduler_.start(QStringLiteral("/usr/sbin/cupsd"),
                         {QStringLiteral("-f"), QStringLiteral("-c"), conf.fileName(),
                          QStringLiteral("-s"), files.fileName()});
        QVERIFY(scheduler_.waitForStarted());
        qputenv("CUPS_SERVER", QStringLiteral("127.0.0.1:%1").arg(port).toLatin1());
        QTRY_VERIFY_WITH_TIMEOUT(cups(QStringLiteral("/usr/bin/lpstat"), {QStringLiteral("-r")})
                                     .contains(QStringLiteral("is running")),
                                 10000);
        cups(QStringLiteral("/usr/sbin/lpadmin"),
             {QStringLiteral("-p"), QStringLiteral("jaskel"), QStringLiteral("-v"),
              QStringLiteral("file://") + path(QStringLiteral("out/job.pdf")), QStringLiteral("-P"),
              QFINDTESTDATA("data/pdfcopy.ppd"), QStringLiteral("-E")});
        QVERIFY(cups(QStringLiteral("/usr/bin/lpstat"), {QStringLiteral("-p")})
                    .contains(QStringLiteral("jaskel")));
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
        QPrinter& printer = window.printer();
        printer.setPrinterName(QStringLiteral("jaskel"));
        QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
        prompter.buttons = {Prompter::Yes};
        window.output().Print(OutputCommands::AllSheets);
        const auto completed = [] {
            return cups(QStringLiteral("/usr/bin/lpstat"),
                        {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"),
                         QStringLiteral("jaskel")})
                .count(QStringLiteral("jaskel-"));
        };
        QTRY_COMPARE_WITH_TIMEOUT(completed(), 2, 20000);

        // The queue keeps the last job: the recto sheet, landscape, without the spines' text.
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path(QStringLiteral("out/job.pdf"))});
        QVERIFY(info.waitForFinished());
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(
                        QStringLiteral("Page size: +8\\d\\d(\\.\\d+)? x 5\\d\\d"))));
        QVERIFY(!cups(QStringLiteral("pdftotext"),
                      {path(QStringLiteral("out/job.pdf")), QStringLiteral("-")})
                     .contains(QStringLiteral("Votre texte")));
    }
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
