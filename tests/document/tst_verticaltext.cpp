#include "Application.h"
#include "JewelCaseDocument.h"
#include "SheetRenderer.h"
#include "TextMetrics.h"
#include "VerticalTextDrawing.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

JewelCaseDocument laidOut()
{
    JewelCaseDocument document;
    document.layOut(450);
    return document;
}

double paddedWidth(const JewelCaseDocument& document, const QString& text)
{
    return TextMetrics::lineWidth(TextMetrics::twipFont(document.verticalText.font()),
                                  QLatin1Char(' ') + text + QLatin1Char(' '));
}

// The Dos sheet at 15 twips a pixel, without marks or bar.
QImage renderDos(const JewelCaseDocument& document)
{
    const double scale = 1.0 / 15;
    const QSizeF size = document.dosSheet().geometry.size() * scale;
    QImage image(size.toSize() + QSize(1, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    SheetRenderer::paint(painter, document, 1, {false, false});
    return image;
}

// Rows (in twips) that hold dark pixels inside a spine, between two columns (in twips),
// leaving out the spine's own border.
std::pair<double, double> inkRows(const QImage& image, double fromX, double toX)
{
    int first = -1;
    int last = -1;
    const int spineBottom = int(6689.76 / 15);
    for (int y = 2; y < spineBottom - 1; ++y) {
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
    void initTestCase() { Application::configure(*qApp); }

    void startPointsFollowTheAlignment_data()
    {
        QTest::addColumn<int>("tag");
        QTest::newRow("start") << 0;
        QTest::newRow("end") << 1;
        QTest::newRow("centred") << 2;
    }

    void startPointsFollowTheAlignment()
    {
        QFETCH(int, tag);
        JewelCaseDocument document = laidOut();
        document.verticalTextTag = tag;
        const QString text = QStringLiteral("Les Quatre Saisons");
        DrawRotatedText(document, text);

        const auto& runs = document.dosSheet().drawing;
        QCOMPARE(runs.size(), std::size_t(2));
        const double h = 6689.76f;
        const double w = paddedWidth(document, text);
        const double expectedLeft[] = {h, w, h / 2 + w / 2};
        const double expectedRight[] = {0, h - w, h / 2 - w / 2};
        QCOMPARE(runs[0].start.y(), double(qRound(expectedLeft[tag])));
        QCOMPARE(runs[1].start.y(), double(qRound(expectedRight[tag])));
        QCOMPARE(runs[0].start.x(), -30.0);
        QVERIFY(qAbs(runs[1].start.x() - (2 * 340 + 7851.97 + 30)) < 0.01);
        QCOMPARE(runs[0].angle, 90.0);
        QCOMPARE(runs[1].angle, 270.0);
        QCOMPARE(runs[0].text, QStringLiteral(" Les Quatre Saisons "));
        QCOMPARE(runs[0].stretch, 100);
        // The caption is the text passed in, never its padded form.
        QCOMPARE(document.verticalText.caption(), text);

        // On the painted sheet, the ink lies inside each spine where the alignment puts it.
        const QImage image = renderDos(document);
        const auto [leftTop, leftBottom] = inkRows(image, 0, 340);
        const auto [rightTop, rightBottom] = inkRows(image, 8191.97, 8531.97);
        QVERIFY(leftTop > 0 && rightTop > 0);
        QVERIFY2(leftTop >= runs[0].start.y() - w - 30 && leftBottom <= runs[0].start.y() + 30,
                 qPrintable(QStringLiteral("%1..%2").arg(leftTop).arg(leftBottom)));
        QVERIFY2(rightTop >= runs[1].start.y() - 30 && rightBottom <= runs[1].start.y() + w + 30,
                 qPrintable(QStringLiteral("%1..%2").arg(rightTop).arg(rightBottom)));
    }

    void overlongTextIsCompressedToFitTheSpine()
    {
        JewelCaseDocument document = laidOut();
        const QString text =
            QStringLiteral("Intégrale des symphonies – Orchestre philharmonique – "
                           "direction : un chef très célèbre – enregistrement 1962");
        QVERIFY(paddedWidth(document, text) > spineTextLength(document));
        for (int tag = 0; tag < 3; ++tag) {
            document.verticalTextTag = tag;
            DrawRotatedText(document, text);
            const RotatedTextRun& run = document.dosSheet().drawing.at(0);
            QVERIFY(run.stretch < 100);
            QCOMPARE(run.text, QLatin1Char(' ') + text + QLatin1Char(' ')); // painted in full
            const double painted =
                TextMetrics::lineWidth(TextMetrics::twipFont(run.font, run.stretch), run.text);
            QVERIFY2(painted <= spineTextLength(document), qPrintable(QString::number(painted)));
            QVERIFY(painted > 0.9 * spineTextLength(document));
            QCOMPARE(document.verticalText.caption(), text);

            const QImage image = renderDos(document);
            const auto [top, bottom] = inkRows(image, 0, 340);
            QVERIFY2(top >= 0 && bottom <= document.dos().frame.height(),
                     qPrintable(QStringLiteral("%1..%2").arg(top).arg(bottom)));
            QVERIFY(bottom - top > 0.8 * spineTextLength(document));
        }
    }

    void emptyTextClearsBothSpines()
    {
        JewelCaseDocument document = laidOut();
        DrawRotatedText(document, QStringLiteral("Votre texte"));
        QCOMPARE(document.dosSheet().drawing.size(), std::size_t(2));
        DrawRotatedText(document, QString());
        QVERIFY(document.dosSheet().drawing.empty());
        const QImage image = renderDos(document);
        QCOMPARE(inkRows(image, 0, 340).first, -15.0);
        QCOMPARE(inkRows(image, 8191.97, 8531.97).first, -15.0);
    }

    void runsTakeTheVerticalTextFontAndTheSheetColour()
    {
        JewelCaseDocument document = laidOut();
        TextFont font;
        font.name = QStringLiteral("Comic Sans MS");
        font.size = 18;
        font.italic = true;
        document.verticalText.setFont(font);
        document.dosSheet().foreColor = 0x000000C0;
        DrawRotatedText(document, QStringLiteral("Rock"));
        for (const RotatedTextRun& run : document.dosSheet().drawing) {
            QCOMPARE(run.font, font);
            QCOMPARE(run.color, OleColor(0x000000C0));
        }
    }
};

QTEST_MAIN(TestVerticalText)
#include "tst_verticaltext.moc"
