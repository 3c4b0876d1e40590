#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <unistd.h>

// The commands that run without a window, run as a user runs them: the program itself, with
// no display and no platform chosen for it.
class TestHeadless : public QObject {
    Q_OBJECT

    struct Run {
        int exitCode = -1;
        QString errors;
    };

    static QProcessEnvironment environmentWithoutDisplay()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        return environment;
    }

    static Run jaskelcd(const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(environmentWithoutDisplay());
        process.start(QStringLiteral(JASKELCD_BINARY), arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    // As a user without the right to write where a read-only folder forbids it: as root, the
    // program runs as nobody, since root may write anywhere.
    static Run jaskelcdAsUser(QStringList arguments, const QString& program = JASKELCD_BINARY)
    {
        arguments.prepend(program);
        if (geteuid() == 0)
            arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} + arguments;
        QProcess process;
        process.setProcessEnvironment(environmentWithoutDisplay());
        process.start(geteuid() == 0 ? "setpriv" : arguments.takeFirst(), arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardError())};
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

    void labelsConvertAndExport()
    {
        // A CD label in its form, one text and no picture: converted, it comes out whole.
        QTemporaryDir dir;
        const QString label = dir.filePath(QStringLiteral("disque.jket"));
        const QByteArray written =
            " 16777215 \r\nAucun\r\n 3000 \r\n 3000 \r\n 1000 \r\n 1000.5 \r\n 1 \r\n"
            "\"Face A\"\r\n 2 \r\n 16777215 \r\n 0 \r\n 0 \r\n\"Arial\"\r\nTrue\r\nFalse\r\n"
            "\"Arial\"\r\n 14 \r\nFalse\r\nFalse\r\n 0 \r\n 1000 \r\n 3000 \r\n 4700 \r\n"
            " 400 \r\nTrue\r\n 1 \r\nFalse\r\n";
        QFile file(label);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(written) == written.size());
        file.close();
        const QString copy = dir.filePath(QStringLiteral("copie.jket"));
        QCOMPARE(jaskelcd({QStringLiteral("--convert"), label, copy}).exitCode, 0);
        QCOMPARE(readAll(copy), written);

        // Exported as printed (the page itself is the renderer's test), or the drawing at the
        // resolution asked for.
        const QString pdf = dir.filePath(QStringLiteral("etiquette.pdf"));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), pdf, label}).exitCode, 0);
        QVERIFY(readAll(pdf).startsWith("%PDF"));
        const QString png = dir.filePath(QStringLiteral("etiquette.png"));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), png, label, QStringLiteral("--dpi"),
                           QStringLiteral("300")})
                     .exitCode,
                 0);
        QCOMPARE(QImage(png).size(), QSize(1396, 1396));
        const QString bmp = dir.filePath(QStringLiteral("etiquette.bmp"));
        QCOMPARE(jaskelcd({QStringLiteral("--export"), bmp, label}).exitCode, 0);
        QCOMPARE(QImage(bmp).width(), 447);
        QCOMPARE(readAll(bmp).mid(28, 2), QByteArray("\x18\x00", 2));

        // A label has no sheets; a label cut short is refused with the window's words.
        QCOMPARE(jaskelcd({QStringLiteral("--export"), png, label, QStringLiteral("--sheet"),
                           QStringLiteral("dos")})
                     .exitCode,
                 1);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(written.left(60)) == 60);
        file.close();
        const Run cut = jaskelcd({QStringLiteral("--convert"), label, copy});
        QCOMPARE(cut.exitCode, 1);
        QVERIFY(cut.errors.contains(QStringLiteral("Erreur lors de l'ouverture du fichier !")));
    }

    // A save that cannot be written, into a read-only folder or past the file-size limit (as on
    // a full disk), fails with the window's words and leaves the old file byte for byte.
    void failedSavesKeepTheOldFile()
    {
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadOther | QFile::ExeOther);
        const QString record = dir.filePath("fiche.cfg");
        const QString cover = dir.filePath("source.jkcd");
        const QString label = dir.filePath("source.jket");
        for (const auto& [path, bytes] :
             {std::pair{record, QByteArray("[Core]\r\nMediaFlag=1\r\nArtist=Nina\r\n")},
              std::pair{label, QByteArray(" 16777215 \r\nAucun\r\n 0 \r\n 0 \r\n 0 \r\n"
                                          " 0 \r\n 0 \r\n")}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QCOMPARE(jaskelcd({"--import-record", record, cover}).exitCode, 0);
        const QByteArray old = "l'ancien fichier";
        for (const QString& input : {cover, label}) {
            const QString suffix = QFileInfo(input).suffix();
            const QString locked = dir.filePath("lecture-seule-" + suffix);
            QVERIFY(QDir().mkpath(locked));
            const QString kept = locked + "/ancien." + suffix;
            QFile oldFile(kept);
            QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
            oldFile.close();
            for (const QString& file : {input, kept})
                QFile::setPermissions(file,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther);
            Run run = jaskelcdAsUser({"--convert", input, kept});
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.errors.contains("Erreur lors de la sauvegarde du fichier !"),
                     qPrintable(run.errors));
            QCOMPARE(readAll(kept), old);

            // A folder anyone may write in, so that only the size limit stands in the way.
            const QString open = dir.filePath("ouvert-" + suffix);
            QVERIFY(QDir().mkpath(open));
            QFile::setPermissions(open, QFile::ReadUser | QFile::WriteUser | QFile::ExeUser |
                                            QFile::ReadOther | QFile::WriteOther |
                                            QFile::ExeOther | QFile::ReadOwner |
                                            QFile::WriteOwner | QFile::ExeOwner);
            const QString full = open + "/plein." + suffix;
            QVERIFY(QFile::copy(kept, full));
            QFile::setPermissions(full, QFile::ReadOther | QFile::WriteOther | QFile::ReadOwner |
                                            QFile::WriteOwner);
            run = jaskelcdAsUser({"--fsize=8", JASKELCD_BINARY, "--convert", input, full},
                                 "prlimit");
            QCOMPARE(run.exitCode, 1);
            QVERIFY(run.errors.contains("Erreur lors de la sauvegarde du fichier !"));
            QCOMPARE(readAll(full), old);
        }
    }

    void cddbLookupAgainstALoopbackServer()
    {
        // A CDDB server on loopback: one match for the query, then the stored record.
        QFile stored(QStringLiteral(CDDB_RECORD));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray record = stored.readAll();
        QStringList requests;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        connect(&server, &QTcpServer::newConnection, this, [&] {
            QTcpSocket* socket = server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [&, socket] {
                // A request may come in pieces: answer once its head is complete.
                socket->setProperty("head",
                                    socket->property("head").toByteArray() + socket->readAll());
                const QString request = QString::fromUtf8(socket->property("head").toByteArray());
                if (!request.contains(QStringLiteral("\r\n\r\n")) ||
                    socket->property("answered").toBool())
                    return;
                socket->setProperty("answered", true);
                requests << request.section(QLatin1Char(' '), 1, 1);
                const QByteArray body = request.contains(QStringLiteral("cmd=cddb+query"))
                                            ? QByteArray("200 reggae d50dd30f Various / Ska\r\n")
                                            : "210 reggae d50dd30f\r\n" + record + ".\r\n";
                socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n"
                              "Content-Length: " +
                              QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
        QProcess lookup;
        lookup.setProcessEnvironment(environmentWithoutDisplay());
        lookup.start(QStringLiteral(JASKELCD_BINARY),
                     {QStringLiteral("--cddb-lookup"), QStringLiteral("--server"),
                      QStringLiteral("http://127.0.0.1:%1/~cddb/cddb.cgi").arg(server.serverPort()),
                      QStringLiteral("--toc"),
                      QStringLiteral("1 15 265575 150 21052 43715 58057 71430 92865 117600 131987 "
                                     "150625 163292 181490 195685 210197 233230 249257")});
        QEventLoop wait;
        connect(&lookup, &QProcess::finished, &wait, &QEventLoop::quit);
        QTimer::singleShot(60000, &wait, &QEventLoop::quit);
        wait.exec();
        QCOMPARE(lookup.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(lookup.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("Artiste : Various - Album : Ska Island"));
        QCOMPARE(lines.value(1), QStringLiteral("Année : 1997 - Genre : Reggae"));
        QCOMPARE(lines.value(3), QStringLiteral("01-King of Kings"));
        QCOMPARE(lines.size(), 3 + 15 + 1); // and the final line break
        QVERIFY(requests.first().contains(QStringLiteral("cmd=cddb+query+d50dd30f+15+150+")));
        QVERIFY(requests.last().contains(QStringLiteral("cmd=cddb+read+reggae+d50dd30f")));

        // A table that is no table: the usage, status 1.
        const Run refused = jaskelcd({QStringLiteral("--cddb-lookup"), QStringLiteral("--toc"),
                                      QStringLiteral("1 2 trois")});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.errors.contains(QStringLiteral("--cddb-lookup")));
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
