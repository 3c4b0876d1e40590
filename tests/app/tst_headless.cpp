// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileContents.h"
#include "LoopbackHttpServer.h"

#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>
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

private Q_SLOTS:
    void initTestCase()
    {
        const QString record = dir.filePath("x~x.cfg");
        QVERIFY(writeAll(record, "[Core]\r\nMediaFlag=1\r\nArtist=Nina\r\nTitle=Live\r\n"
                                 "[RecordData]\r\nNrSubRecords=2\r\n[SubRec]\r\nTrack1=Intro\r\n"
                                 "Length1=1:05\r\n"));
        QCOMPARE(jaskelcd({"--import-record", record, cover}).exitCode, 0);
        coverBytes = readAll(cover);
        QVERIFY(writeAll(label, labelBytes));
        QVERIFY(writeAll(dir.filePath("court.jkcd"), coverBytes.left(coverBytes.size() / 2)));
        QVERIFY(writeAll(dir.filePath("court.jket"), labelBytes.left(60)));
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

    // A file that is not UTF-8 is read in the code page of the locale's language, and a file is
    // written in it when its text fits; the C locale keeps Windows-1252.
    void otherSystemsCodePages_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Polish") << "pl_PL.UTF-8" << QStringLiteral("Zażółć gęślą jaźń")
                                << QByteArray("Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1");
        QTest::newRow("Greek") << "el_GR.UTF-8" << QStringLiteral("Καλημέρα")
                               << QByteArray("\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1");
        QTest::newRow("C") << "C" << QStringLiteral("Zażółć") << QStringLiteral("Zażółć").toUtf8();
    }

    void otherSystemsCodePages()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        const QStringList inLocale = {"env", "LC_ALL=" + locale};
        const QString written = dir.filePath("code-page.jket");
        QVERIFY(writeAll(written, QByteArray(labelBytes).replace("Face A", bytes)));
        const QString pdf = dir.filePath("code-page.pdf");
        QCOMPARE(jaskelcd({"--export", pdf, written}, inLocale).exitCode, 0);
        QProcess pdftotext;
        pdftotext.start("pdftotext", {pdf, "-"});
        QVERIFY(pdftotext.waitForFinished());
        QVERIFY(QString::fromUtf8(pdftotext.readAllStandardOutput()).contains(text));

        // From UTF-8, the text is written in the code page when it fits it.
        const QString utf8 = dir.filePath("utf8.jket");
        QVERIFY(writeAll(utf8, QByteArray(labelBytes).replace("Face A", text.toUtf8())));
        const QString converted = dir.filePath("converted.jket");
        QCOMPARE(jaskelcd({"--convert", utf8, converted}, inLocale).exitCode, 0);
        QCOMPARE(readAll(converted), readAll(written));
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

    // The help lists every command with an example, and names the options the README's
    // examples do, no more and no fewer.
    void helpListsEveryCommand()
    {
        const Run run = jaskelcd({"--help"});
        QCOMPARE(run.exitCode, 0);
        for (const char* command : {"--convert", "--import-record", "--export", "--cddb-lookup",
                                    "--fill-from-audio", "--fill-from-musicbrainz"})
            QVERIFY2(run.output.contains(QString("\n    Exemple : jaskelcd ") + command + ' '),
                     command);
        const auto options = [](const QString& text) {
            QSet<QString> names;
            for (const auto& match : QRegularExpression("--[a-z-]+").globalMatch(text))
                names << match.captured();
            return names;
        };
        QString examples;
        for (const QString& line : QString::fromUtf8(readAll(README)).split('\n'))
            if (line.startsWith("jaskelcd --"))
                examples += line.section('#', 0, 0);
        const QSet<QString> shown = options(examples) + QSet<QString>{"--help", "--version"};
        QCOMPARE(shown, options(run.output));
    }

    // Status 1 with what is wrong in one line (after it, for a command line, how the command is
    // written), and nothing written.
    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("commandLine");
        const QString out = dir.filePath("sortie");
        // The files' refusals, with the window's words.
        const QString unreadable = "Erreur : Erreur lors de l'ouverture du fichier !";
        QTest::newRow("cover cut short")
            << QStringList{"--convert", dir.filePath("court.jkcd"), out} << unreadable << false;
        QTest::newRow("label cut short")
            << QStringList{"--convert", dir.filePath("court.jket"), out + ".jket"} << unreadable
            << false;
        QTest::newRow("no record")
            << QStringList{"--import-record", dir.filePath("non"), out}
            << "Erreur : Le fichier " + dir.filePath("non") + " est introuvable !" << false;
        // The command line's, each followed by the command's usage.
        const auto refusal = [](const char* tag, const QStringList& arguments,
                                const QString& error) {
            QTest::newRow(tag) << arguments << "Erreur : " + error << true;
        };
        refusal("no output", {"--convert", cover},
                "--convert : il faut le fichier à lire, puis celui à écrire.");
        for (const char* value : {"0", "abc", "2401"})
            refusal(value, {"--export", out + ".png", cover, "--dpi", value},
                    QString("--dpi %1 : la résolution est un nombre entier de 10 à 2400 points "
                            "par pouce.")
                        .arg(value));
        refusal("sheet verso", {"--export", out + ".png", cover, "--sheet", "verso"},
                "--sheet verso : la feuille est « recto » (le Recto et le Verso) ou « dos ».");
        refusal("sheet of a label", {"--export", out + ".png", label, "--sheet", "dos"},
                "--sheet dos : une étiquette n'a qu'une feuille.");
        refusal("neither PDF, PNG nor BMP", {"--export", out + ".jpg", cover},
                out + ".jpg : le fichier écrit est un PDF, un PNG ou un BMP (son nom finit par "
                      ".pdf, .png ou .bmp).");
        refusal("two ways to find the album",
                {"--fill-from-musicbrainz", "--discid", "x", "--search", "a - b", out + ".jkcd"},
                "--fill-from-musicbrainz : il faut une des options --toc, --discid et --search, "
                "et une seule.");
        refusal("a label in a cover's file", {"--fill-from-audio", dir.path(), cover, "--label"},
                cover + " : le fichier écrit est une jaquette (.jkcd) ou, avec --label, une "
                        "étiquette (.jket).");
        refusal("no folder", {"--fill-from-audio", out + ".jkcd"},
                "--fill-from-audio : il faut le dossier des fichiers audio, puis la jaquette ou "
                "l'étiquette à écrire.");
        const auto table = [&](const char* tag, const QString& toc, const QString& error) {
            refusal(tag, {"--cddb-lookup", "--toc", toc}, "--toc : " + error);
        };
        table("too short", "1 2 3",
              "la table donne la première piste, la dernière, la fin du "
              "disque puis le début de chaque piste : au moins 4 nombres, "
              "pas 3.");
        table("no number", "1 2 3 quatre", "« quatre » n'est pas un nombre entier.");
        table("starts falling", "1 3 45900 150 35170 18965",
              "la piste 3 commence à 18965, pas après la piste 2 (35170) : les débuts doivent "
              "croître.");
        table("starts not counted", "1 3 45900 150 18965",
              "les pistes 1 à 3 demandent 3 débuts, la table en donne 2.");
        table("first track 0", "0 3 45900 150 18965 35170",
              "la première piste est 0 : les pistes sont numérotées de 1 à 99.");
    }

    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QFETCH(bool, commandLine);
        const Run run = jaskelcd(arguments);
        QCOMPARE(run.exitCode, 1);
        // Qt may say something of its own once the program has started, never before a refusal
        // of the command line.
        const QStringList lines = run.errors.split('\n', Qt::SkipEmptyParts);
        const qsizetype at = lines.indexOf(error);
        QVERIFY2(at >= 0, qPrintable(run.errors));
        if (commandLine)
            QVERIFY2(at == 0 && lines.value(1).startsWith("Utilisation : jaskelcd " +
                                                          arguments.first() + ' '),
                     qPrintable(run.errors));
        const QStringList written = QDir(dir.path()).entryList({"sortie*"});
        for (const QString& name : written)
            QFile::remove(dir.filePath(name));
        QVERIFY2(written.isEmpty(), qPrintable(written.join(' ')));
    }

    // A PDF takes pictures at no more than the resolution asked for, 300 dpi unless told: a
    // 2000-pixel picture one inch wide on a label.
    void pdfPicturesAtMostTheResolution_data()
    {
        QTest::addColumn<QStringList>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("unless told") << QStringList() << 300;
        QTest::newRow("150") << QStringList{"--dpi", "150"} << 150;
        QTest::newRow("2400, more than the picture has") << QStringList{"--dpi", "2400"} << 2000;
    }

    void pdfPicturesAtMostTheResolution()
    {
        QFETCH(QStringList, dpi);
        QFETCH(int, pixels);
        const QString picture = dir.filePath("grande.png");
        QImage image(2000, 2000, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QVERIFY(image.save(picture));
        const QString framed = dir.filePath("photo.jket");
        QVERIFY(writeAll(framed, labelBytes.left(12) + picture.toUtf8() +
                                     "\r\n 3000 \r\n 3000 \r\n 1440 \r\n 1440 \r\n 0 \r\n"));
        const QString pdf = dir.filePath("photo.pdf");
        QCOMPARE(jaskelcd(QStringList{"--export", pdf, framed} + dpi).exitCode, 0);
        QProcess list;
        list.start("pdfimages", {"-list", pdf});
        QVERIFY(list.waitForFinished());
        const QStringList images = QString::fromUtf8(list.readAllStandardOutput()).split('\n');
        const QStringList columns = images.value(2).simplified().split(' ');
        QCOMPARE(columns.mid(3, 2),
                 QStringList({QString::number(pixels), QString::number(pixels)}));
    }

    // A PDF holds each picture once, whatever the faces and pages showing it: a photograph
    // (2400 x 1600 JPEG) covering the Recto, the Verso and the Dos is one image, at the size
    // of the largest face at the PDF's resolution (the Dos's width, the Recto's height) and
    // never beyond its own pixels; a logo at its own size in the corner of the Recto and the
    // Dos is another.
    // Started on a cover whose faces show a photo, the window reads the photo on another
    // thread while it is built, paints, and the program ends cleanly (the probe closes it).
    void windowStartedOnACoverPaints()
    {
        QImage pixels(1200, 800, QImage::Format_RGB32);
        pixels.fill(Qt::darkCyan);
        const QString photoPath = dir.filePath("fond.jpg");
        QVERIFY(pixels.save(photoPath, "jpeg"));
        QList<QByteArray> lines = coverBytes.split('\n');
        for (int line : {3, 4, 5})
            lines[line] = photoPath.toUtf8() + '\r';
        const QString cover = dir.filePath("fond.jkcd");
        QVERIFY(writeAll(cover, lines.join('\n')));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("JASKELCD_REPORT_FIRST_PAINT", "1");
        QProcess window;
        window.setProcessEnvironment(environment);
        window.start(JASKELCD_BINARY, {cover});
        QVERIFY(window.waitForFinished(60000));
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QCOMPARE(window.exitCode(), 0);
        QVERIFY(window.readAllStandardError().contains("first-paint-epoch-ns"));
    }

    void pdfHoldsEachPictureOnce_data()
    {
        QTest::addColumn<QStringList>("dpi");
        QTest::addColumn<QSize>("photo");
        QTest::addColumn<bool>("itsFile"); // the photo is its file's bytes, fewer than Qt's
        QTest::newRow("300 unless told") << QStringList() << QSize(1630, 1412) << false;
        QTest::newRow("150") << QStringList{"--dpi", "150"} << QSize(815, 706) << false;
        QTest::newRow("600, more than the photo has")
            << QStringList{"--dpi", "600"} << QSize(2400, 1600) << true;
    }

    void pdfHoldsEachPictureOnce()
    {
        QFETCH(QStringList, dpi);
        QFETCH(QSize, photo);
        QFETCH(bool, itsFile);
        const QString photoPath = dir.filePath("photo.jpg");
        const QString logoPath = dir.filePath("logo.png");
        QImage pixels(2400, 1600, QImage::Format_RGB32);
        pixels.fill(Qt::darkCyan);
        QVERIFY(pixels.save(photoPath, "jpeg"));
        QImage logo(300, 200, QImage::Format_RGB32);
        logo.fill(Qt::darkRed);
        QVERIFY(logo.save(logoPath));
        // The cover's lines: three colours, the three faces' pictures and the logo, the lists
        // (backgrounds, logo source, logo modes: 3 is the top left corner)...
        QList<QByteArray> lines = coverBytes.split('\n');
        for (int line : {3, 4, 5})
            lines[line] = photoPath.toUtf8() + '\r';
        lines[6] = logoPath.toUtf8() + '\r';
        lines[11] = lines[13] = " 3 \r";
        const QString framed = dir.filePath("photo.jkcd");
        QVERIFY(writeAll(framed, lines.join('\n')));
        const QString pdf = dir.filePath("photo.pdf");
        QCOMPARE(jaskelcd(QStringList{"--export", pdf, framed} + dpi).exitCode, 0);
        QProcess list;
        list.start("pdfimages", {"-list", pdf});
        QVERIFY(list.waitForFinished());
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        QMap<QString, QStringList> shown; // object: its pages and sizes
        for (const QString& row :
             QString::fromUtf8(list.readAllStandardOutput()).split('\n').mid(2)) {
            const QStringList columns = row.simplified().split(' ');
            if (columns.size() > 10)
                shown[columns[10]] << columns[0] + ':' + columns[3] + 'x' + columns[4];
        }
        const QString photoSize = QString("%1x%2").arg(photo.width()).arg(photo.height());
        const QMap<QString, QStringList> expected = {
            {"photo", {"1:" + photoSize, "1:" + photoSize, "2:" + photoSize}},
            {"logo", {"1:300x200", "2:300x200"}}};
        QList<QStringList> objects = shown.values(); // each object's rows, in the pages' order
        std::sort(objects.begin(), objects.end(),
                  [](const QStringList& a, const QStringList& b) { return a.size() > b.size(); });
        QCOMPARE(objects, QList<QStringList>({expected["photo"], expected["logo"]}));

        // The images as the PDF holds them, the photo first.
        QProcess extract;
        extract.start("pdfimages", {"-j", "-f", "1", "-l", "1", pdf, dir.filePath("image")});
        QVERIFY(extract.waitForFinished() && extract.exitCode() == 0);
        QCOMPARE(readAll(dir.filePath("image-000.jpg")) == readAll(photoPath), itsFile);
        const QColor middle =
            QImage(dir.filePath("image-000.jpg")).pixelColor(photo.width() / 2, 10);
        QVERIFY2(middle.red() < 4 && qAbs(middle.green() - 128) < 4 &&
                     qAbs(middle.blue() - 128) < 4,
                 qPrintable(middle.name()));
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
        QVERIFY(QDir().mkpath(folder) && writeAll(old, "l'ancien fichier"));
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

    // A cover and a label filled from MusicBrainz (served from recorded answers, its pictures
    // missing), and a cover from a folder of untagged WAV files, named by their files.
    void fillingFromSources()
    {
        LoopbackHttpServer service;
        const auto answer = [](const char* name) {
            LoopbackHttpServer::Response response;
            response.body = readAll(QStringLiteral(MUSICBRAINZ_DATA "/") + name);
            response.contentType = "application/json";
            return response;
        };
        service.responses["/ws/2/release?"] = answer("search-one.json");
        service.responses["/ws/2/release/"] = answer("release-deux-soirs.json");
        const QString filled = dir.filePath("musicbrainz.jkcd");
        const QString labelled = dir.filePath("musicbrainz.jket");
        for (const QString& out : {filled, labelled}) {
            const Run run = jaskelcd({"--fill-from-musicbrainz", "--search",
                                      "Alice Martin - Deux soirs", "--server", service.url(""),
                                      "--cover-art-server", service.url("/caa"), out});
            QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        }
        QVERIFY(readAll(filled).contains("Ouverture") && readAll(labelled).contains("Alice"));
        QVERIFY(service.received.first().header("User-Agent").startsWith("JaskelCD/"));

        const QString folder = dir.filePath("wav");
        QVERIFY(QDir().mkpath(folder));
        // A second of silence, 8 kHz mono in 16 bits, without tags.
        QByteArray wav = "RIFF" + QByteArray(4, 0) + "WAVEfmt " +
                         QByteArray::fromHex("1000000001000100401f0000803e000002001000") + "data" +
                         QByteArray::fromHex("803e0000") + QByteArray(16000, 0);
        qToLittleEndian<quint32>(quint32(wav.size() - 8), wav.data() + 4);
        for (const char* name : {"02 Coucher.wav", "01 Lever.wav"})
            QVERIFY(writeAll(QDir(folder).filePath(name), wav));
        const QString fromAudio = dir.filePath("wav.jkcd");
        const Run run = jaskelcd({"--fill-from-audio", folder, fromAudio});
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        const QByteArray bytes = readAll(fromAudio);
        QVERIFY(bytes.indexOf("Lever") >= 0 && bytes.indexOf("Lever") < bytes.indexOf("Coucher"));
        QCOMPARE(jaskelcd({"--fill-from-audio", dir.filePath("absent"), fromAudio}).exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestHeadless)
#include "tst_headless.moc"
