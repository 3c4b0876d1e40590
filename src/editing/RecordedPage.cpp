// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordedPage.h"

#include <QPaintDevice>
#include <QPainter>

RecordedPage::RecordedPage(const QPaintDevice& printer)
    : width_(printer.width()), height_(printer.height()), widthMM_(printer.widthMM()),
      heightMM_(printer.heightMM()), dpiX_(printer.logicalDpiX()), dpiY_(printer.logicalDpiY()),
      depth_(printer.depth())
{
}

void RecordedPage::playOn(QPainter& painter, const QTransform& correction) const
{
    // A picture takes its units for the screen's and scales them to the device it plays on;
    // these are already the printer's dots.
    const QPicture screen;
    painter.save();
    painter.setTransform(correction, true);
    painter.scale(double(screen.logicalDpiX()) / painter.device()->logicalDpiX(),
                  double(screen.logicalDpiY()) / painter.device()->logicalDpiY());
    painter.drawPicture(0, 0, *this);
    painter.restore();
}

int RecordedPage::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return width_;
    case PdmHeight:
        return height_;
    case PdmWidthMM:
        return widthMM_;
    case PdmHeightMM:
        return heightMM_;
    case PdmDpiX:
    case PdmPhysicalDpiX:
        return dpiX_;
    case PdmDpiY:
    case PdmPhysicalDpiY:
        return dpiY_;
    case PdmDepth:
        return depth_;
    default:
        return QPicture::metric(metric);
    }
}
