#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

// A picture as its source, so that every device paints it at its own resolution: raster
// pixels (a 300-dpi photo prints at 300 dpi), or a vector drawing (SVG, which is what WMF
// files become). Copies share the source: the three faces hold the same logo.
class Picture {
public:
    Picture() = default;
    static Picture fromImage(const QImage& image);
    // A drawing, and its size in twips; nothing when the SVG cannot be read.
    static Picture fromSvg(const QByteArray& svg, const QSizeF& naturalTwips);

    bool isNull() const { return image_.isNull() && !drawing_; }
    bool isVector() const { return bool(drawing_); }
    // The size the picture has unstretched: a raster picture's pixels at 15 twips each (96 dpi,
    // as the screen shows it), a drawing's own size.
    QSizeF naturalSize() const { return natural_; }
    const QImage& image() const { return image_; }

    // Paints the picture stretched over `target`, in the painter's units. Into a PDF (an export
    // or a print job) a raster picture goes at no more than the PDF's resolution: one with
    // more pixels than its place has dots is reduced to them.
    void paint(QPainter& painter, const QRectF& target) const;
    // The picture at its own size, as pixels: a raster picture's own, a drawing at its
    // natural size on the screen's 15 twips a pixel, on white.
    QImage toImage() const;

private:
    QImage pixelsFor(const QPainter& painter, const QRectF& target) const;

    QImage image_;
    std::shared_ptr<QSvgRenderer> drawing_;
    QSizeF natural_;
};
