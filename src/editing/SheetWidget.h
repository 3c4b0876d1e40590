#pragma once

#include "ElementRef.h"

#include <QWidget>

class CoverSelection;
class JewelCaseDocument;

// Shows one sheet of the cover at the screen's logical resolution and turns the mouse into
// selection, move and resize commands.
class SheetWidget : public QWidget {
    Q_OBJECT
public:
    SheetWidget(JewelCaseDocument& document, CoverSelection& selection, int sheet,
                QWidget* parent = nullptr);

    int sheetIndex() const { return sheet_; }
    double pixelsPerTwip() const;
    QPointF toTwips(const QPointF& pixels) const;
    QPointF toPixels(const QPointF& twips) const;
    // The topmost element under a point of the sheet (twips), marks excluded.
    ElementRef elementAt(const QPointF& twips) const;
    // The face whose frame holds a point of the sheet, or -1.
    int faceAt(const QPointF& twips) const;
    void updateGeometryFromDocument();
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

    int handleAt(const QPointF& twips) const; // 0 to 7 on this sheet, or -1
    bool frameContains(const QPointF& twips) const;

    JewelCaseDocument& document_;
    CoverSelection& selection_;
    int sheet_;
    Gesture gesture_ = Gesture::None;
    Qt::MouseButton gestureButton_ = Qt::NoButton;
    int handle_ = -1;
    ElementRef pressed_;
};
