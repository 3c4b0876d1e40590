#include "JewelCaseDocument.h"
#include "SheetRenderer.h"
#include "TextMetrics.h"
#include "VerticalTextDrawing.h"

#include <QImage>
#include <QtTest>

namespace {

// The Dos frame's height, and the length it leaves to a spine's text.
constexpr double spineHeight = 6689.76;
constexpr double spineLength = spineHeight - 60;

// The first and last rows that hold dark pixels between two columns of a 96-dpi image, in
// twips, leaving out the spine's own border; -15 when there is none.
std::pair<double, double> inkRows(const QImage& image, double fromX, double toX)
{
    int first = -1;
    int last = -1;
    for (int y = 2; y < int(spineHeight / 15) - 1; ++y) {
        for (int x = int(fromX / 15) + 2; x < int(toX / 15) - 1; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = y;
                last = y;
            }
        }
    }
    return {first * 15.0, last * 15.0};
}

} // namespace

class TestVerticalText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inkFollowsTheAlignment_data()
    {
        QTest::addColumn<VerticalAlignment>("alignment");
        QTest::newRow("start") << VerticalAlignment::Start;
        QTest::newRow("end") << VerticalAlignment::End;
        QTest::newRow("centred") << VerticalAlignment::Centre;
    }

    void inkFollowsTheAlignment()
    {
        QFETCH(VerticalAlignment, alignment);
        JewelCaseDocument document;
        document.verticalTextAlignment = alignment;
        const QString text = QStringLiteral("Les Quatre Saisons");
        DrawRotatedText(document, text);
        const auto& runs = document.dosSheet().drawing;
        QCOMPARE(runs.size(), std::size_t(2));
        QCOMPARE(runs[0].start.x(), -30.0);
        QVERIFY(qAbs(runs[1].start.x() - (2 * 340 + 7851.97 + 30)) < 0.01);
        QVERIFY(runs[0].angle == 90 && runs[1].angle == 270 && runs[0].stretch == 100);
        // The caption is the text passed in, never its padded form.
        QCOMPARE(document.verticalText.caption(), text);

        // The left spine reads upward, the right one downward: the start of the reading
        // direction is the bottom of the left spine and the top of the right one.
        const QImage image = SheetRenderer::image(document, DosSheet, 96);
        const auto [leftTop, leftBottom] = inkRows(image, 0, 340);
        const auto [rightTop, rightBottom] = inkRows(image, 8191.97, 8531.97);
        const QString rows = QString::asprintf("left %g..%g, right %g..%g", leftTop, leftBottom,
                                               rightTop, rightBottom);
        // The text is much shorter than the spine, and as long on both.
        QVERIFY2(leftTop > 0 && leftBottom - leftTop > 1000 && leftBottom - leftTop < 3000,
                 qPrintable(rows));
        QVERIFY2(qAbs((leftBottom - leftTop) - (rightBottom - rightTop)) <= 30, qPrintable(rows));
        const double margin = 200; // a padding space and a pixel
        switch (alignment) {
        case VerticalAlignment::Start:
            QVERIFY2(leftBottom > spineHeight - margin && rightTop < margin, qPrintable(rows));
            break;
        case VerticalAlignment::End:
            QVERIFY2(leftTop < margin && rightBottom > spineHeight - margin, qPrintable(rows));
            break;
        case VerticalAlignment::Centre:
            QVERIFY2(qAbs(leftTop + leftBottom - spineHeight) < 120 &&
                         qAbs(rightTop + rightBottom - spineHeight) < 120,
                     qPrintable(rows));
            break;
        }
    }

    void overlongTextIsCompressedToFitTheSpine()
    {
        JewelCaseDocument document;
        const QString text =
            QStringLiteral("Intégrale des symphonies – Orchestre philharmonique – "
                           "direction : un chef très célèbre – enregistrement 1962");
        for (int alignment : {0, 1, 2}) {
            document.verticalTextAlignment = VerticalAlignment(alignment);
            DrawRotatedText(document, text);
            QCOMPARE(document.verticalText.caption(), text);
            for (const RotatedTextRun& run : document.dosSheet().drawing) {
                QVERIFY(run.stretch < 100);
                QCOMPARE(run.text.trimmed(), text); // painted in full
                const double painted =
                    TextMetrics::lineWidth(TextMetrics::twipFont(run.font, run.stretch), run.text);
                QVERIFY2(painted <= spineLength && painted > 0.9 * spineLength,
                         qPrintable(QString::number(painted)));
            }
            const QImage image = SheetRenderer::image(document, DosSheet, 96);
            for (double spineLeft : {0.0, 8191.97}) {
                const auto [top, bottom] = inkRows(image, spineLeft, spineLeft + 340);
                QVERIFY2(top > 0 && bottom - top > 0.8 * spineLength,
                         qPrintable(QStringLiteral("%1..%2").arg(top).arg(bottom)));
            }
        }
    }

    void emptyTextClearsBothSpines()
    {
        JewelCaseDocument document;
        DrawRotatedText(document, QStringLiteral("Votre texte"));
        QCOMPARE(document.dosSheet().drawing.size(), std::size_t(2));
        QVERIFY(inkRows(SheetRenderer::image(document, DosSheet, 96), 0, 340).first > 0);
        DrawRotatedText(document, QString());
        QVERIFY(document.dosSheet().drawing.empty());
        const QImage image = SheetRenderer::image(document, DosSheet, 96);
        QCOMPARE(inkRows(image, 0, 340).first, -15.0);
        QCOMPARE(inkRows(image, 8191.97, 8531.97).first, -15.0);
    }
};

QTEST_MAIN(TestVerticalText)
#include "tst_verticaltext.moc"
