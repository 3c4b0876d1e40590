// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;
class QPicture;

// A picture as its source, so that every device paints it at its own resolution: raster
// pixels (a 300-dpi photo prints at 300 dpi), or a vector drawing recorded as painter commands
// (what a Windows metafile becomes), which a PDF keeps as paths and text. Copies share the
// source and the copies made of it for the outputs: the three faces hold the same logo, read
// once.
class Picture {
public:
    // Reads a raster picture again at the size an output asks (a JPEG file's bytes, which
    // libjpeg decodes reduced), so that no output decodes more pixels than it shows.
    class Reader {
    public:
        virtual ~Reader() = default;
        // The pixels as shown, at least `atLeast` when the source has that many and not many
        // more, at most the source's own; a null image when they cannot be read.
        virtual QImage read(const QSize& atLeast) const = 0;
        // The file's bytes, when they show the picture as its own pixels do (not turned by
        // its EXIF data, not read reduced): what a PDF may hold as they are. Nothing
        // otherwise.
        virtual QByteArray fileBytes() const { return {}; }
    };
    // A PDF being written that holds pictures' files as they are: while it lives, a raster
    // picture drawn on its device at about its own size, whose file it takes, is drawn as a
    // stand-in (a row of random black and white pixels) and its file is never decoded; once
    // the PDF is written, the writer puts each file in its stand-in's place.
    class FilesAsTheyAre {
    public:
        struct StandIn {
            QImage pixels;
            QByteArray file;
        };
        FilesAsTheyAre(const QPaintDevice* device, std::function<bool(const QByteArray&)> takes);
        ~FilesAsTheyAre();
        FilesAsTheyAre(const FilesAsTheyAre&) = delete;
        FilesAsTheyAre& operator=(const FilesAsTheyAre&) = delete;

        // The stand-ins drawn, one a picture, each to be replaced by its file.
        std::vector<StandIn> standIns() const;

        struct Drawn; // the pictures drawn, and where

    private:
        std::unique_ptr<Drawn> drawn_;
    };

    struct Data;
    // Finds a picture again while any copy of it lives.
    using Handle = std::weak_ptr<const Data>;

    Picture() = default;
    // Pixels at their own size: 15 twips each.
    static Picture fromImage(const QImage& image);
    // Pixels read reduced from a picture whose own size is `naturalTwips`.
    static Picture fromImage(const QImage& image, const QSizeF& naturalTwips);
    // Pixels read from `reader` at each output's size; the source has `pixels` (as shown).
    // `preview`, when not null, is a copy already read, which screens are made from while it
    // covers them.
    static Picture fromReader(std::shared_ptr<const Reader> reader, const QSize& pixels,
                              const QImage& preview, const QSizeF& naturalTwips);
    // A recorded drawing whose extent is `frame`, in the recording's units, and its size in
    // twips; nothing when either is empty.
    static Picture fromDrawing(std::shared_ptr<const QPicture> drawing, const QRectF& frame,
                               const QSizeF& naturalTwips);
    // The picture of `handle`, or nothing when every copy of it is gone.
    static Picture fromHandle(const Handle& handle);

    bool isNull() const { return !data_; }
    bool isVector() const;
    // The size the picture has unstretched: a raster picture's own pixels at 15 twips each
    // (96 dpi, as the screen shows it), also when fewer were read, or a drawing's own size.
    QSizeF naturalSize() const;
    // The pixels a raster picture's source has (as shown), an empty size for a drawing.
    QSize pixelSize() const;
    // A raster picture's pixels at their own size (or as large as they are read), decoded for
    // the call when the picture keeps only its file's bytes; a null image for a drawing.
    QImage image() const;
    Handle handle() const { return data_; }

    // Paints the picture stretched over `target`, in the painter's units; a drawing is clipped
    // to it. On a screen or an image, a raster picture is drawn from a copy of the target's
    // size in pixels, made once for that size; into a PDF (an export or a print job) it goes at
    // the PDF's resolution, never with more pixels than its source has, from the copy
    // `prepareOutput` made when it covers the place.
    void paint(QPainter& painter, const QRectF& target) const;
    // Reads a raster picture's pixels for screens of at least `atLeast`, ahead of its first
    // paint (on another thread while a window is being built); a paint meanwhile waits for
    // them rather than reading them twice.
    void readAheadForScreen(const QSize& atLeast) const;
    // Makes the copy of a raster picture that a PDF or a print job takes wherever it is
    // drawn, `dots` large (the largest of its places, in the output's dots), so that the
    // output holds the picture once; none when `device` takes its file as it is.
    void prepareOutput(const QSize& dots, const QPaintDevice* device) const;
    // The picture at its own size, as pixels: a raster picture's own, a drawing at its
    // natural size on the screen's 15 twips a pixel, on white.
    QImage toImage() const;

    // The same source (not merely equal pixels).
    bool operator==(const Picture& other) const { return data_ == other.data_; }

private:
    explicit Picture(std::shared_ptr<const Data> data) : data_(std::move(data)) {}

    std::shared_ptr<const Data> data_;
};
