#include "SheetWidget.h"

#include "CoverSelection.h"
#include "JewelCaseDocument.h"
#include "SheetRenderer.h"
#include "Twips.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

SheetWidget::SheetWidget(JewelCaseDocument& document, CoverSelection& selection, int sheet,
                         QWidget* parent)
    : QWidget(parent), document_(document), selection_(selection), sheet_(sheet)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&selection_, &CoverSelection::changed, this, qOverload<>(&QWidget::update));
    connect(&selection_, &CoverSelection::cursorRequested, this,
            [this](Qt::CursorShape shape) { setCursor(shape); });
}

double SheetWidget::pixelsPerTwip() const
{
    return logicalDpiX() / Twips::perInch;
}

QPointF SheetWidget::toTwips(const QPointF& pixels) const
{
    return pixels / pixelsPerTwip();
}

QPointF SheetWidget::toPixels(const QPointF& twips) const
{
    return twips * pixelsPerTwip();
}

QSize SheetWidget::sizeHint() const
{
    const QSizeF size = document_.sheets[sheet_].geometry.size() * pixelsPerTwip();
    return QSize(int(std::ceil(size.width())), int(std::ceil(size.height())));
}

void SheetWidget::updateGeometryFromDocument()
{
    const Sheet& sheet = document_.sheets[sheet_];
    const QPointF topLeft = toPixels(sheet.geometry.topLeft());
    setGeometry(
        QRect(QPoint(int(std::lround(topLeft.x())), int(std::lround(topLeft.y()))), sizeHint()));
    setVisible(sheet.visible);
    setEnabled(sheet.visible);
}

int SheetWidget::handleAt(const QPointF& twips) const
{
    const SelectionMarks& marks = document_.sheets[sheet_].marks;
    if (!marks.handlesVisible)
        return -1;
    // The handles are stacked in index order; the last one is in front.
    for (int i = 7; i >= 0; --i) {
        if (marks.handles[std::size_t(i)].contains(twips))
            return i;
    }
    return -1;
}

bool SheetWidget::frameContains(const QPointF& twips) const
{
    const SelectionMarks& marks = document_.sheets[sheet_].marks;
    return marks.frameVisible && marks.frame.contains(twips);
}

ElementRef SheetWidget::elementAt(const QPointF& twips) const
{
    const Sheet& sheet = document_.sheets[sheet_];
    if (sheet.barVisible && sheet.bar.contains(twips))
        return ElementRef::bar(sheet_);
    const TextElement* top = nullptr;
    ElementRef found;
    for (int face = 0; face < JewelCaseDocument::faceCount; ++face) {
        if (document_.faces[face].sheet != sheet_)
            continue;
        for (const auto& [index, element] : document_.faces[face].texts) {
            if (element.visible && element.rect().contains(twips) &&
                (!top || element.zOrder >= top->zOrder)) {
                top = &element;
                found = ElementRef::text(face, index);
            }
        }
    }
    if (top)
        return found;
    if (sheet_ == 1) {
        for (int i = 0; i < 2; ++i) {
            if (document_.spines[std::size_t(i)].rect.contains(twips))
                return ElementRef::spine(i);
        }
    }
    return {};
}

int SheetWidget::faceAt(const QPointF& twips) const
{
    for (int face = 0; face < JewelCaseDocument::faceCount; ++face) {
        const Face& candidate = document_.faces[face];
        if (candidate.sheet == sheet_ && candidate.frame.contains(twips))
            return face;
    }
    return -1;
}

bool SheetWidget::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const Sheet& sheet = document_.sheets[sheet_];
        if (sheet.barVisible && sheet.bar.contains(toTwips(help->pos())))
            QToolTip::showText(help->globalPos(), QStringLiteral("Barre d'Alignement"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void SheetWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The sheet ends inside its last column of pixels: the rest of it is window.
    painter.fillRect(rect(), palette().window());
    painter.scale(pixelsPerTwip(), pixelsPerTwip());
    SheetRenderer::paint(painter, document_, sheet_, SheetRenderer::Options());
}

void SheetWidget::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = toTwips(event->position());
    gestureButton_ = event->button();
    const SelectionMarks& marks = document_.sheets[sheet_].marks;

    if (const int handle = handleAt(at); handle >= 0) {
        gesture_ = Gesture::Resize;
        handle_ = 8 * sheet_ + handle;
        selection_.beginResize(handle_);
        return;
    }
    if (frameContains(at) && event->button() == Qt::RightButton) {
        // The selected text's own menu; the selection stays as it is.
        if (selection_.currentSelection.isText())
            Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (frameContains(at)) {
        gesture_ = Gesture::Move;
        selection_.beginMove(at - marks.frame.topLeft());
        return;
    }
    const ElementRef element = elementAt(at);
    if (!element.isEmpty()) {
        gesture_ = Gesture::Element;
        pressed_ = element;
        selection_.pressElement(element);
        if (element.isText() && event->button() == Qt::RightButton)
            Q_EMIT contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    gesture_ = Gesture::Sheet;
    if (const int face = faceAt(at); face >= 0)
        selection_.pressEmpty(face);
}

void SheetWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = toTwips(event->position());
    const SelectionMarks& marks = document_.sheets[sheet_].marks;
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    switch (gesture_) {
    case Gesture::Move:
        if (!leftHeld || gestureButton_ != Qt::LeftButton || selection_.moveLocked) {
            setCursor(Qt::ArrowCursor);
            return;
        }
        selection_.moveTo(at - marks.frame.topLeft());
        return;
    case Gesture::Resize: {
        if (selection_.resizeLocked)
            return;
        setCursor(DragRules::handleCursor(handle_ % 8));
        if (!leftHeld)
            return;
        const QPointF corner = marks.handles[std::size_t(handle_ % 8)].topLeft();
        selection_.resizeTo(handle_, at - corner);
        return;
    }
    default:
        break;
    }
    if (const int handle = handleAt(at); handle >= 0 && !selection_.resizeLocked)
        setCursor(DragRules::handleCursor(handle));
    else if (frameContains(at) && !selection_.moveLocked)
        setCursor(Qt::SizeAllCursor);
    else
        setCursor(Qt::ArrowCursor);
}

void SheetWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const Gesture gesture = std::exchange(gesture_, Gesture::None);
    if (event->button() != gestureButton_)
        return;
    switch (gesture) {
    case Gesture::Move:
    case Gesture::Resize:
        selection_.EndDrag();
        break;
    case Gesture::Element:
        if (event->button() == Qt::LeftButton && elementAt(toTwips(event->position())) == pressed_)
            selection_.clickElement(pressed_);
        break;
    case Gesture::Sheet:
        if (faceAt(toTwips(event->position())) < 0)
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
    const ElementRef element = elementAt(toTwips(event->position()));
    if (element.isText())
        Q_EMIT elementDoubleClicked(element);
}
