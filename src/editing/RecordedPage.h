// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPicture>
#include <QTransform>

class QPaintDevice;
class QPainter;

// A page painted ahead of its printer: what a painter draws on it is kept, to be played on the
// printer afterwards, or never when the user cancels meanwhile (a print engine cannot take
// back a page it was given). It has the printer's resolution and page size, so that texts are
// laid out and pictures reduced as on the printer itself.
class RecordedPage : public QPicture {
public:
    explicit RecordedPage(const QPaintDevice& printer);

    // Plays the page with `painter`, on the printer it was recorded for, through `correction`
    // (in the printer's dots).
    void playOn(QPainter& painter, const QTransform& correction = {}) const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_, height_, widthMM_, heightMM_, dpiX_, dpiY_, depth_;
};
