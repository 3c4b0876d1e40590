// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdLabelDocument.h"
#include "LabelRenderer.h"
#include "LabelSheet.h"
#include "PaperMeasure.h"
#include "PdfPrintScaling.h"
#include "PrintedSheet.h"

#include "FileContents.h"

#include <QImage>
#include <QPainter>
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

        // The file says it is to be printed at its actual size, and stays a valid PDF.
        if (!PaperMeasure::haveQpdf())
            QSKIP("qpdf is not installed (tools/check.sh installs it)");
        QCOMPARE(PaperMeasure::qpdfProblems(pdf), QString());
        QVERIFY(
            PaperMeasure::catalog(pdf).contains("/ViewerPreferences << /PrintScaling /None >>"));
        // Marked once only; what is not a PDF of ours is left alone.
        const QByteArray marked = readAll(pdf);
        QCOMPARE(PdfPrintScaling::withActualSize(marked), marked);
        QVERIFY(PdfPrintScaling::withActualSize("%PDF-1.4\nnot a pdf").isEmpty());
    }

    // The sheets of label stock are a table the program reads: a row that is no sheet is left
    // out; the common A4 sheet of two 117 mm labels is there, and no name is given twice.
    void sheetsOfLabelStockAreData()
    {
        const std::vector<LabelSheet>& sheets = LabelSheet::all();
        QVERIFY(sheets.size() >= 4);
        QSet<QString> names;
        for (const LabelSheet& sheet : sheets)
            names.insert(sheet.name());
        QCOMPARE(names.size(), qsizetype(sheets.size()));
        const LabelSheet* a4 = LabelSheet::named("A4, 2 étiquettes Ø 117 mm, trou Ø 41 mm");
        QVERIFY(a4);
        QCOMPARE(a4->places, (std::vector<QPointF>{{46.5, 21.5}, {46.5, 158.5}}));
        QCOMPARE(a4->pageSize().id(), QPageSize::A4);

        const char* rows[] = {
            R"([{"page": [210, 297], "label": 117, "hole": 41, "places": [[46.5, 200]]}])",
            R"([{"page": [210, 297], "label": 117, "hole": 120, "places": [[46.5, 20]]}])",
            R"([{"page": [210, 297], "label": 117, "hole": 41, "places": []}])",
            R"([{"page": "A4", "label": 117, "hole": 41, "places": [[46.5, 20]]}])",
            R"([{"page": [210, 297], "label": 117, "hole": 41, "places": [[46.5, "x"]]}])",
            R"({"page": [210, 297]})",
        };
        for (const char* row : rows)
            QVERIFY2(LabelSheet::read(row).empty(), row);
        QCOMPARE(LabelSheet::read(R"([{"page": [100, 130], "label": 90, "hole": 20,
                                       "places": [[5, 5]]}])")
                     .front()
                     .name(),
                 QStringLiteral("100 × 130 mm, 1 étiquette Ø 90 mm, trou Ø 20 mm"));
    }

    // On the A4 sheet the disc's centre is on each chosen label's, measured on the
    // rasterised page: 105 mm from the left, 80 mm from the top for the first, 217 for the
    // second.
    void printsOnLabelStockAtItsPlaces()
    {
        QTemporaryDir dir;
        const LabelSheet& sheet = *LabelSheet::named("A4, 2 étiquettes Ø 117 mm, trou Ø 41 mm");
        const double hubRadius = CdLabelDocument::hubSide / 2 / 1440 * 25.4;
        const std::vector<std::vector<std::size_t>> rows = {{0}, {1}, {0, 1}};
        for (const std::vector<std::size_t>& places : rows) {
            const QString pdf = dir.filePath(QStringLiteral("feuille.pdf"));
            QVERIFY(PrintedSheet::writePdfPages(
                pdf, QPageLayout(sheet.pageSize(), QPageLayout::Portrait, {}), 1200, 1,
                [&](QPainter& painter, int) {
                    LabelRenderer::paintOnSheet(painter, CdLabelDocument(), sheet, places, {});
                }));
            const QImage page = PaperMeasure::firstPage(pdf);
            for (std::size_t place = 0; place < 2; ++place) {
                const QPointF centre(105, place == 0 ? 80 : 217);
                const QList<double> across =
                    PaperMeasure::linesAlong(page, centre.y(), Qt::Horizontal);
                const QList<double> down = PaperMeasure::linesAlong(page, centre.x(), Qt::Vertical);
                const bool printed = std::find(places.begin(), places.end(), place) != places.end();
                const double left = PaperMeasure::nearest(across, centre.x() - hubRadius);
                const double right = PaperMeasure::nearest(across, centre.x() + hubRadius);
                const double top = PaperMeasure::nearest(down, centre.y() - hubRadius);
                const double bottom = PaperMeasure::nearest(down, centre.y() + hubRadius);
                QCOMPARE(qAbs(left - (centre.x() - hubRadius)) <= 0.3, printed);
                if (!printed)
                    continue;
                QVERIFY2(qAbs((left + right) / 2 - centre.x()) <= 0.3,
                         qPrintable(QString::number(left)));
                QVERIFY2(qAbs((top + bottom) / 2 - centre.y()) <= 0.3,
                         qPrintable(QString::number(top)));
                QVERIFY(qAbs(right - left - 2 * hubRadius) <= 0.3);
            }
        }
    }
};

QTEST_MAIN(TestLabelRenderer)
#include "tst_labelrenderer.moc"
