// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <memory>

class QPainter;
class QPicture;

// A picture as its source, so that every device paints it at its own resolution: raster
// pixels (a 300-dpi photo prints at 300 dpi), or a vector drawing recorded as painter commands
// (what a Windows metafile becomes), which a PDF keeps as paths and text. Copies share the
// source: the three faces hold the same logo.
class Picture {
public:
    Picture() = default;
    // Pixels at their own size: 15 twips each.
    static Picture fromImage(const QImage& image);
    // Pixels read reduced from a picture whose own size is `naturalTwips`.
    static Picture fromImage(const QImage& image, const QSizeF& naturalTwips);
    // A recorded drawing whose extent is `frame`, in the recording's units, and its size in
    // twips; nothing when either is empty.
    static Picture fromDrawing(std::shared_ptr<const QPicture> drawing, const QRectF& frame,
                               const QSizeF& naturalTwips);

    bool isNull() const { return image_.isNull() && !drawing_; }
    bool isVector() const { return bool(drawing_); }
    // The size the picture has unstretched: a raster picture's own pixels at 15 twips each
    // (96 dpi, as the screen shows it), also when fewer were read, or a drawing's own size.
    QSizeF naturalSize() const { return natural_; }
    const QImage& image() const { return image_; }

    // Paints the picture stretched over `target`, in the painter's units; a drawing is clipped
    // to it. Into a PDF (an export or a print job) a raster picture goes at no more than the
    // PDF's resolution: one with more pixels than its place has dots is reduced to them.
    void paint(QPainter& painter, const QRectF& target) const;
    // The picture at its own size, as pixels: a raster picture's own, a drawing at its
    // natural size on the screen's 15 twips a pixel, on white.
    QImage toImage() const;

    // The same source (not merely equal pixels) at the same natural size.
    bool operator==(const Picture& other) const;

private:
    QImage pixelsFor(const QPainter& painter, const QRectF& target) const;

    QImage image_;
    std::shared_ptr<const QPicture> drawing_;
    QRectF frame_;
    QSizeF natural_;
};
