// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CoverWindow.h"
#include "FileContents.h"
#include "LabelMenus.h"
#include "LabelWindow.h"
#include "MainMenus.h"
#include "ModalDriver.h"
#include "OutputCommands.h"
#include "PaperMeasure.h"
#include "PostedClick.h"
#include "PrinterCorrection.h"
#include "ScriptedPrompter.h"

#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtEndian>
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
    return writeAll(path, text.toUtf8());
}

// The value of job attribute `name` in a job's control file (IPP-encoded): after the name, a
// two-byte length and the value; an enum's 4 bytes as its decimal number.
QString jobAttribute(const QString& controlFile, const QByteArray& name)
{
    QFile file(controlFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray ipp = file.readAll();
    const qsizetype at = ipp.indexOf(QByteArray(1, char(name.size())) + name);
    if (at < 3)
        return {};
    const qsizetype from = at + 1 + name.size();
    const int length = (uchar(ipp.at(from)) << 8) | uchar(ipp.at(from + 1));
    const QByteArray value = ipp.mid(from + 2, length);
    if (ipp.at(at - 2) == 0x23 && length == 4) // an enum
        return QString::number(qFromBigEndian<qint32>(value.constData()));
    return QString::fromLatin1(value);
}

// The jobs the queue has, printed or not.
int jobCount()
{
    return run("/usr/bin/lpstat", {"-W", "all", "-o", "jaskel"}).count("jaskel-");
}

int completedJobs()
{
    return run("/usr/bin/lpstat", {"-W", "completed", "-o", "jaskel"}).count("jaskel-");
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
        // The printers' corrections go to a folder of the tests.
        QStandardPaths::setTestModeEnabled(true);
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
                                 "DirtyCleanInterval 0\n"
                                 "<Location />\n Allow all\n</Location>\n"
                                 "<Location /admin>\n Allow all\n</Location>\n<Policy default>\n"
                                 " <Limit All>\n  Allow all\n </Limit>\n</Policy>\n")
                      .arg(port)));
        // Each job's control file is written as the job comes, not half a minute later.
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
        CoverWindow window(&prompter);
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

    // The quality menu reaches the queue: the job says its quality and the printer's resolution
    // nearest it, and its pictures are at the quality's resolution.
    void qualityGoesWithTheJob()
    {
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        window.startUp();
        window.printer().setPrinterName("jaskel");
        // A picture of 1200 pixels on an inch of the Dos.
        ImageSlot& logo = window.document().faces[Face::Dos].logo;
        QImage pixels(1200, 1200, QImage::Format_RGB32);
        pixels.fill(Qt::darkCyan);
        logo.setPicture(Picture::fromImage(pixels));
        logo.rect = QRectF(1000, 1000, 1440, 1440);
        logo.visible = true;

        const QDir spool(dir_.filePath("spool"));
        const struct {
            int entry;
            QString quality, resolution, pictureWidth;
        } rows[] = {{0, "3", "300dpi", "150"}, {3, "5", "1200dpi", "1200"}};
        for (const auto& row : rows) {
            window.menus().output.quality[std::size_t(row.entry)]->trigger();
            const int before = jobCount();
            prompter.buttons = {Prompter::Yes};
            window.output().Print(OutputCommands::Dos);
            QCOMPARE(jobCount(), before + 1);
            // The newest job's control file, looked for again until the scheduler has written
            // it (on a busy machine, after the job was counted).
            const auto control = [&] {
                const QStringList files = spool.entryList({"c*"}, QDir::Files, QDir::Name);
                return files.isEmpty() ? QString() : spool.filePath(files.constLast());
            };
            QTRY_COMPARE_WITH_TIMEOUT(jobAttribute(control(), "print-quality"), row.quality, 10000);
            QCOMPARE(jobAttribute(control(), "Resolution"), row.resolution);
            QTRY_COMPARE_WITH_TIMEOUT(
                run("/usr/bin/lpstat", {"-W", "completed", "-o", "jaskel"}).count("jaskel-"),
                before + 1, 20000);
            const QStringList image = run("pdfimages", {"-list", dir_.filePath("out/job.pdf")})
                                          .split('\n')
                                          .value(2)
                                          .split(' ', Qt::SkipEmptyParts);
            QCOMPARE(image.value(3), row.pictureWidth);
        }
    }

    // "Annuler l'impression" clicked while the Dos is being printed: nothing of it reaches the
    // queue, and the recto sheet is skipped. A queue that is gone prints nothing either.
    void cancellingDuringASheetSendsNothing()
    {
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        window.startUp();
        window.show();
        window.printer().setPrinterName("jaskel");
        QPushButton* cancel = window.cancelPrintButton();
        const QMetaObject::Connection clicking =
            connect(&window.output(), &OutputCommands::sheetPainting, cancel,
                    [cancel] { postClick(cancel); });
        const int before = jobCount();
        prompter.buttons = {Prompter::Yes};
        window.output().Print(OutputCommands::AllSheets);
        QCOMPARE(jobCount(), before);
        QVERIFY(!cancel->isVisible());

        // A queue that refuses jobs: said in the printing error box, and nothing is sent.
        disconnect(clicking);
        run("/usr/sbin/cupsreject", {"jaskel"});
        window.printer().setPrinterName("jaskel");
        prompter.buttons = {Prompter::Yes};
        window.output().Print(OutputCommands::Dos);
        run("/usr/sbin/cupsaccept", {"jaskel"});
        QCOMPARE(prompter.last().title, QStringLiteral("Printing Error"));
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Erreur rencontrée lors de l'impression :\r\nl'imprimante « "
                                "jaskel » refuse les travaux pour le moment."));
        QCOMPARE(jobCount(), before);

        // A queue removed since it was chosen: the command says so before printing anything.
        run("/usr/sbin/lpadmin", {"-p", "parti", "-v", "file:///dev/null", "-m", "raw", "-E"});
        window.printer().setPrinterName("parti");
        QCOMPARE(window.printer().printerName(), QStringLiteral("parti"));
        run("/usr/sbin/lpadmin", {"-x", "parti"});
        prompter.buttons = {Prompter::Yes, Prompter::No};
        window.output().Print(OutputCommands::Dos);
        QCOMPARE(prompter.last().text,
                 QStringLiteral("L'imprimante « parti » n'est pas disponible.\r\nChoisir une "
                                "imprimante ou un fichier PDF avec « Configurer l'imprimante » ?"));
    }

    // A printer's correction, chosen with "Calibrer l'imprimante…" and remembered under its
    // name, reaches every print on it, measured on the rasterised job: 101 % across and 2 mm to
    // the right make the Recto 121.2 mm wide and 2 mm further right, and the label window's
    // calibration page has its square as much wider and further; a PDF file is never corrected.
    void aPrintersCorrectionReachesEveryPrint()
    {
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        window.startUp();
        window.printer().setPrinterName("jaskel");
        PrinterCorrection::remember("jaskel", PrinterCorrection()); // a former run's
        const QString job = dir_.filePath("out/job.pdf");
        const auto printed = [&](const std::function<void()>& print, const QString& file) {
            const int before = completedJobs();
            prompter.buttons = {Prompter::Yes};
            print();
            if (file == job &&
                !QTest::qWaitFor([&] { return completedJobs() == before + 1; }, 20000))
                return QImage();
            return PaperMeasure::firstPage(file);
        };
        // The Recto's edges: the first two cut marks above the sheet, 3 mm above its top.
        const auto rectoEdges = [&](const QString& file) {
            const QImage page =
                printed([&] { window.output().Print(OutputCommands::RectoVerso); }, file);
            const QList<double> down = PaperMeasure::linesAlong(page, 60, Qt::Vertical);
            const QList<double> marks =
                PaperMeasure::linesAlong(page, down.value(0) - 3, Qt::Horizontal);
            return marks.size() >= 2 ? marks.mid(0, 2) : QList<double>{-1000, -1000};
        };
        const QList<double> plain = rectoEdges(job);
        QVERIFY2(qAbs(plain[1] - plain[0] - 120) <= 0.3, qPrintable(QString::number(plain[0])));

        {
            ExpectModal calibrating([](QWidget* dialog) {
                dialog->findChild<QDoubleSpinBox*>("spnScaleX")->setValue(101);
                dialog->findChild<QDoubleSpinBox*>("spnOffsetX")->setValue(2);
                qobject_cast<QDialog*>(dialog)->accept();
            });
            window.menus().output.calibratePrinter->trigger();
            QVERIFY(calibrating.seen());
        }
        const QList<double> corrected = rectoEdges(job);
        QVERIFY2(qAbs(corrected[1] - corrected[0] - 121.2) <= 0.3,
                 qPrintable(QString::number(corrected[1] - corrected[0])));
        QVERIFY2(qAbs(corrected[0] - plain[0] - 2) <= 0.3,
                 qPrintable(QString::number(corrected[0] - plain[0])));

        // The calibration page of either window: its square, 40 mm from the paper's left edge,
        // is at 42.4 mm and 121.2 mm wide.
        LabelWindow* label = window.showLabelWindow();
        for (QAction* calibrationPage :
             {label->menus().calibrationPage, window.menus().output.calibrationPage}) {
            const QList<double> page = PaperMeasure::linesAlong(
                printed([&] { calibrationPage->trigger(); }, job), 100.5, Qt::Horizontal);
            const double left = PaperMeasure::nearest(page, 42.4);
            QVERIFY2(qAbs(left - 42.4) <= 0.3, qPrintable(QString::number(left)));
            QVERIFY(qAbs(PaperMeasure::nearest(page, 163.6) - left - 121.2) <= 0.3);
        }

        // Printed to a file, the same printer's correction is not applied.
        window.printer().setOutputFileName(dir_.filePath("fichier.pdf"));
        const QList<double> toFile = rectoEdges(dir_.filePath("fichier.pdf"));
        QVERIFY(qAbs(toFile[1] - toFile[0] - 120) <= 0.3);
    }
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
