// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"
#include "CatalogueImport.h"
#include "CatalogueRecord.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "CoverFileCommands.h"
#include "FileContents.h"
#include "FitTextInFace.h"
#include "ImageOptionsDialog.h"
#include "JewelCaseDocument.h"
#include "PrivateProfile.h"
#include "ScriptedPrompter.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A record file in a folder of its own, as the catalogue program leaves it: Windows-1252, CR LF.
struct RecordFile {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("x~x.cfg"));

    explicit RecordFile(const QString& text)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(TextEncoding::toWindows1252(text));
    }
};

struct Cover {
    JewelCaseDocument document;
    ScriptedPrompter prompter;
    CoverContext context{document, prompter};

    std::optional<ViewState> import(int face, const QString& file)
    {
        return CatalogueImport::ImportCatalogueRecord(context, face, file);
    }
    const Face& face(int index) const { return document.faces[std::size_t(index)]; }
    QStringList captions(int index) const
    {
        QStringList captions;
        for (const auto& [number, text] : face(index).texts) {
            if (number > 0 && text.visible)
                captions.append(text.caption());
        }
        return captions;
    }
};

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

// Two tracks, the second without keys; `core` adds keys to the "Core" section.
QString twoTracks(const QString& core = {})
{
    return QStringLiteral("[Core]\r\nMediaFlag=1\r\nArtist=Band\r\nTitle=Album\r\n") + core +
           QStringLiteral("[RecordData]\r\nNrSubRecords=2\r\n[SubRec]\r\nTrack1=Intro\r\n"
                          "Length1=1:05\r\n");
}

} // namespace

class TestRecordImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void readsIniFilesAsWindowsDoes()
    {
        const QString longValue(300, QLatin1Char('x'));
        RecordFile ini(
            QStringLiteral("Title=no section\r\n[core]\r\n;Title=commented\r\n"
                           "  mediaFlag =  2abc  \r\nTitle=\" Quoted \"\r\n"
                           "TITLE=second\n=no key\nLong=%1\r\nName=Café\r\n[CORE]\r\nMore=1\r\n")
                .arg(longValue));
        // Only the first of a repeated section, and of a repeated key, counts.
        const QList<std::pair<QString, QString>> values = {
            {"MEDIAFLAG", "2abc"}, {"Title", " Quoted "}, {"Long", longValue},
            {"Name", "Café"},      {"More", "défaut"},    {";Title", "défaut"}};
        for (const auto& [key, value] : values)
            QCOMPARE(ReadWriteINI("gEt", ini.path, "Core", key, "défaut"), value);
        // No file, or another mode than "GET": the value given.
        QCOMPARE(ReadWriteINI("GET", ini.path + ".none", "Core", "Name", "v"), "v");
        QCOMPARE(ReadWriteINI("WRITE", ini.path, "Core", "Name", "v"), "v");
    }

    void importsEachKindOfRecord_data()
    {
        QTest::addColumn<QString>("record"); // null: no file at all
        QTest::addColumn<QStringList>("verso");
        QTest::addColumn<QStringList>("dos");
        QTest::addColumn<QString>("spine");
        const QStringList tracks = {"1.  Intro  (1:05)", "2.  Track 02  (0:00)"};
        const QString end = QChar(0x00F8) + QStringLiteral("\r\n");
        const QString none = QStringLiteral("Votre texte");
        QTest::newRow("tracks") << twoTracks() << tracks << tracks << QStringLiteral("BandAlbum");
        QTest::newRow("synopsis")
            << QStringLiteral(
                   "[Core]\r\nMediaFlag=2abc\r\nTitle=N/A\r\nArtist=Réal\r\n[RecordData]\r\n"
                   "SynopsisLines=2\r\nSynopsis1=Un\r\nRating=PG\r\n")
            << QStringList{"Un" + end + end} << QStringList{"Rated PG", {}}
            << QStringLiteral("Réal");
        QTest::newRow("remarks")
            << QStringLiteral(
                   "[Core]\r\nMediaFlag=3\r\n[RecordData]\r\nRemarks=Rare\r\nNrSubRecords=2\r\n"
                   "[SubRec]\r\nTrack2=Deux\r\n")
            << QStringList{"Rare"} << QStringList{{}, "Deux"} << none;
        QTest::newRow("unknown kind")
            << QStringLiteral(
                   "[Core]\r\nMediaFlag=x2\r\n[RecordData]\r\nNrSubRecords=3\r\nRemarks=Rare\r\n")
            << QStringList() << QStringList() << none;
        QTest::newRow("no record") << QString() << QStringList() << QStringList() << none;
    }

    void importsEachKindOfRecord()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, verso);
        QFETCH(QStringList, dos);
        QFETCH(QString, spine);
        const RecordFile file(record);
        const QString path = record.isNull() ? QStringLiteral("/introuvable/x~x.cfg") : file.path;
        Cover cover;
        cover.import(Face::Verso, path);
        QCOMPARE(cover.captions(Face::Verso), verso);
        cover.import(Face::Dos, path);
        QCOMPARE(cover.captions(Face::Dos), dos);
        QCOMPARE(cover.document.verticalText.caption(), spine);
        // The Dos is shown once it has texts; a record without a picture leaves the logo alone.
        QCOMPARE(cover.context.screen.currentView, dos.isEmpty() ? View::RectoVerso : View::Dos);
        QVERIFY(cover.face(Face::Verso).logo.isEmpty());
        if (QTest::currentDataTag() == QStringLiteral("synopsis")) // it keeps its corner
            QVERIFY(near(cover.face(Face::Verso).text(1)->top, 20));

        // The headless import lays the record out as a new window does, on its bars.
        Cover window;
        CoverFileCommands::emptyCover(window.document);
        window.import(Face::Verso, path);
        window.import(Face::Dos, path);
        const QString saved = file.dir.filePath(QStringLiteral("fenetre.jkcd"));
        const QString headless = file.dir.filePath(QStringLiteral("commande.jkcd"));
        QVERIFY(CoverFile::save(window.document, saved, window.prompter));
        QCOMPARE(QProcess::execute(QStringLiteral(JASKELCD_BINARY),
                                   {QStringLiteral("--import-record"), path, headless}),
                 record.isNull() ? 1 : 0);
        if (!record.isNull())
            QCOMPARE(readAll(headless), readAll(saved));

        // An album's record is an album, as the other sources give one.
        const std::optional<Album> album = CatalogueRecord::read(path).album();
        QCOMPARE(album.has_value(), QTest::currentDataTag() == QStringLiteral("tracks"));
        if (album) {
            Album expected;
            expected.artist = QStringLiteral("Band");
            expected.title = QStringLiteral("Album");
            expected.discs = {
                {{}, {{QStringLiteral("Intro"), 65}, {QStringLiteral("Track 02"), 0}}}};
            QCOMPARE(*album, expected);
        }
    }

    void importedTextsStayOnTheirFace()
    {
        // The record's picture is the cover's logo, named so that a saved cover keeps it.
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("pochette.png"));
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        const QString record = twoTracks(QStringLiteral("CoverArt=%1\r\n").arg(picture));
        const RecordFile two(record);
        Cover cover;
        for (const int face : {int(Face::Verso), int(Face::Dos)}) {
            QVERIFY(cover.import(face, two.path));
            // Texts that fit share what the face leaves (below the Dos's logo), less their
            // heights, in count + 2 equal gaps.
            const Face& target = cover.face(face);
            const TextElement& first = *target.text(1);
            const double above = face == Face::Dos ? target.logo.rect.bottom() : 0;
            const double gap = (target.frame.height() - above - 2 * first.height) / 4;
            QVERIFY(near(first.top, above + gap));
            QVERIFY(near(target.text(2)->top, above + gap + first.height + gap));
        }
        QCOMPARE(cover.document.logoImagePath, picture);
        QVERIFY(cover.face(Face::Recto).logo.visible && cover.face(Face::Dos).logo.visible);
        // The image options show the logo as it was placed: closed with "&Valider && Fermer",
        // they leave it where it is.
        const QRectF dosLogo = cover.face(Face::Dos).logo.rect;
        {
            QString lastPicturePath;
            ImageOptionsDialog options(cover.context, lastPicturePath);
            QCOMPARE(options.logoSourceList()->currentIndex(), 1);
            QTest::mouseClick(options.findChild<QPushButton*>(QStringLiteral("cmdValidate")),
                              Qt::LeftButton);
        }
        QVERIFY(cover.face(Face::Recto).logo.visible && cover.face(Face::Recto).logo.fittedToFace);
        QVERIFY(cover.face(Face::Dos).logo.visible && cover.face(Face::Dos).logo.rect == dosLogo);
        // Each as large as its caption, as a new text is as large as "Texte".
        const TextElement& track = *cover.face(Face::Verso).text(1);
        QCOMPARE(track.rect().size(), TextMetrics::captionSize(track.font(), track.caption()));
        // The Dos texts stand on its bar; the Recto sheet's bar stands on the Recto.
        QVERIFY(near(track.left, 6818.15 + 120));
        QCOMPARE(cover.face(Face::Dos).text(1)->left,
                 float(cover.context.screen.overlays[DosSheet].bar.right()));

        // However many they are, they all end inside their face, spread from the top margin
        // down to where a fitted text ends; in columns rather than over one another, and
        // beside the Dos's logo.
        const RecordFile forty(QString(record).replace("NrSubRecords=2", "NrSubRecords=40"));
        Cover crowded;
        for (const int face : {int(Face::Verso), int(Face::Dos)}) {
            crowded.import(face, forty.path);
            const Face& target = crowded.face(face);
            const QRectF frame = target.frame;
            for (int i = 1; i <= 40; ++i) {
                const QRectF text = target.text(i)->rect();
                QVERIFY2(frame.contains(text), qPrintable(QString::number(i)));
                QVERIFY(!target.logo.visible || !text.intersects(target.logo.rect));
                for (int j = i + 1; j <= 40; ++j)
                    QVERIFY2(!text.intersects(target.text(j)->rect()),
                             qPrintable(QString::number(i)));
            }
            QVERIFY(near(crowded.face(face).text(1)->top, 60));
            QVERIFY(near(crowded.face(face).text(40)->rect().bottom(), fittedBottom(frame)));
        }

        // A count no face can hold is no reason to fill the memory.
        const RecordFile huge(
            QString(record).replace("NrSubRecords=2", "NrSubRecords=99999999999"));
        Cover capped;
        capped.import(Face::Dos, huge.path);
        QCOMPARE(capped.face(Face::Dos).highestIndex(), 999);
    }
};

QTEST_MAIN(TestRecordImport)
#include "tst_recordimport.moc"
