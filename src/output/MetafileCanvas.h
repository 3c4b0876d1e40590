// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QtGlobal>
#include <limits>
#include <memory>
#include <vector>

class QPainter;
struct _wmfAPI;

// The drawing back end libwmf's player calls for each record of a metafile: it draws with
// QPainter, lines, shapes, hatches, text (as outlines) and bitmaps, so that a recording keeps
// them as vectors. The player hands over device coordinates (its points); the canvas maps the
// metafile's window onto `frame` (the picture in twips), as Windows maps a placeable
// metafile's window onto the rectangle it is played in.
class MetafileCanvas {
public:
    // Where the first records setting the window's origin and extent start in the metafile;
    // before them (or without them), the window is the header's bounds.
    struct WindowRecords {
        qint64 origin = std::numeric_limits<qint64>::max();
        qint64 extent = std::numeric_limits<qint64>::max();
    };

    // `bounds`: the header's rectangle in metafile units; `readPosition`: how far the player
    // has read, which tells whether a window record has been played yet.
    MetafileCanvas(QPainter& painter, const QRectF& bounds, const QSizeF& frame,
                   WindowRecords windowRecords, const qint64& readPosition);
    ~MetafileCanvas();
    MetafileCanvas(const MetafileCanvas&) = delete;
    MetafileCanvas& operator=(const MetafileCanvas&) = delete;

    // Becomes the drawing back end and the font measurer of the player `api`.
    bool attach(_wmfAPI* api);
    // Gives the painter back in the state it was found in, also after a playing that stopped.
    void finish();

private:
    struct Callbacks;
    friend struct Callbacks;

    QPainter& painter_;
    QRectF bounds_;
    QSizeF frame_;
    WindowRecords windowRecords_;
    const qint64& readPosition_;
    bool clipped_ = false;
    // The metafile's bitmaps, decoded; the player refers to them until it frees them.
    std::vector<std::unique_ptr<QImage>> bitmaps_;
    qint64 bitmapPixels_ = 0;
};
