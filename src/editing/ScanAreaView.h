// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QWidget>
#include <optional>

// The scanner's glass drawn small, with its preview when there is one and the area to scan
// framed on it. Dragging across it draws a new area. Areas are in the glass's millimetres.
class ScanAreaView : public QWidget {
    Q_OBJECT
public:
    ScanAreaView(const QRectF& glass, QWidget* parent = nullptr);

    void setPreview(const QImage& preview);
    const QImage& preview() const { return preview_; }
    void setArea(const QRectF& area);
    // Where the glass is drawn in the widget.
    QRectF glassOnScreen() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // While the user drags, the area drawn so far.
    void areaDrawn(const QRectF& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointF toGlass(const QPointF& point) const;

    QRectF glass_;
    QRectF area_;
    QImage preview_;
    std::optional<QPointF> anchor_;
};
