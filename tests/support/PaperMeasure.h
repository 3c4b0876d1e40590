// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

// Measures what comes out on paper: the first page of a PDF rasterised as a printer would
// (poppler's pdftoppm), and the dark lines met along a row or a column, in mm from the paper's
// corner; and what the file's catalog says (qpdf).
namespace PaperMeasure {

constexpr int dpi = 300;

// The first page at `dpi`, in grey; null when it cannot be rasterised.
inline QImage firstPage(const QString& pdf)
{
    const QString stem = pdf + QStringLiteral("-raster");
    QProcess::execute(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi), "-gray", "-f", "1",
                                                   "-l", "1", "-singlefile", pdf, stem});
    const QImage page(stem + QStringLiteral(".pgm"));
    QFile::remove(stem + QStringLiteral(".pgm"));
    return page;
}

inline double toMm(double pixels)
{
    return pixels / dpi * 25.4;
}

// The centres of the dark lines crossed along the row at `mm` from the top (or the column at
// `mm` from the left), each weighted by its darkness, in mm.
inline QList<double> linesAlong(const QImage& page, double mm, Qt::Orientation along)
{
    QList<double> centres;
    const bool row = along == Qt::Horizontal;
    const int at = int(mm / 25.4 * dpi);
    const int length = row ? page.width() : page.height();
    if (at < 0 || at >= (row ? page.height() : page.width()))
        return centres;
    double weight = 0, sum = 0;
    for (int i = 0; i <= length; ++i) {
        const int ink = i < length ? 255 - qGray(row ? page.pixel(i, at) : page.pixel(at, i)) : 0;
        if (ink > 64) {
            weight += ink;
            sum += ink * (i + 0.5);
        } else if (weight > 0) {
            centres << toMm(sum / weight);
            weight = sum = 0;
        }
    }
    return centres;
}

// The line of `lines` nearest `mm`.
inline double nearest(const QList<double>& lines, double mm)
{
    double best = -1000;
    for (double line : lines) {
        if (qAbs(line - mm) < qAbs(best - mm))
            best = line;
    }
    return best;
}

inline bool haveQpdf()
{
    return !QStandardPaths::findExecutable(QStringLiteral("qpdf")).isEmpty();
}

// What `qpdf --check` says of the file: empty when it found nothing wrong.
inline QString qpdfProblems(const QString& pdf)
{
    QProcess qpdf;
    qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
    qpdf.waitForFinished(30000);
    const QString said =
        QString::fromUtf8(qpdf.readAllStandardOutput() + qpdf.readAllStandardError());
    return qpdf.exitCode() == 0 &&
                   said.contains(QStringLiteral("No syntax or stream encoding errors"))
               ? QString()
               : said;
}

// The document's catalog as qpdf reads it, through the trailer's /Root.
inline QString catalog(const QString& pdf)
{
    const auto show = [&](const QString& object) {
        QProcess qpdf;
        qpdf.start(QStringLiteral("qpdf"), {QStringLiteral("--show-object=") + object, pdf});
        qpdf.waitForFinished(30000);
        return QString::fromUtf8(qpdf.readAllStandardOutput());
    };
    static const QRegularExpression root(QStringLiteral("/Root (\\d+) 0 R"));
    return show(root.match(show(QStringLiteral("trailer"))).captured(1));
}

} // namespace PaperMeasure
