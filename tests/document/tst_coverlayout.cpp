// SPDX-License-Identifier: GPL-3.0-or-later
#include "JewelCaseDocument.h"
#include "TextRestore.h"
#include "VerticalTextDrawing.h"

#include <QtTest>

class TestCoverLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What a cover file's round trip cannot show (tst_coverfile shows the rest): how records
    // the writer never writes are restored, and reset().
    void restoredRecordsThenReset()
    {
        JewelCaseDocument document;
        ElementRecord record;
        record.caption = QStringLiteral("Titre");
        record.fontItalic = -1; // any non-zero number is true
        record.foreColor = 0x000000FF;
        record.alignment = 9; // for the vertical text, not one of its three choices
        record.width = 3000;
        record.height = 400;
        record.visible = record.autoSize = 1;
        // Element 0 reuses the template rather than adding one; a negative index is refused.
        QVERIFY(restoreText(document, ActiveFrame::VersoTexts, record));
        QCOMPARE(document.faces[Face::Verso].texts.size(), std::size_t(1));
        const TextElement& restored = *document.faces[Face::Verso].text(0);
        QVERIFY(restored.font().italic && restored.visible);
        QCOMPARE(restored.rect(), QRectF(0, 0, 3000, 400)); // not the caption's size
        record.index = -1;
        QVERIFY(!restoreText(document, ActiveFrame::DosTexts, record));
        QCOMPARE(document.faces[Face::Dos].texts.size(), std::size_t(1));

        // The vertical text falls back to the first alignment, and is painted on both spines
        // in the colour it brings.
        document.verticalTextAlignment = VerticalAlignment::Centre;
        QVERIFY(restoreText(document, ActiveFrame::VerticalText, record));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Start);
        QCOMPARE(document.dosSheet().drawing.size(), std::size_t(2));
        for (const RotatedTextRun& run : document.dosSheet().drawing)
            QCOMPARE(run.color, OleColor(0x000000FF));

        document.faces[Face::Recto].logo.picture =
            Picture::fromImage(QImage(4, 4, QImage::Format_RGB32));
        document.logoImagePath = QStringLiteral("/tmp/b.bmp");
        document.reset();
        for (const Face& face : document.faces)
            QVERIFY(face.texts.size() == 1 && face.logo.isEmpty() &&
                    face.color == OleColors::white);
        QCOMPARE(document.faces[Face::Verso].text(0)->caption(), QStringLiteral("Texte"));
        QCOMPARE(document.logoImagePath, QStringLiteral("Aucun"));
        QCOMPARE(document.verticalText.caption(), QStringLiteral("Texte vertical"));
        QCOMPARE(document.verticalTextAlignment, VerticalAlignment::Start);
        QVERIFY(document.dosSheet().foreColor == 0 && document.dosSheet().drawing.empty());
    }
};

QTEST_MAIN(TestCoverLayout)
#include "tst_coverlayout.moc"
