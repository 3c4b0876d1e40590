// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Picture files that a PDF holds as they are, never decoded: a JPEG through the PDF's DCT
// filter, a PNG's compressed rows through its Flate filter with PNG's predictors. Qt's PDF
// engine would decode each picture and encode it again (a JPEG at quality 94: time, a second
// loss, and often more bytes than the file had). The PDF is written with a stand-in for each
// such picture (Picture::FilesAsTheyAre), then each stand-in's image object takes its file.
namespace PdfPictureFiles {

// A file as a PDF's image object: its dictionary's entries (size, colours, filter) and its
// stream, and the PDF version they need.
struct Image {
    QByteArray entries;
    QByteArray stream;
    QByteArray version; // "1.4", or "1.5" for sixteen bits a component
};
// The image of `file`: a JPEG the DCT filter reads, or a PNG without transparency, not
// interlaced; nothing for any other file.
std::optional<Image> imageOf(const QByteArray& file);
// Whether `file` has an image, known from its header and chunks alone.
bool holds(const QByteArray& file);

// Rewrites the PDF file at `path` as Qt's PDF engine writes it: the image object of each of
// `standIns` takes its file. False when the file could not be read, understood or written; it
// is then left as it was.
bool apply(const QString& path, const std::vector<Picture::FilesAsTheyAre::StandIn>& standIns);

} // namespace PdfPictureFiles
