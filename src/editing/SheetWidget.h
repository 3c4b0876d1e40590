#pragma once

#include "ElementRef.h"

#include <QWidget>

struct CoverContext;

// Shows one sheet of the cover at the screen's resolution and turns the mouse into selection,
// move and resize commands; what lies under the pointer is the selection's to say.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    SheetWidget(CoverContext& context, int sheet, QWidget* parent = nullptr);

    int sheetIndex() const { return sheet_; }
    QPointF toTwips(const QPointF& pixels) const;
    QPointF toPixels(const QPointF& twips) const;
    // Places and shows the widget as the cover's screen says.
    void updateGeometryFromScreen();
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

    CoverContext& context_;
    int sheet_;
    Gesture gesture_ = Gesture::None;
    Qt::MouseButton gestureButton_ = Qt::NoButton;
    int handle_ = -1;
    ElementRef pressed_;
};
