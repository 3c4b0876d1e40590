// SPDX-License-Identifier: GPL-3.0-or-later
// A picture file on any bytes, named as a metafile: a placeable header is played by libwmf's
// player onto our drawing, within its time and memory bounds, anything else goes through Qt's
// image readers. The picture, when there is one, is painted as a face would show it, and into
// a PDF at its own size, where a JPEG or a PNG goes in as its file.
#include "FuzzSupport.h"
#include "PictureFile.h"
#include "PrintedSheet.h"

#include <QImage>
#include <QPainter>

using namespace FuzzSupport;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString input = inputPath(QStringLiteral("logo.wmf"));
    writeInput(input, data, size);

    const std::optional<Picture> picture = PictureFile::load(input);
    if (!picture)
        return 0;
    require(!picture->isNull(), "a picture that loads is no null picture");
    QImage face(48, 48, QImage::Format_RGB32);
    face.fill(Qt::white);
    QPainter painter(&face);
    picture->paint(painter, QRectF(0, 0, 48, 48));
    if (!picture->isVector()) {
        static const QString pdf = inputPath(QStringLiteral("sortie.pdf"));
        require(PrintedSheet::writePdfPages(pdf, PrintedSheet::pageLayout(), 72, 1,
                                            [&](QPainter& page, int) {
                                                picture->paint(page, QRectF(QPointF(0, 0),
                                                                            picture->pixelSize()));
                                            }),
                "a picture that loads goes into a PDF");
    }
    return 0;
}
