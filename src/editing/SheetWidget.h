// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ElementRef.h"

#include <QWidget>
#include <functional>

class QPaintDevice;
class SelectionController;

// Shows one sheet of a document (a sheet of the cover, the CD label's drawing) at the screen's
// resolution and turns the mouse into selection, move and resize commands; what lies under the
// pointer is the selection's to say.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    // What the widget shows: the size of its drawing in twips, and the drawing with the
    // window's marks over it, painted on a device at that device's own resolution.
    struct Drawing {
        std::function<QSizeF()> size;
        std::function<void(QPaintDevice&)> render;
    };

    SheetWidget(SelectionController& selection, int sheet, Drawing drawing,
                QWidget* parent = nullptr);

    int sheetIndex() const { return sheet_; }
    QPointF toTwips(const QPointF& pixels) const;
    QPointF toPixels(const QPointF& twips) const;
    // Puts the widget's top-left corner `twips` from its parent's, at its drawing's size.
    void placeAt(const QPointF& twips);
    QSize sizeHint() const override;

Q_SIGNALS:
    void elementDoubleClicked(const ElementRef& element);
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Gesture { None, Move, Resize, Element, Sheet };

    SelectionController& selection_;
    int sheet_;
    Drawing drawing_;
    Gesture gesture_ = Gesture::None;
    Qt::MouseButton gestureButton_ = Qt::NoButton;
    int handle_ = -1;
    ElementRef pressed_;
};
