#include "LoopbackHttpServer.h"

#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

// The commands that run without a window, run as a user runs them: the program itself, with
// no display and no platform chosen for it.
class TestHeadless : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    const QString cover = dir.filePath("live.jkcd");
    const QString label = dir.filePath("disque.jket");
    // A CD label in its form, one text and no picture.
    const QByteArray labelBytes =
        " 16777215 \r\nAucun\r\n 3000 \r\n 3000 \r\n 1000 \r\n 1000.5 \r\n 1 \r\n"
        "\"Face A\"\r\n 2 \r\n 16777215 \r\n 0 \r\n 0 \r\n\"Arial\"\r\nTrue\r\nFalse\r\n"
        "\"Arial\"\r\n 14 \r\nFalse\r\nFalse\r\n 0 \r\n 1000 \r\n 3000 \r\n 4700 \r\n"
        " 400 \r\nTrue\r\n 1 \r\nFalse\r\n";
    QByteArray coverBytes;

    struct Run {
        int exitCode = -1;
        QString errors, output;
    };

    // `wrapper` runs the program, e.g. under a size limit; the event loop runs meanwhile, for
    // the loopback server.
    static Run jaskelcd(const QStringList& arguments, QStringList wrapper = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        QProcess process;
        process.setProcessEnvironment(environment);
        QEventLoop wait;
        connect(&process, &QProcess::finished, &wait, &QEventLoop::quit);
        QTimer::singleShot(60000, &wait, &QEventLoop::quit);
        wrapper += QStringList{JASKELCD_BINARY} + arguments;
        process.start(wrapper.takeFirst(), wrapper);
        wait.exec();
        if (process.state() != QProcess::NotRunning || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
                QString::fromUtf8(process.readAllStandardOutput())};
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private Q_SLOTS:
    void initTestCase()
    {
        const QString record = dir.filePath("x~x.cfg");
        QVERIFY(write(record, "[Core]\r\nMediaFlag=1\r\nArtist=Nina\r\nTitle=Live\r\n"
                              "[RecordData]\r\nNrSubRecords=2\r\n[SubRec]\r\nTrack1=Intro\r\n"
                              "Length1=1:05\r\n"));
        QCOMPARE(jaskelcd({"--import-record", record, cover}).exitCode, 0);
        coverBytes = readAll(cover);
        QVERIFY(write(label, labelBytes));
        QVERIFY(write(dir.filePath("court.jkcd"), coverBytes.left(coverBytes.size() / 2)));
        QVERIFY(write(dir.filePath("court.jket"), labelBytes.left(60)));
    }

    // Converted, a file this program wrote comes out byte for byte.
    void importAndConvert()
    {
        for (const auto& [in, bytes] : {std::pair{cover, coverBytes}, {label, labelBytes}}) {
            const QString copy = dir.filePath("copie." + QFileInfo(in).suffix());
            QCOMPARE(jaskelcd({"--convert", in, copy}).exitCode, 0);
            QCOMPARE(readAll(copy), bytes);
        }
    }

    void exportsAtTrueSize()
    {
        // Two landscape A4 pages; on paper the Recto is 12 cm wide between its cut marks.
        const QString pdf = dir.filePath("jaquette.pdf");
        QCOMPARE(jaskelcd({"--export", pdf, cover}).exitCode, 0);
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        const QString described = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY(described.contains(QRegularExpression("Pages:\\s+2")));
        QVERIFY(described.contains("842 x 595 pts"));
        QProcess raster;
        raster.start("pdftoppm", QString("-r 600 -gray -f 1 -l 1 -H 200").split(' ') +
                                     QStringList{pdf, dir.filePath("page")});
        QVERIFY(raster.waitForFinished(60000) && raster.exitCode() == 0);
        const QImage page(dir.filePath("page-1.pgm"));
        const int row = int((340 - 57 - 100) / 1440.0 * 600); // across the top cut marks
        QList<int> marks;
        for (int x = 1; x < page.width(); ++x)
            if (qGray(page.pixel(x, row)) < 128 && qGray(page.pixel(x - 1, row)) >= 128)
                marks << x;
        QVERIFY2(marks.size() >= 4, qPrintable(QString::number(marks.size())));
        const double recto = (marks[1] - marks[0]) / 600.0 * 25.4;
        QVERIFY2(qAbs(recto - 120) <= 0.3, qPrintable(QString::number(recto)));

        // Pictures: their size at the resolution asked for (the screen's unless), BMP in 24 bits.
        const QString png = dir.filePath("dos.png");
        QCOMPARE(jaskelcd({"--export", png, cover, "--sheet", "dos", "--dpi", "300"}).exitCode, 0);
        QCOMPARE(QImage(png).width(), qCeil((2 * 340 + 7851.97 + 90) / 1440 * 300));
        const QString bmp = dir.filePath("recto.bmp");
        QCOMPARE(jaskelcd({"--export", bmp, cover}).exitCode, 0);
        QCOMPARE(QImage(bmp).width(), qCeil((2 * 6803.15 + 15 + 120) / 15));
        QCOMPARE(readAll(bmp).mid(28, 2), QByteArray("\x18\x00", 2));

        // A label's drawing (as the renderer's test checks it).
        QCOMPARE(jaskelcd({"--export", png, label, "--dpi", "300"}).exitCode, 0);
        QCOMPARE(QImage(png).size(), QSize(1396, 1396));
    }

    // Status 1 with the window's words or the usage, and nothing written.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        const QString out = dir.filePath("sortie");
        const QString unreadable = "Erreur lors de l'ouverture du fichier !";
        const QString usage = "Utilisation : jaskelcd";
        QTest::newRow("cover cut short")
            << QStringList{"--convert", dir.filePath("court.jkcd"), out} << unreadable;
        QTest::newRow("label cut short")
            << QStringList{"--convert", dir.filePath("court.jket"), out + ".jket"} << unreadable;
        QTest::newRow("no record")
            << QStringList{"--import-record", dir.filePath("non"), out} << "est introuvable !";
        QTest::newRow("no output") << QStringList{"--convert", cover} << usage;
        QTest::newRow("dpi no number")
            << QStringList{"--export", out + ".png", cover, "--dpi", "zéro"} << usage;
        QTest::newRow("sheet of a label")
            << QStringList{"--export", out + ".png", label, "--sheet", "dos"} << usage;
        QTest::newRow("table no table")
            << QStringList{"--cddb-lookup", "--toc", "1 2 trois"} << usage;
    }

    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const Run run = jaskelcd(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
        QVERIFY(QDir(dir.path()).entryList({"sortie*"}).isEmpty());
    }

    // A save that cannot be written, into a read-only folder or past the file-size limit (as on
    // a full disk), fails with the window's words and leaves the old file byte for byte.
    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("wrapper");
        QTest::addColumn<bool>("folderWritable");
        // Root writes past permissions: it keeps its uid, so that it still reaches a build in a
        // folder only root may enter, but drops the capabilities that let it.
        QStringList bound;
        if (geteuid() == 0)
            bound = {"setpriv", "--inh-caps=-all",
                     "--bounding-set=-dac_override,-dac_read_search,-fowner", "--"};
        QTest::newRow("cover, read-only folder") << cover << bound << false;
        QTest::newRow("label, size limit")
            << label << QStringList{"prlimit", "--fsize=8", "--"} << true;
    }

    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, wrapper);
        QFETCH(bool, folderWritable);
        const QString folder = dir.filePath(QTest::currentDataTag());
        const QString old = folder + "/ancien." + QFileInfo(input).suffix();
        QVERIFY(QDir().mkpath(folder) && write(old, "l'ancien fichier"));
        const auto writable = QFile::Permissions(0x7755);
        QVERIFY(
            QFile::setPermissions(folder, folderWritable ? writable : QFile::Permissions(0x5555)));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, writable); });
        // What the wrapper runs, as the program will be run.
        const auto runs = [&](const QStringList& command) {
            QProcess process;
            process.start((wrapper + command).first(), (wrapper + command).mid(1));
            return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
                   process.exitCode() == 0;
        };
        if (!runs({"test", "-x", JASKELCD_BINARY}))
            QSKIP(qPrintable(wrapper.join(' ') + " cannot run the program here"));
        if (!folderWritable && runs({"touch", folder + "/essai"}))
            QSKIP("The read-only folder can be written all the same here");
        const Run run = jaskelcd({"--convert", input, old}, wrapper);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains("Erreur : Erreur lors de la sauvegarde du fichier !"),
                 qPrintable(run.errors));
        QCOMPARE(readAll(old), QByteArray("l'ancien fichier"));
    }

    void cddbLookupAgainstALoopbackServer()
    {
        LoopbackHttpServer server;
        server.responses["/~cddb/cddb.cgi?cmd=cddb+query+d50dd30f+15+150+"] = {
            "200 reggae d50dd30f Various / Ska\r\n"};
        server.responses["/~cddb/cddb.cgi?cmd=cddb+read+reggae+d50dd30f"] = {
            "210 reggae d50dd30f\r\n" + readAll(CDDB_RECORD) + ".\r\n"};
        const Run run =
            jaskelcd({"--cddb-lookup", "--server", server.url("/~cddb/cddb.cgi"), "--toc",
                      "1 15 265575 150 21052 43715 58057 71430 92865 117600 131987 "
                      "150625 163292 181490 195685 210197 233230 249257"});
        QCOMPARE(run.exitCode, 0);
        const QStringList lines = run.output.split('\n');
        QCOMPARE(lines.first(4),
                 QStringList({"Artiste : Various - Album : Ska Island",
                              "Année : 1997 - Genre : Reggae", "", "01-King of Kings"}));
        QCOMPARE(lines.size(), 3 + 15 + 1); // and the final line break
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
