// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetWidget.h"

#include "SelectionController.h"
#include "Twips.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>

using Hit = SelectionController::Hit;

SheetWidget::SheetWidget(SelectionController& selection, int sheet, Drawing drawing,
                         QWidget* parent)
    : QWidget(parent), selection_(selection), sheet_(sheet), drawing_(std::move(drawing))
{
    setMouseTracking(true);
    // The sheet may end inside its last column of pixels: the rest of it is window.
    setAutoFillBackground(true);
    connect(&selection_, &SelectionController::changed, this, qOverload<>(&QWidget::update));
    connect(&selection_, &SelectionController::cursorRequested, this,
            [this](Qt::CursorShape shape) { setCursor(shape); });
}

QPointF SheetWidget::toTwips(const QPointF& pixels) const
{
    return Twips::toDevice(*this).inverted().map(pixels);
}

QPointF SheetWidget::toPixels(const QPointF& twips) const
{
    return Twips::toDevice(*this).map(twips);
}

QSize SheetWidget::sizeHint() const
{
    const QSizeF size = drawing_.size ? drawing_.size() : QSizeF();
    const QPointF corner = toPixels(QPointF(size.width(), size.height()));
    return QSize(int(std::ceil(corner.x())), int(std::ceil(corner.y())));
}

void SheetWidget::placeAt(const QPointF& twips)
{
    const QPointF topLeft = toPixels(twips);
    setGeometry(
        QRect(QPoint(int(std::lround(topLeft.x())), int(std::lround(topLeft.y()))), sizeHint()));
}

bool SheetWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (selection_.elementAt(sheet_, toTwips(help->pos())).isBar())
            QToolTip::showText(help->globalPos(), QStringLiteral("Barre d'Alignement"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void SheetWidget::paintEvent(QPaintEvent*)
{
    if (drawing_.render)
        drawing_.render(*this);
}

void SheetWidget::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = toTwips(event->position());
    gestureButton_ = event->button();
    const Hit hit = selection_.hitTest(sheet_, at);
    switch (hit.kind) {
    case Hit::Kind::Handle:
        gesture_ = Gesture::Resize;
        handle_ = hit.handle;
        selection_.beginResize(handle_);
        return;
    case Hit::Kind::Frame:
        if (event->button() == Qt::RightButton) {
            // The selected text's own menu; the selection stays as it is.
            if (selection_.currentSelection().isText())
                Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
            return;
        }
        gesture_ = Gesture::Move;
        selection_.beginMove(at);
        return;
    case Hit::Kind::Element:
        gesture_ = Gesture::Element;
        pressed_ = hit.element;
        selection_.pressElement(hit.element);
        if (hit.element.isText() && event->button() == Qt::RightButton)
            Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
        return;
    case Hit::Kind::Area:
        gesture_ = Gesture::Sheet;
        selection_.pressEmpty(hit.area);
        return;
    case Hit::Kind::Nothing:
        gesture_ = Gesture::Sheet;
        return;
    }
}

void SheetWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = toTwips(event->position());
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    switch (gesture_) {
    case Gesture::Move:
        if (!leftHeld || gestureButton_ != Qt::LeftButton || selection_.moveLocked()) {
            setCursor(Qt::ArrowCursor);
            return;
        }
        selection_.moveTo(at);
        return;
    case Gesture::Resize:
        if (selection_.resizeLocked())
            return;
        setCursor(DragRules::handleCursor(handle_));
        if (leftHeld)
            selection_.resizeTo(handle_, at);
        return;
    default:
        break;
    }
    const Hit hit = selection_.hitTest(sheet_, at);
    if (hit.kind == Hit::Kind::Handle && !selection_.resizeLocked())
        setCursor(DragRules::handleCursor(hit.handle));
    else if (hit.kind == Hit::Kind::Frame && !selection_.moveLocked())
        setCursor(Qt::SizeAllCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void SheetWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const Gesture gesture = std::exchange(gesture_, Gesture::None);
    if (event->button() != gestureButton_)
        return;
    const QPointF at = toTwips(event->position());
    switch (gesture) {
    case Gesture::Move:
    case Gesture::Resize:
        selection_.EndDrag();
        break;
    case Gesture::Element:
        if (event->button() == Qt::LeftButton && selection_.elementAt(sheet_, at) == pressed_)
            selection_.clickElement(pressed_);
        break;
    case Gesture::Sheet:
        if (selection_.hitTest(sheet_, at).kind == Hit::Kind::Nothing)
            selection_.pressEmpty(sheet_);
        break;
    case Gesture::None:
        break;
    }
    update();
}

void SheetWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const ElementRef element = selection_.elementAt(sheet_, toTwips(event->position()));
    if (element.isText())
        Q_EMIT elementDoubleClicked(element);
}
