#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The commands that run without a window, run as a user runs them: the program itself, with
// no display and no platform chosen for it.
class TestHeadless : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString errors;
    };

    static Run jaskelcd(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(JASKELCD_BINARY), arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void importConvertAndFail()
    {
        QTemporaryDir dir;
        const QString record = dir.filePath(QStringLiteral("x~x.cfg"));
        QFile ini(record);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Core]\r\nMediaFlag=1\r\nArtist=Nina\r\nTitle=Live\r\n"
                  "[RecordData]\r\nNrSubRecords=2\r\n[SubRec]\r\nTrack1=Intro\r\nLength1=1:05\r\n");
        ini.close();
        const QString cover = dir.filePath(QStringLiteral("live.jkcd"));
        Run run = jaskelcd({QStringLiteral("--import-record"), record, cover});
        QCOMPARE(run.exitCode, 0);
        const QByteArray written = readAll(cover);
        QVERIFY(written.contains("\"1.  Intro  (1:05)\""));
        QVERIFY(written.contains("\"NinaLive\""));
        QVERIFY(written.contains(" 0  2  2 \r\n")); // no Recto text, two on the Verso and the Dos

        // Converted, a file this program wrote comes out byte for byte.
        const QString copy = dir.filePath(QStringLiteral("copie.jkcd"));
        QCOMPARE(jaskelcd({QStringLiteral("--convert"), cover, copy}).exitCode, 0);
        QCOMPARE(readAll(copy), written);

        // A file cut short, a missing record, missing arguments: status 1 and the window's words.
        QFile cut(cover);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(written.left(written.size() / 2));
        cut.close();
        run = jaskelcd({QStringLiteral("--convert"), cover, copy});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("Erreur lors de l'ouverture du fichier !")),
                 qPrintable(run.errors));
        run = jaskelcd(
            {QStringLiteral("--import-record"), dir.filePath(QStringLiteral("non")), copy});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.errors.contains(QStringLiteral("est introuvable !")));
        QCOMPARE(jaskelcd({QStringLiteral("--convert"), cover}).exitCode, 1);
    }

    void exportsAtTrueSize()
    {
        QTemporaryDir dir;
        const QString cover = dir.filePath(QStringLiteral("vide.jkcd"));
        QCOMPARE(
            jaskelcd({QStringLiteral("--import-record"), QStringLiteral(JASKELCD_BINARY), cover})
                .exitCode,
            0); // any file is a record without keys: an empty cover
        const QString pdf = dir.filePath(QStringLiteral("jaquette.pdf"));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), pdf, cover}).exitCode, 0);

        // Two landscape A4 pages; on paper the Recto is 12 cm wide between its cut marks.
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished());
        const QString described = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY(described.contains(QRegularExpression(QStringLiteral("Pages:\\s+2"))));
        QVERIFY(described.contains(QStringLiteral("842 x 595 pts")));
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-gray"),
                      QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                      QStringLiteral("1"), QStringLiteral("-H"), QStringLiteral("200"), pdf,
                      dir.filePath(QStringLiteral("page"))});
        QVERIFY(raster.waitForFinished(60000) && raster.exitCode() == 0);
        const QImage page(dir.filePath(QStringLiteral("page-1.pgm")));
        QVERIFY(!page.isNull());
        const int row = int((340 - 57 - 100) / 1440.0 * 600); // across the top cut marks
        QList<int> marks;
        for (int x = 1; x < page.width(); ++x) {
            if (qGray(page.pixel(x, row)) < 128 && qGray(page.pixel(x - 1, row)) >= 128)
                marks << x;
        }
        QVERIFY2(marks.size() >= 4, qPrintable(QString::number(marks.size())));
        const double recto = (marks[1] - marks[0]) / 600.0 * 25.4;
        QVERIFY2(qAbs(recto - 120) <= 0.3, qPrintable(QString::number(recto)));

        // Pictures of a sheet: their size at the resolution asked for, BMP in 24 bits.
        const QString png = dir.filePath(QStringLiteral("dos.png"));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), png, cover, QStringLiteral("--sheet"),
                           QStringLiteral("dos"), QStringLiteral("--dpi"), QStringLiteral("300")})
                     .exitCode,
                 0);
        QCOMPARE(QImage(png).width(), qCeil((2 * 340 + 7851.97 + 90) / 1440 * 300));
        const QString bmp = dir.filePath(QStringLiteral("recto.bmp"));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), bmp, cover}).exitCode, 0);
        QCOMPARE(QImage(bmp).width(), qCeil((2 * 6803.15 + 15 + 120) / 15));
        QCOMPARE(readAll(bmp).mid(28, 2), QByteArray("\x18\x00", 2));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), png, cover, QStringLiteral("--dpi"),
                           QStringLiteral("zéro")})
                     .exitCode,
                 1);
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
