// SPDX-License-Identifier: GPL-3.0-or-later
#include "SelectionController.h"

#include "DocumentHistory.h"
#include "Prompter.h"
#include "SheetOverlay.h"
#include "Twips.h"

SelectionController::SelectionController(SelectionSurface& surface, QObject* parent)
    : QObject(parent), surface_(surface)
{
}

SelectionMarks& SelectionController::marks()
{
    return surface_.marks(surface_.activeSheet());
}

const SelectionMarks& SelectionController::marks() const
{
    return surface_.marks(surface_.activeSheet());
}

bool SelectionController::frameShown() const
{
    return marks().frameVisible;
}

SelectionController::Hit SelectionController::hitTest(int sheet, const QPointF& point) const
{
    Hit hit;
    const SelectionMarks& sheetMarks = surface_.marks(sheet);
    if (sheet == surface_.activeSheet() && sheetMarks.handlesVisible) {
        // The handles are stacked in index order; the last one is in front.
        for (int i = 7; i >= 0; --i) {
            if (sheetMarks.handles[std::size_t(i)].contains(point)) {
                hit.kind = Hit::Kind::Handle;
                hit.handle = i;
                return hit;
            }
        }
    }
    if (sheet == surface_.activeSheet() && sheetMarks.frameVisible &&
        sheetMarks.frame.contains(point)) {
        hit.kind = Hit::Kind::Frame;
        return hit;
    }
    hit.element = surface_.elementAt(sheet, point);
    if (!hit.element.isEmpty()) {
        hit.kind = Hit::Kind::Element;
        return hit;
    }
    hit.area = surface_.areaAt(sheet, point);
    if (hit.area >= 0)
        hit.kind = Hit::Kind::Area;
    return hit;
}

double SelectionController::wideningOf(const ElementRef& element) const
{
    return surface_.behaviourOf(element).widens ? widening : 0;
}

QRectF SelectionController::dragRect() const
{
    return surface_.rectOf(current_).adjusted(0, 0, wideningOf(current_), 0);
}

void SelectionController::setDragRect(const QRectF& rect)
{
    surface_.setRectOf(current_, rect.adjusted(0, 0, -wideningOf(current_), 0));
}

void SelectionController::showBorder(std::optional<BorderStyle> style)
{
    SelectionMarks& sheetMarks = marks();
    sheetMarks.bordered = style ? surface_.paintedObjectOf(current_) : nullptr;
    sheetMarks.shownBorder = style.value_or(BorderStyle::None);
}

void SelectionController::Deselect(int face)
{
    ShowHandles(false);
    showBorder(std::nullopt);
    currentFace_ = face;
    Q_EMIT changed();
}

void SelectionController::Select()
{
    if (!surface_.exists(current_))
        return;
    SelectionMarks& sheetMarks = marks();
    sheetMarks.frame = surface_.rectOf(current_);
    selected_ = DragRules::recordedRect(dragRect());
    sheetMarks.handles = DragRules::handleRects(sheetMarks.frame);
    ShowHandles(true);
    Q_EMIT changed();
}

void SelectionController::ShowHandles(bool show)
{
    SelectionMarks& sheetMarks = marks();
    if (sheetMarks.handlesVisible == show)
        return;
    sheetMarks.handlesVisible = show;
    if (!surface_.exists(current_) || surface_.behaviourOf(current_).framed) {
        sheetMarks.frameVisible = show;
        // The frame stands in for the element's own outline; during a drag the outline shows.
        if (surface_.exists(current_))
            showBorder(show ? BorderStyle::None : BorderStyle::Single);
    }
    Q_EMIT changed();
}

void SelectionController::EndDrag()
{
    // Nothing stays marked once nothing is selected (a press on a bar's handle hides nothing).
    ShowHandles(false);
    showBorder(std::nullopt);
    // A bar belongs to the face it was left standing in.
    if (surface_.exists(current_) && current_.isBar())
        currentFace_ = surface_.areaOf(current_);
    Q_EMIT cursorRequested(Qt::ArrowCursor);
    current_ = ElementRef();
    endGesture();
    Q_EMIT changed();
}

void SelectionController::beginGesture(const QString& what)
{
    endGesture();
    surface_.history().begin(what);
    gestureOpen_ = true;
}

void SelectionController::endGesture()
{
    if (std::exchange(gestureOpen_, false))
        surface_.history().end();
}

bool SelectionController::SelectionCheck(Prompter& prompter)
{
    if (!surface_.exists(current_) || !surface_.behaviourOf(current_).textLike) {
        prompter.inform(QStringLiteral("Pas de texte sélectionné."));
        return false;
    }
    return true;
}

bool SelectionController::TextSelectionCheck(Prompter& prompter)
{
    if (current_.isBar()) {
        prompter.inform(QStringLiteral("Pas de texte sélectionné."));
        return false;
    }
    return SelectionCheck(prompter);
}

void SelectionController::pressElement(const ElementRef& element)
{
    if (!surface_.exists(element))
        return;
    Deselect(surface_.areaOf(element));
    current_ = element;
    const SelectionSurface::Behaviour behaviour = surface_.behaviourOf(element);
    moveLocked_ = behaviour.moveLocked;
    resizeLocked_ = behaviour.resizeLocked;
    if (element.isText() || element.isSpine())
        Q_EMIT textEntriesAvailable(element.isText());
}

void SelectionController::clickElement(const ElementRef& element)
{
    if (current_ != element)
        return;
    Select();
    DocumentHistory::Edit edit(surface_.history(), QStringLiteral("le clic sur le texte"));
    surface_.elementClicked(element);
}

DragBounds SelectionController::bounds(bool forMove) const
{
    return surface_.bounds(current_, currentFace_, forMove);
}

void SelectionController::beginMove(const QPointF& point)
{
    const QPointF inFrame = point - marks().frame.topLeft();
    beginGesture(QStringLiteral("le déplacement"));
    ShowHandles(false);
    Q_EMIT cursorRequested(Qt::SizeAllCursor);
    dragStart_ = QPointF(Twips::round(inFrame.x()), Twips::round(inFrame.y()));
}

bool SelectionController::moveTo(const QPointF& point)
{
    if (moveLocked_ || !surface_.exists(current_))
        return false;
    const QPointF inFrame = point - marks().frame.topLeft();
    const bool horizontalOnly = surface_.behaviourOf(current_).horizontalOnly;
    const auto topLeft =
        DragRules::move(selected_, dragStart_, inFrame, bounds(true), horizontalOnly);
    if (!topLeft)
        return false;
    QRectF rect = surface_.rectOf(current_);
    rect.moveLeft(topLeft->x());
    if (!horizontalOnly)
        rect.moveTop(topLeft->y());
    surface_.setRectOf(current_, rect);
    Q_EMIT changed();
    return true;
}

void SelectionController::beginResize(int handle)
{
    if (current_.isBar() || handle < 0 || handle > 7)
        return;
    beginGesture(QStringLiteral("le redimensionnement"));
    ShowHandles(false);
}

bool SelectionController::resizeTo(int handle, const QPointF& point)
{
    if (resizeLocked_ || handle < 0 || handle > 7 || !surface_.exists(current_))
        return false;
    // Measured from the handle's corner: the handle stays where it was during the drag.
    const QPointF inHandle = point - marks().handles[std::size_t(handle)].topLeft();
    const auto rect = DragRules::resize(selected_, dragRect(), handle, inHandle, bounds(false));
    if (!rect)
        return false;
    setDragRect(*rect);
    Q_EMIT changed();
    return true;
}
