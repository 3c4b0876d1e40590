#include <QFile>
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
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
