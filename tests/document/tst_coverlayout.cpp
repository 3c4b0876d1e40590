#include "JewelCaseDocument.h"
#include "Ouverturetexte.h"
#include "VerticalTextDrawing.h"

#include <QtTest>

namespace {

bool near(double a, double b)
{
    return qAbs(a - b) < 0.01;
}

// A record as the reader hands it over, every look different from a new element's.
ElementRecord styledRecord(int index)
{
    ElementRecord record;
    record.caption = QStringLiteral("Titre & \"album\"\r\nligne 2");
    record.fontName = QStringLiteral("Comic Sans MS");
    record.fontBold = 1;
    record.fontItalic = -1; // any non-zero number is true
    record.foreColor = 0x000000FF;
    record.backColor = 0x0000FF00;
    record.backStyle = record.borderStyle = 1;
    record.alignment = 2;
    record.left = 1000;
    record.top = 2000;
    record.width = 3000;
    record.height = 400;
    record.visible = record.autoSize = 1;
    record.index = std::int16_t(index);
    return record;
}

} // namespace

class TestCoverLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutAtConstruction()
    {
        const JewelCaseDocument document;
        const QSizeF rectoSheet = document.sheets[RectoSheet].size;
        const QSizeF dosSheet = document.sheets[DosSheet].size;
        QVERIFY(near(rectoSheet.width(), 13741.3) && near(rectoSheet.height(), 6863.15));
        QVERIFY(near(dosSheet.width(), 8621.97) && near(dosSheet.height(), 6749.76));
        QCOMPARE(document.faces[Face::Recto].frame, QRectF(0, 0, 6803.15f, 6803.15f));
        // The Verso starts 15 twips right of the Recto's right edge.
        QVERIFY(near(document.faces[Face::Verso].frame.left(), 6818.15));
        QCOMPARE(document.faces[Face::Dos].frame, QRectF(340, 0, 7851.97f, 6689.76f));
        QCOMPARE(document.spines[0].rect.left(), 0.0);
        QVERIFY(near(document.spines[1].rect.left(), 8191.97));
        for (const Spine& spine : document.spines) {
            QCOMPARE(spine.rect.width(), 340.0);
            QVERIFY(near(spine.rect.height(), 6689.76));
        }
        // The Recto's logo covers its face; the others are squares at their face's left.
        QCOMPARE(document.faces[Face::Recto].logo.rect, QRectF(15, 15, 6803.15f, 6803.15f));
        QCOMPARE(document.faces[Face::Verso].logo.rect, QRectF(6818.15f, 15, 2855, 2855));
        QCOMPARE(document.faces[Face::Dos].logo.rect, QRectF(340, 15, 2855, 2855));
        const QList<QPointF> templates = {{9240, 120}, {2520, 240}, {1785, 600}};
        for (int index = 0; index < Face::count; ++index) {
            const Face& face = document.faces[std::size_t(index)];
            for (const ImageSlot* slot : {&face.background, &face.logo})
                QVERIFY(!slot->visible && slot->isEmpty());
            QCOMPARE(face.texts.size(), std::size_t(1));
            const TextElement& element = face.texts.at(0);
            QCOMPARE(QPointF(element.left, element.top), templates[index]);
            QVERIFY(!element.visible && element.caption() == QStringLiteral("Texte"));
            QVERIFY(element.font().name == "Times New Roman" && element.font().size == 11.25f);
        }
        QCOMPARE(Face::caption(Face::Verso), QStringLiteral("VERSO (Face intérieure)"));
        QCOMPARE(Face::caption(Face::Recto), QStringLiteral("RECTO (Face avant)"));
        QCOMPARE(Face::caption(Face::Dos), QStringLiteral("DOS (Face arrière)"));
    }

    void resetBringsBackTheStartUpState()
    {
        JewelCaseDocument document;
        for (Face& face : document.faces) {
            face.loadText(3).visible = true;
            face.texts.at(0).setCaption(QStringLiteral("Modèle"));
            face.color = 0x00FF0000;
            face.logo.picture = QImage(4, 4, QImage::Format_RGB32);
        }
        document.rectoImagePath = document.versoImagePath = QStringLiteral("/tmp/a.bmp");
        document.dosImagePath = document.logoImagePath = QStringLiteral("/tmp/b.bmp");
        document.verticalTextAlignment = VerticalAlignment::Centre;
        document.dosSheet().backColor = document.dosSheet().foreColor = 0x00123456;
        DrawRotatedText(document, QStringLiteral("Album"));
        document.documentModified = document.loadingDocument = true;
        document.currentFileName = QStringLiteral("/tmp/pochette.jcd");

        document.reset();
        for (const Face& face : document.faces) {
            QCOMPARE(face.texts.size(), std::size_t(1));
            QCOMPARE(face.texts.at(0).caption(), QStringLiteral("Texte"));
            QCOMPARE(face.color, OleColors::white);
            QVERIFY(!face.logo.visible && face.logo.isEmpty());
        }
        for (const QString* path : {&document.rectoImagePath, &document.versoImagePath,
                                    &document.dosImagePath, &document.logoImagePath})
            QCOMPARE(*path, QStringLiteral("Aucun"));
        QVERIFY(!document.documentModified && !document.loadingDocument);
        QVERIFY(document.currentFileName.isEmpty());
        QCOMPARE(document.verticalText.caption(), QStringLiteral("Texte vertical"));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Start);
        QVERIFY(document.dosSheet().backColor == 0x00FFFFFF && document.dosSheet().foreColor == 0);
        QVERIFY(document.dosSheet().drawing.empty());
    }

    void restoringRecordsCreatesOnlyWhatIsNamed()
    {
        JewelCaseDocument document;
        const ElementRecord record = styledRecord(7);
        QVERIFY(Ouverturetexte(document, ActiveFrame::RectoTexts, record));

        const Face& recto = document.faces[Face::Recto];
        QCOMPARE(recto.highestIndex(), 7);
        QCOMPARE(recto.texts.size(), std::size_t(2)); // the template and element 7, no others
        const TextElement* restored = recto.text(7);
        QVERIFY(restored);
        // The stored rectangle is applied after the caption and font, even when auto-sized.
        QCOMPARE(restored->rect(), QRectF(1000, 2000, 3000, 400));
        QCOMPARE(restored->caption(), record.caption);
        QCOMPARE(restored->font().name, QStringLiteral("Comic Sans MS"));
        QVERIFY(restored->font().bold && restored->font().italic && !restored->font().underline);
        QCOMPARE(restored->alignment, Alignment::Centre);
        QCOMPARE(restored->foreColor, OleColor(0x000000FF));
        QCOMPARE(restored->backStyle, BackStyle::Opaque);
        QCOMPARE(restored->borderStyle, BorderStyle::Single);
        QCOMPARE(restored->backColor, OleColor(0x0000FF00));
        QVERIFY(restored->visible && restored->enabled);

        // Restoring element 0 reuses the template rather than adding one; it keeps its size.
        ElementRecord fixed = styledRecord(0);
        fixed.autoSize = 0;
        QVERIFY(Ouverturetexte(document, ActiveFrame::VersoTexts, fixed));
        QCOMPARE(document.faces[Face::Verso].texts.size(), std::size_t(1));
        const TextElement* model = document.faces[Face::Verso].text(0);
        QVERIFY(model->caption() == record.caption && !model->autoSize());

        QVERIFY(!Ouverturetexte(document, ActiveFrame::DosTexts, styledRecord(-1)));
        // The reader's numbers 0, 1 and 2 name the Verso, the Recto and the Dos, as faces do.
        for (int face : {Face::Verso, Face::Recto, Face::Dos})
            QCOMPARE(faceOfFrame(ActiveFrame(face)), std::optional(face));
        QVERIFY(!faceOfFrame(ActiveFrame::VerticalText));
        QCOMPARE(activeFrameFromNumber(3), std::optional(ActiveFrame::VerticalText));
        QVERIFY(!activeFrameFromNumber(4) && !activeFrameFromNumber(-1));

        // The vertical text also takes the Dos sheet's colours and is painted on the spines.
        ElementRecord vertical = styledRecord(0);
        vertical.alignment = 1;
        QVERIFY(Ouverturetexte(document, ActiveFrame::VerticalText, vertical));
        QCOMPARE(document.dosSheet().backColor, OleColor(0x0000FF00));
        QCOMPARE(document.dosSheet().foreColor, OleColor(0x000000FF));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::End);
        QCOMPARE(document.verticalText.caption(), vertical.caption);
        QCOMPARE(document.dosSheet().drawing.size(), std::size_t(2));
        for (const RotatedTextRun& run : document.dosSheet().drawing)
            QCOMPARE(run.color, OleColor(0x000000FF));

        vertical.alignment = 9; // not one of the three choices
        QVERIFY(Ouverturetexte(document, ActiveFrame::VerticalText, vertical));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Start);
    }
};

QTEST_MAIN(TestCoverLayout)
#include "tst_coverlayout.moc"
