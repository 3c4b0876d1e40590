#include "Application.h"
#include "JewelCaseDocument.h"
#include "Ouverturetexte.h"

#include <QApplication>
#include <QtTest>

namespace {

JewelCaseDocument laidOut()
{
    JewelCaseDocument document;
    document.layOut(450);
    return document;
}

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

} // namespace

class TestCoverLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void sheetsAndFacesAfterStartUp()
    {
        const JewelCaseDocument document = laidOut();
        QVERIFY(near(document.sheets[0].geometry.width(), 13741.3));
        QVERIFY(near(document.sheets[0].geometry.height(), 6863.15));
        QVERIFY(near(document.sheets[1].geometry.width(), 8621.97));
        QVERIFY(near(document.sheets[1].geometry.height(), 6749.76));

        QCOMPARE(document.faces[Face::Recto].frame, QRectF(0, 0, 6803.15f, 6803.15f));
        // The Verso starts 15 twips right of the Recto's right edge.
        QVERIFY(near(document.faces[Face::Verso].frame.left(), 6818.15));
        QCOMPARE(document.faces[Face::Dos].frame, QRectF(340, 0, 7851.97f, 6689.76f));

        QCOMPARE(document.spines[0].rect.left(), 0.0);
        QVERIFY(near(document.spines[1].rect.left(), 8191.97));
        QCOMPARE(document.spines[1].rect.width(), 340.0);
        QVERIFY(near(document.spines[0].rect.height(), 6689.76));

        // Logo slots: the Recto's covers its face, the others are 2855 twips square.
        QCOMPARE(document.faces[Face::Recto].logo.rect, QRectF(15, 15, 6803.15f, 6803.15f));
        QCOMPARE(document.faces[Face::Verso].logo.rect.size(), QSizeF(2855, 2855));
        QVERIFY(near(document.faces[Face::Verso].logo.rect.left(), 6818.15));
        QCOMPARE(document.faces[Face::Dos].logo.rect.topLeft(), QPointF(340, 465));
    }

    void captionsSitUnderTheirFaces()
    {
        const JewelCaseDocument document = laidOut();
        for (const Face& face : document.faces) {
            const QRectF& sheet = document.sheets[face.sheet].geometry;
            QCOMPARE(face.captionRect.width(), face.frame.width());
            QVERIFY(near(face.captionRect.left(), face.frame.left() + sheet.left()));
            QVERIFY(face.captionRect.top() >= sheet.bottom());
            QCOMPARE(face.captionRect.height(), 465.0);
        }
        QCOMPARE(document.faces[Face::Recto].caption, QStringLiteral("RECTO (Face avant)"));
        QCOMPARE(document.faces[Face::Verso].caption, QStringLiteral("VERSO (Face intérieure)"));
        QCOMPARE(document.faces[Face::Dos].caption, QStringLiteral("DOS (Face arrière)"));
    }

    void templatesAndBars()
    {
        const JewelCaseDocument document = laidOut();
        const QList<QPointF> templates = {{9240, 120}, {2520, 240}, {1785, 600}};
        for (int face = 0; face < 3; ++face) {
            const Face& model = document.faces[std::size_t(face)];
            QCOMPARE(model.texts.size(), std::size_t(1));
            const TextElement& element = model.texts.at(0);
            QCOMPARE(QPointF(element.left, element.top), templates[face]);
            QVERIFY(!element.visible);
            QCOMPARE(element.caption(), QStringLiteral("Texte"));
            QCOMPARE(element.font().name, QStringLiteral("Times New Roman"));
            QCOMPARE(element.font().size, 11.25f);
            QCOMPARE(element.foreColor, OleColors::systemWindowText);
            QCOMPARE(element.backColor, OleColors::systemWindow);
        }
        // Each bar is as high as its faces and stands inside them.
        const Face& recto = document.faces[Face::Recto];
        QCOMPARE(document.sheets[0].bar.height(), recto.frame.height());
        QVERIFY(recto.frame.contains(document.sheets[0].bar.topLeft()));
        QCOMPARE(document.sheets[1].bar.width(), 75.0);
        QVERIFY(document.dos().frame.contains(document.sheets[1].bar.topLeft()));
        QCOMPARE(document.documentModified, 0);
        QCOMPARE(document.rectoImagePath, QStringLiteral("Aucun"));
    }

    void restoringElementsCreatesOnlyWhatIsNamed()
    {
        JewelCaseDocument document = laidOut();
        ElementRecord record;
        record.caption = QStringLiteral("Titre & \"album\"\r\nligne 2");
        record.fontName = QStringLiteral("Comic Sans MS");
        record.fontObjectName = record.fontName;
        record.fontSize = 16;
        record.fontBold = 1;
        record.fontItalic = -1; // any non-zero number is true
        record.foreColor = 0x000000FF;
        record.backColor = 0x0000FF00;
        record.backStyle = 1;
        record.borderStyle = 1;
        record.alignment = 2;
        record.left = 1000;
        record.top = 2000;
        record.width = 3000;
        record.height = 400;
        record.visible = 1;
        record.index = 7;
        record.autoSize = 1;
        QVERIFY(Ouverturetexte(document, RectoTexts, record));

        const Face& recto = document.faces[Face::Recto];
        QCOMPARE(recto.highestIndex(), 7);
        for (int missing = 1; missing < 7; ++missing)
            QVERIFY(!recto.text(missing));
        const TextElement* restored = recto.text(7);
        QVERIFY(restored);
        // The stored rectangle is applied after the caption and font, even when auto-sized.
        QCOMPARE(restored->rect(), QRectF(1000, 2000, 3000, 400));
        QCOMPARE(restored->caption(), record.caption);
        QVERIFY(restored->font().bold && restored->font().italic && !restored->font().underline);
        QCOMPARE(restored->alignment, 2);
        QCOMPARE(restored->foreColor, OleColor(0xFF));
        QVERIFY(restored->visible && restored->enabled);

        // Restoring element 0 reuses the template rather than adding one.
        record.index = 0;
        record.caption = QStringLiteral("Modèle");
        QVERIFY(Ouverturetexte(document, VersoTexts, record));
        QCOMPARE(document.faces[Face::Verso].texts.size(), std::size_t(1));
        QCOMPARE(document.faces[Face::Verso].text(0)->caption(), QStringLiteral("Modèle"));

        QVERIFY(!Ouverturetexte(document, 4, record));
        record.index = -1;
        QVERIFY(!Ouverturetexte(document, DosTexts, record));
    }

    void restoringTheVerticalTextColoursTheDosSheet()
    {
        JewelCaseDocument document = laidOut();
        ElementRecord record;
        record.caption = QStringLiteral("Album – Artiste");
        record.fontName = QStringLiteral("Times New Roman");
        record.fontSize = 14;
        record.backColor = 0x00EEDDCC;
        record.foreColor = 0x00112233;
        record.alignment = 1;
        record.width = 1500;
        record.height = 315;
        QVERIFY(Ouverturetexte(document, VerticalTextFrame, record));
        QCOMPARE(document.dosSheet().backColor, OleColor(0x00EEDDCC));
        QCOMPARE(document.dosSheet().foreColor, OleColor(0x00112233));
        QCOMPARE(document.verticalTextTag, 1);
        QCOMPARE(document.verticalText.caption(), record.caption);
        QCOMPARE(document.dosSheet().drawing.size(), std::size_t(2));
        QCOMPARE(document.dosSheet().drawing[0].color, OleColor(0x00112233));

        record.alignment = 9; // not one of the three choices
        QVERIFY(Ouverturetexte(document, VerticalTextFrame, record));
        QCOMPARE(document.verticalTextTag, 0);
    }
};

QTEST_MAIN(TestCoverLayout)
#include "tst_coverlayout.moc"
