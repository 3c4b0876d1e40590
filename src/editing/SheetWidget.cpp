#include "SheetWidget.h"

#include "CoverContext.h"
#include "JewelCaseDocument.h"
#include "SheetRenderer.h"
#include "Twips.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>

using Hit = SelectionController::Hit;

SheetWidget::SheetWidget(CoverContext& context, int sheet, QWidget* parent)
    : QWidget(parent), context_(context), sheet_(sheet == DosSheet ? DosSheet : RectoSheet)
{
    setMouseTracking(true);
    // The sheet may end inside its last column of pixels: the rest of it is window.
    setAutoFillBackground(true);
    connect(&context_.selection, &SelectionController::changed, this,
            qOverload<>(&QWidget::update));
    connect(&context_.selection, &SelectionController::cursorRequested, this,
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
    const QSizeF size = context_.document.sheets[std::size_t(sheet_)].size;
    const QPointF corner = toPixels(QPointF(size.width(), size.height()));
    return QSize(int(std::ceil(corner.x())), int(std::ceil(corner.y())));
}

void SheetWidget::updateGeometryFromScreen()
{
    const QPointF topLeft = toPixels(CoverScreen::sheetPlace(sheet_));
    setGeometry(
        QRect(QPoint(int(std::lround(topLeft.x())), int(std::lround(topLeft.y()))), sizeHint()));
    const bool shown = context_.screen.sheetShown[std::size_t(sheet_)];
    setVisible(shown);
    setEnabled(shown);
}

bool SheetWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (context_.selection.elementAt(sheet_, toTwips(help->pos())).isBar())
            QToolTip::showText(help->globalPos(), QStringLiteral("Barre d'Alignement"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void SheetWidget::paintEvent(QPaintEvent*)
{
    SheetRenderer::render(*this, context_.document, sheet_,
                          &context_.screen.overlays[std::size_t(sheet_)]);
}

void SheetWidget::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = toTwips(event->position());
    gestureButton_ = event->button();
    SelectionController& selection = context_.selection;
    const Hit hit = selection.hitTest(sheet_, at);
    switch (hit.kind) {
    case Hit::Kind::Handle:
        gesture_ = Gesture::Resize;
        handle_ = hit.handle;
        selection.beginResize(handle_);
        return;
    case Hit::Kind::Frame:
        if (event->button() == Qt::RightButton) {
            // The selected text's own menu; the selection stays as it is.
            if (selection.currentSelection().isText())
                Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
            return;
        }
        gesture_ = Gesture::Move;
        selection.beginMove(at);
        return;
    case Hit::Kind::Element:
        gesture_ = Gesture::Element;
        pressed_ = hit.element;
        selection.pressElement(hit.element);
        if (hit.element.isText() && event->button() == Qt::RightButton)
            Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
        return;
    case Hit::Kind::Area:
        gesture_ = Gesture::Sheet;
        selection.pressEmpty(hit.area);
        return;
    case Hit::Kind::Nothing:
        gesture_ = Gesture::Sheet;
        return;
    }
}

void SheetWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = toTwips(event->position());
    SelectionController& selection = context_.selection;
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    switch (gesture_) {
    case Gesture::Move:
        if (!leftHeld || gestureButton_ != Qt::LeftButton || selection.moveLocked()) {
            setCursor(Qt::ArrowCursor);
            return;
        }
        selection.moveTo(at);
        return;
    case Gesture::Resize:
        if (selection.resizeLocked())
            return;
        setCursor(DragRules::handleCursor(handle_));
        if (leftHeld)
            selection.resizeTo(handle_, at);
        return;
    default:
        break;
    }
    const Hit hit = selection.hitTest(sheet_, at);
    if (hit.kind == Hit::Kind::Handle && !selection.resizeLocked())
        setCursor(DragRules::handleCursor(hit.handle));
    else if (hit.kind == Hit::Kind::Frame && !selection.moveLocked())
        setCursor(Qt::SizeAllCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void SheetWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const Gesture gesture = std::exchange(gesture_, Gesture::None);
    if (event->button() != gestureButton_)
        return;
    SelectionController& selection = context_.selection;
    const QPointF at = toTwips(event->position());
    switch (gesture) {
    case Gesture::Move:
    case Gesture::Resize:
        selection.EndDrag();
        break;
    case Gesture::Element:
        if (event->button() == Qt::LeftButton && selection.elementAt(sheet_, at) == pressed_)
            selection.clickElement(pressed_);
        break;
    case Gesture::Sheet:
        if (selection.hitTest(sheet_, at).kind == Hit::Kind::Nothing)
            selection.pressEmpty(sheet_);
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
    const ElementRef element = context_.selection.elementAt(sheet_, toTwips(event->position()));
    if (element.isText())
        Q_EMIT elementDoubleClicked(element);
}
