// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlbumLayout.h"
#include "Application.h"
#include "CoverFile.h"
#include "CoverFileCommands.h"
#include "CoverLayout.h"
#include "CoverWindow.h"
#include "LabelWindow.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "PrintedSheet.h"
#include "ScriptedPrompter.h"
#include "TextEncoding.h"
#include "TextMetrics.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// An album of `discs` discs of `tracks` tracks each; each title names its disc and track, and
// a long one runs on far past any column.
Album album(int tracks, int discs = 1, bool longTitles = false)
{
    Album result;
    result.artist = QStringLiteral("Les Gammes");
    result.title = QStringLiteral("Quatre-vingt-dix-neuf");
    result.year = QStringLiteral("2024");
    result.genre = QStringLiteral("Chanson");
    for (int d = 1; d <= discs; ++d) {
        Album::Disc disc;
        for (int t = 1; t <= tracks; ++t) {
            QString title = QStringLiteral("Titre %1-%2").arg(d).arg(t);
            if (longTitles)
                title += QStringLiteral(" que l'on chante à tue-tête").repeated(6);
            // One of them longer than an hour; one of unknown length.
            disc.tracks.push_back({title, t == 3 ? 3725 : t == 2 ? 0 : 60 + 7 * t});
        }
        result.discs.push_back(disc);
    }
    return result;
}

// "12. Titre 1-12", as the list numbers a track on its disc.
QString numbered(const Album& album, int disc, int track)
{
    return QStringLiteral("%1. ").arg(track + 1) +
           album.discs[std::size_t(disc)].tracks[std::size_t(track)].title;
}

QString shownText(const Face& face)
{
    QStringList captions;
    for (const TextElement* text : shownTexts(face.texts))
        captions << TextEncoding::withLf(text->caption());
    return captions.join(u'\n');
}

QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished())
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A picture file of one colour.
QString pictureFile(const QTemporaryDir& dir, const QString& name, QColor colour)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

struct Cover {
    ScriptedPrompter prompter;
    JewelCaseDocument document;
    CoverContext context{document, prompter};

    Cover() { CoverFileCommands::emptyCover(document); }
};

} // namespace

class TestAlbumLayout : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        Application::configure(*qApp);
    }

    // Whatever its length, a list stands whole on the Verso and on the Dos: smaller, then in
    // columns, beside a logo; no text leaves its face or lies over another or the logo, no
    // font is under 6 pt, and every title is on the cover: whole in its text and in the saved
    // file, and in the PDF's text, with "…" where a column is too narrow for it.
    void listsFitTheirFace_data()
    {
        QTest::addColumn<int>("tracks");
        QTest::addColumn<int>("discs");
        QTest::addColumn<bool>("longTitles");
        QTest::addColumn<bool>("logos");
        QTest::addColumn<int>("columns"); // on the Verso
        QTest::newRow("1 track") << 1 << 1 << false << false << 1;
        QTest::newRow("12 tracks") << 12 << 1 << false << false << 1;
        QTest::newRow("40 tracks") << 40 << 1 << false << false << 2;
        QTest::newRow("99 tracks") << 99 << 1 << false << false << 3;
        QTest::newRow("12 long titles") << 12 << 1 << true << false << 1;
        QTest::newRow("2 discs of 30") << 30 << 2 << false << false << 2;
        QTest::newRow("40 tracks, logos") << 40 << 1 << false << true << 2;
        QTest::newRow("99 long titles, logos") << 99 << 1 << true << true << 2;
    }

    void listsFitTheirFace()
    {
        QFETCH(int, tracks);
        QFETCH(int, discs);
        QFETCH(bool, longTitles);
        QFETCH(bool, logos);
        const Album filled = album(tracks, discs, longTitles);
        Cover cover;
        JewelCaseDocument& document = cover.document;
        if (logos) {
            using PicturePlacement::LogoDisplayMode;
            const std::optional<Picture> logo =
                PictureFile::load(pictureFile(dir, QStringLiteral("logo.png"), Qt::blue));
            QVERIFY(logo);
            PicturePlacement::PlaceLogo(document, Face::Verso, LogoDisplayMode::TopRight, false,
                                        *logo);
            PicturePlacement::PlaceLogo(document, Face::Dos, LogoDisplayMode::Free, false, *logo);
        }
        AlbumLayout::fillCover(document, filled, cover.prompter);
        QVERIFY(cover.prompter.asked.isEmpty());
        QCOMPARE(document.verticalText.caption(), "Les Gammes — Quatre-vingt-dix-neuf");

        for (const int f : {int(Face::Recto), int(Face::Verso), int(Face::Dos)}) {
            const Face& face = document.faces[std::size_t(f)];
            const QRectF inside(face.frame.topLeft(),
                                QPointF(CoverLayout::fittedRight(face.frame),
                                        CoverLayout::fittedBottom(face.frame)));
            const std::vector<const TextElement*> texts = shownTexts(face.texts);
            QVERIFY(!texts.empty());
            for (const TextElement* text : texts) {
                const QString which = QStringLiteral("%1/%2").arg(f).arg(text->index);
                QVERIFY2(inside.contains(text->rect()), qPrintable(which));
                QVERIFY2(text->font().size >= 6, qPrintable(which));
                // No line is cut at the foot.
                QVERIFY2(TextMetrics::captionSize(text->font(), text->caption()).height() <=
                             text->height + 1,
                         qPrintable(which));
                if (face.logo.visible)
                    QVERIFY2(!text->rect().intersects(face.logo.rect), qPrintable(which));
                for (const TextElement* other : texts)
                    QVERIFY2(other == text || !other->rect().intersects(text->rect()),
                             qPrintable(which));
            }
            if (f == Face::Recto)
                continue;
            // A column of titles and one of durations, aligned right, the titles' left.
            const auto durations = std::count_if(texts.begin(), texts.end(), [](auto* text) {
                return text->alignment == Alignment::Right;
            });
            QCOMPARE(qsizetype(texts.size()), 2 * durations);
            if (f == Face::Verso)
                QTEST(int(durations), "columns");
            const QString shown = shownText(face);
            for (int d = 0; d < discs; ++d)
                for (int t = 0; t < tracks; ++t)
                    QVERIFY2(shown.contains(numbered(filled, d, t) + u'\n') ||
                                 shown.endsWith(numbered(filled, d, t)),
                             qPrintable(numbered(filled, d, t)));
            QVERIFY(shown.contains(QStringLiteral("1:07")));
            QCOMPARE(shown.contains(QStringLiteral("1:02:05")), tracks >= 3);
            QCOMPARE(shown.contains(QStringLiteral("Disque 2")), discs == 2);
        }
        QCOMPARE(shownText(document.faces[Face::Recto]),
                 "Les Gammes\nQuatre-vingt-dix-neuf\n2024 · Chanson");

        // Whole in the file, and in the PDF as far as each column shows it.
        const QString saved = dir.filePath(QStringLiteral("liste.jkcd"));
        QVERIFY(CoverFile::save(document, saved, cover.prompter));
        JewelCaseDocument reopened;
        QVERIFY(CoverFile::open(reopened, saved, cover.prompter));
        const QString pdf = dir.filePath(QStringLiteral("liste.pdf"));
        QVERIFY(PrintedSheet::writePdf(document, {RectoSheet, DosSheet}, pdf, 150));
        const QString printed = pdfText(pdf);
        if (printed.isEmpty())
            QSKIP("pdftotext (poppler-utils) is needed to read the PDF's text");
        QVERIFY(printed.contains(QStringLiteral("Quatre-vingt-dix-neuf")));
        QCOMPARE(printed.contains(QStringLiteral("…")), longTitles);
        for (const int f : {int(Face::Verso), int(Face::Dos)})
            QCOMPARE(shownText(reopened.faces[std::size_t(f)]),
                     shownText(document.faces[std::size_t(f)]));
        // Each line as far as its column shows it, its number at least.
        for (const int f : {int(Face::Verso), int(Face::Dos)})
            for (const TextElement* text : shownTexts(document.faces[std::size_t(f)].texts)) {
                const QFontMetricsF metrics(TextMetrics::twipFont(text->font()));
                for (const QString& line : TextEncoding::withLf(text->caption()).split(u'\n')) {
                    QString visible = metrics.elidedText(line, Qt::ElideRight, text->width);
                    visible.chop(visible.endsWith(u'…') ? 1 : 0);
                    QVERIFY2(printed.contains(visible), qPrintable(line));
                    QVERIFY2(line.isEmpty() || line.startsWith(QLatin1String("Disque")) ||
                                 line.contains(':') || visible.indexOf(u'.') > 0,
                             qPrintable(line));
                }
            }
    }

    // The label: the front picture over the disc, the title above the hub and the artist
    // below it, inside the disc. A picture that cannot be read is said, and left out.
    void fillsTheLabel()
    {
        ScriptedPrompter prompter;
        Album filled = album(3);
        filled.frontPicture = pictureFile(dir, QStringLiteral("recto.png"), Qt::red);
        CdLabelDocument label;
        AlbumLayout::fillLabel(label, filled, prompter);
        QCOMPARE(label.pictureFileName, filled.frontPicture);
        QVERIFY(label.picture.visible);
        const std::vector<const TextElement*> texts = label.shownTexts();
        QCOMPARE(texts.size(), 2u);
        QCOMPARE(texts[0]->caption(), filled.title);
        QCOMPARE(texts[1]->caption(), filled.artist);
        QVERIFY(texts[0]->rect().bottom() < CdLabelDocument::hubCircle.top());
        QVERIFY(texts[1]->rect().top() > CdLabelDocument::hubCircle.bottom());
        for (const TextElement* text : texts)
            QVERIFY(CdLabelDocument::discOutline.contains(text->rect()));

        filled.frontPicture = dir.filePath(QStringLiteral("absente.png"));
        CdLabelDocument without;
        AlbumLayout::fillLabel(without, filled, prompter);
        QVERIFY(!without.hasPictureFile() && without.shownTexts().size() == 2);
        QVERIFY(prompter.last().text.endsWith(QStringLiteral(" ne peut pas être lu !")));
    }

    // "Ajusté à la taille du texte" of a track list inserted from a file (as the lookup window
    // saves it) makes its font smaller, down to 6 pt, rather than let it run past the face's
    // foot; any other text keeps its font and is cut at the foot.
    void adjustedTrackListShrinks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<float>("size");
        QTest::newRow("track list") << QStringLiteral("%1-Titre %1") << 7.f;
        QTest::newRow("prose") << QStringLiteral("Une ligne de texte, %1") << 11.f;
    }

    void adjustedTrackListShrinks()
    {
        QFETCH(QString, line);
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        window.startUp();
        QStringList lines = {QStringLiteral("Artiste : Les Gammes - Album : Quarante"),
                             QStringLiteral("Année : 2024 - Genre : Chanson"), QString()};
        for (int track = 1; track <= 40; ++track)
            lines << line.arg(track, 2, 10, QLatin1Char('0'));
        TextElement* text = window.editing().texts().InsertText(Face::Verso, false);
        QVERIFY(text);
        text->setCaption(lines.join(QStringLiteral("\r\n")));
        text->top = 60;
        window.menus().text.textAlign[3]->trigger();
        QTEST(text->font().size, "size");
        const QRectF frame = window.document().faces[Face::Verso].frame;
        QVERIFY(text->rect().bottom() <= CoverLayout::fittedBottom(frame));
        QCOMPARE(TextMetrics::captionSize(text->font(), text->caption()).height() <= text->height,
                 QTest::currentDataTag() == QStringLiteral("track list"));
    }

    // "Créer la jaquette" and "Créer l'étiquette" ask about unsaved work first, then fill the
    // document as one step that "Annuler" takes back whole; stopped at the question (a save
    // asked for and cancelled), they change nothing.
    void createIsOneStep()
    {
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        window.startUp();
        Album filled = album(12);
        filled.frontPicture = pictureFile(dir, QStringLiteral("devant.png"), Qt::red);
        filled.backPicture = dir.filePath(QStringLiteral("illisible.png"));
        QFile unreadable(filled.backPicture);
        QVERIFY(unreadable.open(QIODevice::WriteOnly) && unreadable.write("pas une image"));
        unreadable.close();

        LabelWindow* labelWindow = window.showLabelWindow();
        const std::array<std::function<bool()>, 2> create = {
            [&] { return window.createCover(filled); }, [&] { return window.createLabel(filled); }};
        const std::array<DocumentHistory*, 2> histories = {&window.context().history,
                                                           &labelWindow->context().history};
        const std::array<QAction*, 2> undo = {window.menus().history.undo,
                                              labelWindow->menus().history.undo};
        const auto snapshot = [&](int which) -> std::function<bool()> {
            if (which == 0)
                return [&, before = window.document()] { return window.document() == before; };
            return [&, before = labelWindow->label()] { return labelWindow->label() == before; };
        };
        for (int which = 0; which < 2; ++which) {
            histories[which]->markModified();
            const std::function<bool()> unchanged = snapshot(which);
            const int steps = histories[which]->stack().count();

            // "Oui" to the question, then the save dialog cancelled: nothing is created.
            prompter.asked.clear();
            prompter.buttons = {Prompter::Yes};
            QVERIFY(!create[which]());
            QVERIFY(unchanged());
            QVERIFY(
                prompter.asked.first().message.text.startsWith("Enregistrer les modifications"));

            // "Non": the question comes before anything else (the unreadable back picture, which
            // only the cover names: it is said, and left out).
            prompter.asked.clear();
            QVERIFY(create[which]());
            QVERIFY(
                prompter.asked.first().message.text.startsWith("Enregistrer les modifications"));
            QCOMPARE(prompter.asked.size(), which == 0 ? 2 : 1);
            QVERIFY(!unchanged());
            QCOMPARE(histories[which]->stack().count(), steps + 1);
            QCOMPARE(undo[which]->text(), which == 0 ? "&Annuler la création de la jaquette"
                                                     : "&Annuler la création de l'étiquette");
            undo[which]->trigger();
            QVERIFY(unchanged());
        }
        window.menus().history.redo->trigger();
        QCOMPARE(window.document().rectoImagePath, filled.frontPicture);
        QVERIFY(window.document().faces[Face::Recto].background.visible);
        QCOMPARE(window.document().dosImagePath, JewelCaseDocument::noPicture);
        QCOMPARE(window.windowTitle(), "Jaskel CD : Nouveau");
    }
};

QTEST_MAIN(TestAlbumLayout)
#include "tst_albumlayout.moc"
