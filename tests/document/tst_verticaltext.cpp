// SPDX-License-Identifier: GPL-3.0-or-later
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

// The first and last rows, in twips, that hold dark pixels in a spine (0 left, 1 right) of the
// Dos sheet painted at 96 dpi, leaving out the spine's border; negative when there are none.
std::pair<double, double> inkRows(const JewelCaseDocument& document, int spine)
{
    const QImage image = SheetRenderer::image(document, DosSheet, 96);
    const double fromX = spine == 0 ? 0 : 8191.97;
    int first = -1, last = -1;
    for (int y = 2; y < int(spineHeight / 15) - 1; ++y) {
        for (int x = int(fromX / 15) + 2; x < int((fromX + 340) / 15) - 1; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                first = first < 0 ? y : first;
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
    void spineTextFollowsTheAlignment_data()
    {
        // Where the text lies on the left spine: 1 at the bottom, where its upward reading starts,
        // -1 at the top, 0 in the middle.
        QTest::addColumn<VerticalAlignment>("alignment");
        QTest::addColumn<double>("side");
        QTest::newRow("start") << VerticalAlignment::Start << 1.0;
        QTest::newRow("end") << VerticalAlignment::End << -1.0;
        QTest::newRow("centred") << VerticalAlignment::Centre << 0.0;
    }

    void spineTextFollowsTheAlignment()
    {
        QFETCH(VerticalAlignment, alignment);
        QFETCH(double, side);
        JewelCaseDocument document;
        document.verticalTextAlignment = alignment;
        const QString text = QStringLiteral("Les Quatre Saisons");
        DrawRotatedText(document, text);
        const auto& runs = document.dosSheet().drawing;
        QCOMPARE(runs.size(), std::size_t(2));
        // The caption is the text passed in, never its padded form.
        QCOMPARE(document.verticalText.caption(), text);

        const auto [leftTop, leftBottom] = inkRows(document, 0);
        const auto [rightTop, rightBottom] = inkRows(document, 1);
        const double length = leftBottom - leftTop; // uncompressed, much shorter than the spine
        QVERIFY(length > 1000 && length < 3000);
        // The middle is half the length from the spine's end on its side (give or take a space
        // and a pixel), or the spine's middle.
        QCOMPARE_LT(qAbs(leftTop + leftBottom - spineHeight - side * (spineHeight - length)),
                    side == 0 ? 120 : 400);
        // The right spine reads downward: its text mirrors the left one.
        QVERIFY(qAbs(rightTop + leftBottom - spineHeight) <= 30 &&
                qAbs(rightBottom + leftTop - spineHeight) <= 30);

        // A text too long for the spine is compressed to fit it, and painted in full.
        const QString longText =
            QStringLiteral("Intégrale des symphonies – Orchestre philharmonique – "
                           "direction : un chef très célèbre – enregistrement 1962");
        DrawRotatedText(document, longText);
        for (int spine : {0, 1}) {
            const RotatedTextRun& run = runs.at(std::size_t(spine));
            QCOMPARE(run.text.trimmed(), longText);
            const double painted =
                TextMetrics::lineWidth(TextMetrics::twipFont(run.font, run.stretch), run.text);
            QVERIFY(painted <= spineLength && painted > 0.9 * spineLength);
            const auto [top, bottom] = inkRows(document, spine);
            QCOMPARE_GT(bottom - top, 0.8 * spineLength);
        }

        // An empty text clears both spines.
        DrawRotatedText(document, QString());
        QVERIFY(runs.empty() && inkRows(document, 0).first < 0 && inkRows(document, 1).first < 0);
    }
};

QTEST_MAIN(TestVerticalText)
#include "tst_verticaltext.moc"
