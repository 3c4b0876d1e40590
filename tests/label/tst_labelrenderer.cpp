// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdLabelDocument.h"
#include "LabelRenderer.h"
#include "PrintedSheet.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Where dark lines start along row `y`.
QList<int> linesAcross(const QImage& image, int y)
{
    QList<int> starts;
    for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 128 && (x == 0 || qGray(image.pixel(x - 1, y)) >= 128))
            starts << x;
    }
    return starts;
}

double px(double twips, int dpi)
{
    return twips / 1440.0 * dpi;
}

} // namespace

class TestLabelRenderer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paintsTheDiscAtAnyResolution()
    {
        CdLabelDocument label;
        label.backColor = 0x0000FFFF; // yellow
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        label.setPicture(QStringLiteral("rouge.png"), Picture::fromImage(red),
                         QRectF(4500, 600, 600, 600));
        TextElement& text = label.insertText();
        text.setAutoSize(false);
        text.setRect(QRectF(1000, 5000, 1000, 400));
        text.setCaption(QStringLiteral("MMMM"));
        for (int dpi : {96, 300}) {
            const QImage image = LabelRenderer::image(label, dpi);
            const auto at = [&](double x, double y) {
                return image.pixel(int(px(x, dpi)), int(px(y, dpi)));
            };
            QCOMPARE(image.width(), qCeil(px(6700, dpi)));
            QCOMPARE(at(30, 30), qRgb(255, 255, 0)); // a corner, outside the disc
            QCOMPARE(at(4800, 900), qRgb(255, 0, 0));
            int ink = 0; // the text's
            for (double x = 1000; x < 2000; x += 15)
                ink += qGray(at(x, 5150)) < 100 ? 1 : 0;
            QVERIFY(ink > 5);
            // Across the centre: the outline, the hub, the hub, the outline.
            const QList<int> lines = linesAcross(image, int(px(3325, dpi)));
            QCOMPARE(lines.size(), 4);
            for (int i = 0; i < 4; ++i)
                QVERIFY2(qAbs(lines[i] - px(QList<double>{0, 2200, 4500, 6650}[i], dpi)) <= 1.5,
                         qPrintable(QString::number(lines[i])));
        }
    }

    void printsOnA4PortraitAtTrueSize()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("etiquette.pdf"));
        QVERIFY(LabelRenderer::writePdf(CdLabelDocument(), pdf, 1200));
        // On paper, the disc's outline is 117.3 mm across, between cut marks 6700 twips apart.
        constexpr int dpi = 600;
        const QStringList arguments{"-r", QString::number(dpi), "-gray", "-H", "2000", pdf, pdf};
        QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"), arguments), 0);
        const QImage page(pdf + QStringLiteral("-1.pgm"));
        QCOMPARE(page.width(), qCeil(595 / 72.0 * dpi)); // A4, portrait
        const QList<int> outline = linesAcross(page, int(px(PrintedSheet::margin + 3325, dpi)));
        QCOMPARE(outline.size(), 4);
        const double across = (outline.last() - outline.first()) / double(dpi) * 25.4;
        QVERIFY2(qAbs(across - 117.3) <= 0.3, qPrintable(QString::number(across)));
        const QList<int> marks = linesAcross(page, int(px(PrintedSheet::margin - 100, dpi)));
        QVERIFY(marks.size() == 2 && qAbs(marks[1] - marks[0] - px(6700, dpi)) <= 3);
    }
};

QTEST_MAIN(TestLabelRenderer)
#include "tst_labelrenderer.moc"
