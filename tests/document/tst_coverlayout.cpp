#include "JewelCaseDocument.h"
#include "Ouverturetexte.h"
#include "VerticalTextDrawing.h"

#include <QtTest>

namespace {

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
    // A document filled from a file's records, then reset() to the state a new one starts in.
    void restoredRecordsThenReset()
    {
        JewelCaseDocument document;
        const ElementRecord record = styledRecord(7);
        QVERIFY(Ouverturetexte(document, ActiveFrame::RectoTexts, record));
        const Face& recto = document.faces[Face::Recto];
        QCOMPARE(recto.highestIndex(), 7);
        QCOMPARE(recto.texts.size(), std::size_t(2)); // the template and element 7, no others
        const TextElement& restored = recto.texts.at(7);
        // The stored rectangle is applied after the caption and font, even when auto-sized.
        QCOMPARE(restored.rect(), QRectF(1000, 2000, 3000, 400));
        QCOMPARE(restored.caption(), record.caption);
        QCOMPARE(restored.font().name, QStringLiteral("Comic Sans MS"));
        QVERIFY(restored.font().bold && restored.font().italic && !restored.font().underline);
        QVERIFY(restored.visible && restored.enabled); // the other fields: tst_coverfile

        // Restoring element 0 reuses the template rather than adding one; it keeps its size.
        ElementRecord fixed = styledRecord(0);
        fixed.autoSize = 0;
        QVERIFY(Ouverturetexte(document, ActiveFrame::VersoTexts, fixed));
        QCOMPARE(document.faces[Face::Verso].texts.size(), std::size_t(1));
        const TextElement* model = document.faces[Face::Verso].text(0);
        QVERIFY(model->caption() == record.caption && !model->autoSize());

        QVERIFY(!Ouverturetexte(document, ActiveFrame::DosTexts, styledRecord(-1)));
        // The reader's numbers 0 to 3 name the Verso, the Recto, the Dos and the vertical text.
        for (int number = 0; number <= 3; ++number)
            QCOMPARE(faceOfFrame(activeFrameFromNumber(number).value()),
                     number < Face::count ? std::optional(number) : std::nullopt);
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

        for (Face& face : document.faces) {
            face.color = 0x00FF0000;
            face.logo.picture = Picture::fromImage(QImage(4, 4, QImage::Format_RGB32));
        }
        document.rectoImagePath = document.versoImagePath = QStringLiteral("/tmp/a.bmp");
        document.dosImagePath = document.logoImagePath = QStringLiteral("/tmp/b.bmp");
        document.verticalTextAlignment = VerticalAlignment::Centre;
        document.documentModified = document.loadingDocument = true;
        document.currentFileName = QStringLiteral("/tmp/pochette.jcd");
        document.reset();
        // The frames and spines: tst_sheetrenderer finds their borders, tst_dragrules their
        // edges. The Recto's logo covers its face; the others are squares at their face's left.
        QCOMPARE(document.faces[Face::Recto].logo.rect, QRectF(15, 15, 6803.15f, 6803.15f));
        QCOMPARE(document.faces[Face::Verso].logo.rect, QRectF(6818.15f, 15, 2855, 2855));
        QCOMPARE(document.faces[Face::Dos].logo.rect, QRectF(340, 15, 2855, 2855));
        const QList<QPointF> templates = {{9240, 120}, {2520, 240}, {1785, 600}};
        for (int index = 0; index < Face::count; ++index) {
            const Face& face = document.faces[std::size_t(index)];
            QVERIFY(face.color == OleColors::white && face.logo.isEmpty());
            QCOMPARE(face.texts.size(), std::size_t(1));
            const TextElement& element = face.texts.at(0);
            QCOMPARE(QPointF(element.left, element.top), templates[index]);
            QVERIFY(!element.visible && element.caption() == QStringLiteral("Texte"));
            QCOMPARE(element.font(), TextFont());
        }
        QCOMPARE(Face::caption(Face::Verso), QStringLiteral("VERSO (Face intérieure)"));
        QCOMPARE(Face::caption(Face::Recto), QStringLiteral("RECTO (Face avant)"));
        QCOMPARE(Face::caption(Face::Dos), QStringLiteral("DOS (Face arrière)"));
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
};

QTEST_MAIN(TestCoverLayout)
#include "tst_coverlayout.moc"
