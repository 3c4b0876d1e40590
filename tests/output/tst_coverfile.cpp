// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverFile.h"
#include "FileContents.h"
#include "FileSizeLimit.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "ScriptedPrompter.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

TextElement& addText(JewelCaseDocument& document, int face, const QString& caption,
                     const QRectF& rect)
{
    Face& target = document.faces[std::size_t(face)];
    TextElement& element = target.loadText(target.highestIndex() + 1);
    element.restore(caption, element.font(), rect, false);
    element.visible = true;
    return element;
}

} // namespace

class TestCoverFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString file(const char* name) const { return dir_.filePath(QLatin1String(name)); }

    // A cover with something in every kind of field: 2 Recto texts (a deleted one between
    // them), 1 Verso and 1 Dos text, a logo and a background from files, colours, the spines.
    void makeCover(JewelCaseDocument& document)
    {
        using namespace PicturePlacement;
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(file("logo.png")));
        QVERIFY(red.save(file("fond, rouge.png"))); // a comma in a path
        const Picture picture = *PictureFile::load(file("logo.png"));
        document.logoImagePath = file("logo.png");
        document.dosImagePath = file("fond, rouge.png");
        PlaceLogo(document, Face::Verso, LogoDisplayMode::BottomRight, true, picture);
        PlaceBackground(document, Face::Dos, 0x00C0FFEE, BackgroundFitMode::CentredProportional,
                        picture);
        ImageOptionsChoices& choices = document.imageChoices;
        choices.logoSource = 1;
        choices.logoDisplayMode[Face::Verso] = int(LogoDisplayMode::BottomRight);
        choices.logoBorderStyle[Face::Verso] = 1;
        choices.backgroundFitMode[Face::Dos] = int(BackgroundFitMode::CentredProportional);
        document.faces[Face::Verso].color = 0x00123456;

        TextElement& title = addText(document, Face::Recto, QStringLiteral("Été\r\nà Paris"),
                                     QRectF(600.4, 700, 3000, 815.6));
        title.setFont({QStringLiteral("Comic Sans MS"), 11.25f, true, false, true, false});
        title.alignment = Alignment::Centre;
        title.backStyle = BackStyle::Opaque;
        title.backColor = 0x0000FFFF;
        title.foreColor = 0x80000008; // a system colour
        addText(document, Face::Recto, QStringLiteral("effacé"), QRectF(0, 0, 500, 200)).visible =
            false;
        addText(document, Face::Recto, QStringLiteral("Piste 3"), QRectF(900, 1500, 2000, 300))
            .borderStyle = BorderStyle::Single;
        addText(document, Face::Verso, QStringLiteral("Notes"), QRectF(7000, 300, 2000, 300))
            .setAutoSize(true);
        addText(document, Face::Dos, QStringLiteral("Dos"), QRectF(1000, 300, 2000, 300));
        document.verticalText.setCaption(QStringLiteral("Artiste Titre"));
        document.verticalTextAlignment = VerticalAlignment::Centre;
        document.dosSheet().foreColor = 0x000000FF;
    }

private Q_SLOTS:
    void writesTheCoverInItsExactFormAndOpensIt()
    {
        // The numbers ignore a French locale.
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        JewelCaseDocument document;
        makeCover(document);
        ScriptedPrompter prompter;
        QVERIFY(CoverFile::save(document, file("a.jkcd"), prompter));
        QVERIFY(prompter.asked.isEmpty());
        const QByteArray bytes = readAll(file("a.jkcd"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        const QList<QByteArray> lines = bytes.split('\n');
        // 42 header lines, 4 texts of 20 lines, 18 for the vertical text, one break in a caption.
        QCOMPARE(lines.size() - 1, 42 + 4 * 20 + 18 + 1);
        // The colours, the Verso's first; "Aucun" for a picture that is not there; then the
        // lists as the user chose them, the Recto's first: the backgrounds (the Dos's centred),
        // a logo from a file, the logos' modes (the Verso's bottom right), their borders.
        QCOMPARE(lines.mid(0, 4).join('\n'), " 1193046 \r\n 16777215 \r\n 12648430 \r\nAucun\r");
        QCOMPARE(lines[5], (file("fond, rouge.png") + QStringLiteral("\r")).toLatin1());
        QCOMPARE(lines.mid(7, 10).join(""), " 0 \r 0 \r 1 \r 1 \r 0 \r 6 \r 0 \r 0 \r 1 \r 0 \r");
        QCOMPARE(lines[41], QByteArray(" 2  1  1 \r")); // the texts each face saves
        // The first Recto text, in Windows-1252: its caption over two lines, the font size
        // rounded, the system colour as a negative number, the position in whole twips.
        QCOMPARE(
            lines.mid(42, 22).join('\n'),
            "\"\xC9t\xE9\r\n\xE0 Paris\"\r\n 2 \r\n 65535 \r\n 1 \r\n 0 \r\n\"Comic Sans MS\"\r\n"
            " 1 \r\n 0 \r\n\"Comic Sans MS\"\r\n 11 \r\n 0 \r\n 1 \r\n-2147483640 \r\n"
            " 600 \r\n 700 \r\n 3000 \r\n 816 \r\n 1 \r\n 1 \r\n 0 \r\n\"Piste 3\"\r");
        QCOMPARE(lines[63 + 18], QByteArray(" 3 \r")); // its own index, after the deleted one
        QCOMPARE(lines[lines.size() - 2], QByteArray(" 0 \r")); // the vertical text is hidden

        // Opened, the cover is the one saved: saved again, it gives the same bytes.
        JewelCaseDocument opened;
        QVERIFY(CoverFile::open(opened, file("a.jkcd"), prompter));
        QVERIFY(prompter.asked.isEmpty());
        QVERIFY(!opened.faces[Face::Recto].text(2)); // the deleted text stayed behind
        QCOMPARE(opened.imageChoices.logoDisplayMode, (std::array<int, 3>{6, 0, 0}));
        QVERIFY(CoverFile::save(opened, file("b.jkcd"), prompter));
        QCOMPARE(readAll(file("b.jkcd")), bytes);

        // A character outside Windows-1252 makes the file UTF-8, and it reads back; straight
        // quotes are kept as ”, and the user is told so once.
        const QString greek = QStringLiteral("Μίκης «Ζορμπάς»");
        document.verticalText.setCaption(greek);
        document.faces[Face::Recto].text(1)->setCaption(QStringLiteral("Le \"Best of\""));
        QVERIFY(CoverFile::save(document, file("c.jkcd"), prompter));
        QCOMPARE(prompter.asked.size(), 1);
        QLocale::setDefault(QLocale::c());

        // A missing logo is said once; the rest of the cover comes back, and the cover still
        // names the logo and its lists: saved, it is the file it was (the drive comes back).
        QVERIFY(QFile::remove(file("logo.png")));
        ScriptedPrompter asked;
        QVERIFY(CoverFile::open(opened, file("c.jkcd"), asked));
        QCOMPARE(asked.asked.size(), 1);
        QCOMPARE(asked.last().text, QStringLiteral("Le fichier image ") + file("logo.png") +
                                        QStringLiteral(" est introuvable !"));
        QVERIFY(opened.faces[Face::Verso].logo.isEmpty());
        QCOMPARE(opened.faces[Face::Recto].text(1)->caption(), QStringLiteral("Le ”Best of”"));
        QCOMPARE(opened.verticalText.caption(), greek);
        const QByteArray before = readAll(file("c.jkcd"));
        QVERIFY(CoverFile::save(opened, file("d.jkcd"), asked));
        QCOMPARE(readAll(file("d.jkcd")), before);

        // A save that cannot be completed keeps the old file byte for byte and the cover as it
        // was: no folder, or a file larger than the process may write.
        QVERIFY(!CoverFile::save(opened, file("absent/c.jkcd"), prompter));
        QCOMPARE(prompter.last().text, QStringLiteral("Erreur lors de la sauvegarde du fichier !"));
        QVERIFY(!withFileSizeLimit(
            100, [&] { return CoverFile::save(opened, file("c.jkcd"), prompter); }));
        QCOMPARE(opened.logoImagePath, file("logo.png"));
        QCOMPARE(readAll(file("c.jkcd")), before);
    }

    void readsTheFormWhateverWroteIt()
    {
        // Fields parted by commas, blank padding, a comma and a line break inside a quoted
        // caption, a Windows-1252 byte, no texts on two faces.
        QByteArray bytes = "255,65280 , 16711680\r\nAucun\r\nAucun\r\nAucun\r\nAucun\r\n"
                           "0,0,0,0,0,0,0,0,0,0\r\n";
        for (int i = 0; i < 24; ++i)
            bytes += " 10 \r\n";
        bytes += "1 0 0\r\n"
                 "\"Un, deux\r\ntrois \xE9t\xE9\",2,255,1,1,\"Arial\",0,1,\"Arial\",12,0,0,"
                 "16711680,100,200,3000,400,1,7,0\r\n"
                 "\"Vertical\",1,0,0,0,\"Arial\",1,0,\"Arial\",14,0,0,255,300,3075,1500,315,1\r\n";
        QVERIFY(writeAll(file("main.jkcd"), bytes));
        JewelCaseDocument document;
        ScriptedPrompter prompter;
        QVERIFY(CoverFile::open(document, file("main.jkcd"), prompter));
        QCOMPARE(document.faces[Face::Recto].color, OleColor(65280));
        const TextElement* text = document.faces[Face::Recto].text(7);
        QVERIFY(text);
        QCOMPARE(text->caption(), QStringLiteral("Un, deux\r\ntrois été"));
        QCOMPARE(text->rect(), QRectF(100, 200, 3000, 400));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::End);

        // Cut after any line, or with a word where a number belongs, the file is refused
        // with the reader's message; nothing is left half-loaded.
        for (qsizetype end = 0; end < bytes.size(); end = bytes.indexOf('\n', end) + 1) {
            QVERIFY(writeAll(file("cut.jkcd"), bytes.left(end)));
            ScriptedPrompter asked;
            JewelCaseDocument broken;
            QVERIFY2(!CoverFile::open(broken, file("cut.jkcd"), asked),
                     qPrintable(QString::number(end)));
            QCOMPARE(asked.last().text, QStringLiteral("Erreur lors de l'ouverture du fichier !"));
        }
        // What could not be saved as it was read is refused as a broken file: the template's
        // index, an index given twice, a place a text cannot keep exactly. What is accepted
        // saves to a file that opens as the same cover.
        const QByteArray record =
            "\"Un, deux\r\ntrois \xE9t\xE9\",2,255,1,1,\"Arial\",0,1,\"Arial\",12,"
            "0,0,16711680,100,200,3000,400,1,7,0\r\n";
        const QList<QPair<QByteArray, QByteArray>> refused = {{",7,0\r\n", ",0,0\r\n"},
                                                              {"1 0 0\r\n", "2 0 0\r\n" + record},
                                                              {",100,200,", ",2147483647,200,"},
                                                              {",3000,400,", ",3000,-16777217,"}};
        for (const auto& [from, to] : refused) {
            QVERIFY(writeAll(file("refused.jkcd"), QByteArray(bytes).replace(from, to)));
            ScriptedPrompter asked;
            QVERIFY2(!CoverFile::open(document, file("refused.jkcd"), asked), to);
            QCOMPARE(asked.last().text, QStringLiteral("Erreur lors de l'ouverture du fichier !"));
        }
        QVERIFY(writeAll(file("far.jkcd"), QByteArray(bytes).replace(",100,", ",16777216,")));
        QVERIFY(CoverFile::open(document, file("far.jkcd"), prompter));
        QVERIFY(CoverFile::save(document, file("far-saved.jkcd"), prompter));
        JewelCaseDocument far;
        QVERIFY(CoverFile::open(far, file("far-saved.jkcd"), prompter));
        QCOMPARE(far.faces[Face::Recto].text(7)->left, 16777216.0f);

        QVERIFY(!CoverFile::open(document, file("absent.jkcd"), prompter));
        QVERIFY(writeAll(file("wrong.jkcd"), "blanc\r\n"));
        QVERIFY(!CoverFile::open(document, file("wrong.jkcd"), prompter));
    }
};

QTEST_MAIN(TestCoverFile)
#include "tst_coverfile.moc"
