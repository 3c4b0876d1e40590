#include "Application.h"
#include "CatalogueImport.h"
#include "CoverContext.h"
#include "FitLabelInFace.h"
#include "JewelCaseDocument.h"
#include "PrivateProfile.h"
#include "ScriptedPrompter.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using CatalogueImport::ImportCatalogueRecord;

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
        return ImportCatalogueRecord(context, face, file);
    }
    void importOnVersoAndDos(const QString& record)
    {
        RecordFile file(record);
        import(Face::Verso, file.path);
        import(Face::Dos, file.path);
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
        // Only the first of a repeated section counts.
        const QList<std::pair<QString, QString>> values = {
            {"MEDIAFLAG", "2abc"}, {"Title", " Quoted "}, {"Long", longValue}, {"Name", "Café"},
            {"More", "défaut"},    {"Absent", "défaut"},  {";Title", "défaut"}};
        for (const auto& [key, value] : values)
            QCOMPARE(ReadWriteINI("gEt", ini.path, "Core", key, "défaut"), value);
        // No file, no mode, section or key, or another mode than "GET": the value given.
        const QList<QStringList> calls = {{"GET", ini.path + ".none", "Core", "Name"},
                                          {"", ini.path, "Core", "Name"},
                                          {"GET", ini.path, "", "Name"},
                                          {"GET", ini.path, "Core", ""},
                                          {"WRITE", ini.path, "Core", "Name"}};
        for (const QStringList& call : calls)
            QCOMPARE(ReadWriteINI(call[0], call[1], call[2], call[3], "v"), QStringLiteral("v"));
    }

    void importsEachKindOfRecord()
    {
        RecordFile tracks(twoTracks());
        Cover cover;
        const std::optional<ViewState> verso = cover.import(Face::Verso, tracks.path);
        QVERIFY(verso && verso->view == View::RectoVerso);
        const QStringList expected = {QStringLiteral("1.  Intro  (1:05)"),
                                      QStringLiteral("2.  Track 02  (0:00)")};
        QCOMPARE(cover.captions(Face::Verso), expected);
        // Each as large as its caption, as a new text is as large as "Texte".
        const TextElement& track = *cover.face(Face::Verso).text(1);
        QCOMPARE(track.rect().size(), TextMetrics::captionSize(track.font(), track.caption()));
        const std::optional<ViewState> view = cover.import(Face::Dos, tracks.path);
        QVERIFY(view && view->view == View::Dos && cover.context.screen.currentView == View::Dos);
        QCOMPARE(cover.captions(Face::Dos), expected);
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("BandAlbum"));
        QVERIFY(!cover.document.documentModified);
        // New elements of the face, not its hidden template, which is never saved.
        const TextElement& model = *cover.face(Face::Verso).text(0);
        QVERIFY(!model.visible && model.caption() == QStringLiteral("Texte"));

        // Texts that fit share the face's height less theirs in count + 2 equal gaps.
        for (const int face : {int(Face::Verso), int(Face::Dos)}) {
            const TextElement& first = *cover.face(face).text(1);
            const TextElement& second = *cover.face(face).text(2);
            const double gap = (cover.face(face).frame.height() - first.height - second.height) / 4;
            QVERIFY(near(first.top, gap) && near(second.top, gap + first.height + gap));
        }
        // The Dos texts stand on its bar; the Recto sheet's bar stands on the Recto.
        QVERIFY(near(cover.face(Face::Verso).text(1)->left, 6818.15 + 120));
        QCOMPARE(cover.face(Face::Dos).text(1)->left,
                 float(cover.context.screen.overlays[DosSheet].bar.right()));

        Cover synopsis;
        synopsis.importOnVersoAndDos(QStringLiteral(
            "[Core]\r\nMediaFlag=2abc\r\nTitle=N/A\r\nArtist=Réal\r\n[RecordData]\r\n"
            "SynopsisLines=2\r\nSynopsis1=Un\r\nRating=PG\r\n"));
        const QString end = QChar(0x00F8) + QStringLiteral("\r\n");
        QCOMPARE(synopsis.captions(Face::Verso), QStringList{QStringLiteral("Un") + end + end});
        QVERIFY(near(synopsis.face(Face::Verso).text(1)->top, 20));
        QCOMPARE(synopsis.captions(Face::Dos), (QStringList{QStringLiteral("Rated PG"), {}}));
        QCOMPARE(synopsis.document.verticalText.caption(), QStringLiteral("Réal"));

        Cover remarks;
        remarks.importOnVersoAndDos(
            QStringLiteral("[Core]\r\nMediaFlag=3\r\n[RecordData]\r\nRemarks=Rare\r\n"
                           "NrSubRecords=2\r\n[SubRec]\r\nTrack2=Deux\r\n"));
        QCOMPARE(remarks.captions(Face::Verso), QStringList{QStringLiteral("Rare")});
        QCOMPARE(remarks.captions(Face::Dos), (QStringList{{}, QStringLiteral("Deux")}));

        Cover none;
        none.importOnVersoAndDos(QStringLiteral(
            "[Core]\r\nMediaFlag=x2\r\n[RecordData]\r\nNrSubRecords=3\r\nRemarks=Rare\r\n"));
        none.importOnVersoAndDos(QStringLiteral("[Core]\r\nMediaFlag=3\r\n"));
        QVERIFY(none.captions(Face::Verso).isEmpty() && none.captions(Face::Dos).isEmpty());
    }

    void withoutRecordOnlyTheVerticalTextChanges()
    {
        Cover cover;
        cover.document.verticalText.setCaption(QStringLiteral("Ancien"));
        for (const int face : {int(Face::Verso), int(Face::Dos)})
            QVERIFY(!cover.import(face, QStringLiteral("/introuvable/x~x.cfg")));
        QCOMPARE(cover.document.verticalText.caption(), QStringLiteral("Votre texte"));
        QCOMPARE(cover.context.screen.currentView, View::RectoVerso);
        for (const Face& face : cover.document.faces)
            QVERIFY(face.highestIndex() == 0 && face.logo.isEmpty() && !face.logo.visible);
        QCOMPARE(cover.document.logoImagePath, JewelCaseDocument::noPicture);
        QVERIFY(!cover.document.documentModified);
    }

    void crowdedRecordsStayOnTheirFace()
    {
        // The record's picture is the cover's logo, named so that a saved cover keeps it.
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("pochette.png"));
        QImage image(60, 40, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(picture));
        RecordFile forty(QStringLiteral("[Core]\r\nMediaFlag=1\r\nCoverArt=%1\r\n[RecordData]\r\n"
                                        "NrSubRecords=40\r\n")
                             .arg(picture));
        Cover crowded;
        for (const int face : {int(Face::Verso), int(Face::Dos)}) {
            crowded.import(face, forty.path);
            QCOMPARE(crowded.captions(face).size(), 40);
            // However many they are, they all end inside their face.
            const QRectF frame = crowded.face(face).frame;
            for (int i = 1; i <= 40; ++i) {
                const QRectF text = crowded.face(face).text(i)->rect();
                QVERIFY2(frame.contains(text), qPrintable(QString::number(i)));
            }
            // Spread from the top margin down to where a fitted text ends.
            QVERIFY(near(crowded.face(face).text(1)->top, 60));
            QVERIFY(near(crowded.face(face).text(40)->rect().bottom(), fittedBottom(frame)));
        }
        QCOMPARE(crowded.document.logoImagePath, picture);
        QVERIFY(crowded.face(Face::Recto).logo.visible &&
                crowded.face(Face::Recto).logo.fittedToFace);
        QVERIFY(crowded.face(Face::Dos).logo.visible && !crowded.face(Face::Verso).logo.isEmpty());

        // Below a small Dos logo, the gaps share what the logo leaves.
        RecordFile pictured(twoTracks(QStringLiteral("CoverArt=%1\r\n").arg(picture)));
        Cover dos;
        dos.import(Face::Dos, pictured.path);
        const double logoBottom = dos.face(Face::Dos).logo.rect.bottom();
        const double h = dos.face(Face::Dos).text(1)->height;
        const double gap = (dos.face(Face::Dos).frame.height() - logoBottom - 2 * h) / 4;
        QVERIFY(near(dos.face(Face::Dos).text(1)->top, logoBottom + gap));
        QVERIFY(near(dos.face(Face::Dos).text(2)->top, logoBottom + gap + h + gap));

        // A count no face can hold is no reason to fill the memory.
        Cover capped;
        capped.importOnVersoAndDos(QStringLiteral(
            "[Core]\r\nMediaFlag=3\r\n[RecordData]\r\nNrSubRecords=99999999999\r\n"));
        QCOMPARE(capped.face(Face::Dos).highestIndex(), 999);
    }
};

QTEST_MAIN(TestRecordImport)
#include "tst_recordimport.moc"
