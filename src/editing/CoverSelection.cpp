#include "CoverSelection.h"

#include "JewelCaseDocument.h"
#include "Prompter.h"
#include "Twips.h"

namespace {
constexpr float widening = 30;
}

CoverSelection::CoverSelection(JewelCaseDocument& document, QObject* parent)
    : QObject(parent), document_(document)
{
}

int CoverSelection::sheetInUse() const
{
    return document_.currentView == 0 ? 0 : 1;
}

bool CoverSelection::frameShown() const
{
    return document_.sheets[sheetInUse()].marks.frameVisible;
}

bool CoverSelection::isTextLike(const ElementRef& element) const
{
    return element.kind == ElementRef::Kind::Text || element.kind == ElementRef::Kind::Logo;
}

void CoverSelection::narrow()
{
    if (widened_.isEmpty())
        return;
    if (document_.exists(widened_)) {
        QRectF rect = document_.rectOf(widened_);
        rect.setWidth(rect.width() - widening);
        document_.setRectOf(widened_, rect);
    }
    widened_ = ElementRef();
}

void CoverSelection::Deselect(int face)
{
    ShowHandles(false);
    if (document_.exists(currentSelection))
        document_.setBorderStyleOf(currentSelection, savedBorderStyle);
    narrow();
    currentFace = face;
    Q_EMIT changed();
}

void CoverSelection::Select()
{
    if (!document_.exists(currentSelection))
        return;
    SelectionMarks& marks = document_.sheets[sheetInUse()].marks;
    marks.frame = document_.rectOf(currentSelection);
    if (widened_ == currentSelection)
        marks.frame.setWidth(marks.frame.width() - widening);
    if (isTextLike(currentSelection) && widened_ != currentSelection) {
        narrow();
        QRectF rect = document_.rectOf(currentSelection);
        rect.setWidth(rect.width() + widening);
        document_.setRectOf(currentSelection, rect);
        widened_ = currentSelection;
    }
    const QRectF selected = document_.rectOf(currentSelection);
    selectedTop = Twips::round(selected.top());
    selectedWidth = Twips::round(selected.width());
    selectedHeight = Twips::round(selected.height());
    selectedLeft = Twips::round(selected.left());
    marks.handles = DragRules::handleRects(marks.frame);
    ShowHandles(true);
    Q_EMIT changed();
}

void CoverSelection::ShowHandles(bool show)
{
    SelectionMarks& marks = document_.sheets[sheetInUse()].marks;
    if (marks.handlesVisible == show)
        return;
    marks.handlesVisible = show;
    if (!currentSelection.isSpine()) {
        marks.frameVisible = show;
        // The frame stands in for the element's own outline; during a drag the outline shows.
        document_.setBorderStyleOf(currentSelection, show ? 0 : 1);
    }
    Q_EMIT changed();
}

void CoverSelection::EndDrag()
{
    document_.setBorderStyleOf(currentSelection, savedBorderStyle);
    Q_EMIT cursorRequested(Qt::ArrowCursor);
    narrow();
    currentSelection = ElementRef();
    Q_EMIT changed();
}

bool CoverSelection::SelectionCheck(Prompter& prompter)
{
    if (!document_.exists(currentSelection) || currentSelection.kind == ElementRef::Kind::Logo) {
        prompter.inform(QStringLiteral("Pas de texte sélectionné."));
        return false;
    }
    document_.documentModified = 1;
    return true;
}

bool CoverSelection::TextSelectionCheck(Prompter& prompter)
{
    if (currentSelection.isBar()) {
        prompter.inform(QStringLiteral("Pas de texte sélectionné."));
        return false;
    }
    return SelectionCheck(prompter);
}

void CoverSelection::pressElement(const ElementRef& element)
{
    int face = element.face;
    if (element.isBar())
        face = 2 * element.index;
    Deselect(face);
    currentSelection = element;
    // Saved now as well as on the click, so that a press without a click (the right button)
    // never hands another element's border to this one.
    savedBorderStyle = document_.borderStyleOf(element);
    moveLocked = element.isSpine();
    resizeLocked = element.isSpine() || element.isBar();
}

void CoverSelection::clickElement(const ElementRef& element)
{
    if (currentSelection != element)
        return;
    savedBorderStyle = document_.borderStyleOf(element);
    Select();
    if (TextElement* text = document_.text(element)) {
        text->setAutoSize(false);
        Q_EMIT textEntriesAvailable(true);
    } else if (element.isSpine()) {
        Q_EMIT textEntriesAvailable(false);
    }
}

DragBounds CoverSelection::bounds(bool forBarMove) const
{
    const Face& recto = document_.faces[Face::Recto];
    const double spineWidth = document_.spines[0].rect.width();
    if (forBarMove && currentSelection.isBar() && document_.currentView == 0)
        return {30, document_.sheets[0].geometry.width(), 0};
    DragBounds bounds;
    switch (currentFace) {
    case Face::Verso:
        bounds.lowerX = recto.frame.width() + JewelCaseDocument::rectoSheetOffset;
        bounds.upperX = document_.sheets[0].geometry.width();
        break;
    case Face::Recto:
        bounds.lowerX = 0;
        bounds.upperX = recto.frame.width();
        break;
    default:
        bounds.lowerX = spineWidth;
        bounds.upperX = document_.dos().frame.width() + spineWidth;
        break;
    }
    const int face = std::clamp(currentFace, 0, JewelCaseDocument::faceCount - 1);
    bounds.upperY = document_.faces[face].frame.height();
    return bounds;
}

void CoverSelection::beginMove(const QPointF& pointerInFrame)
{
    ShowHandles(false);
    Q_EMIT cursorRequested(Qt::SizeAllCursor);
    dragStartX = Twips::round(pointerInFrame.x());
    dragStartY = Twips::round(pointerInFrame.y());
}

bool CoverSelection::moveTo(const QPointF& pointerInFrame)
{
    if (moveLocked || !document_.exists(currentSelection))
        return false;
    const QRectF selected(selectedLeft, selectedTop, selectedWidth, selectedHeight);
    const auto topLeft = DragRules::move(selected, QPointF(dragStartX, dragStartY), pointerInFrame,
                                         bounds(true), currentSelection.isBar());
    if (!topLeft)
        return false;
    QRectF rect = document_.rectOf(currentSelection);
    rect.moveLeft(topLeft->x());
    if (!currentSelection.isBar())
        rect.moveTop(topLeft->y());
    document_.setRectOf(currentSelection, rect);
    document_.documentModified = 1;
    Q_EMIT changed();
    return true;
}

void CoverSelection::beginResize(int handleIndex)
{
    if (currentSelection.isBar())
        return;
    handleBase = 8 * (handleIndex / 8);
    ShowHandles(false);
}

bool CoverSelection::resizeTo(int handleIndex, const QPointF& pointerInHandle)
{
    if (resizeLocked || !document_.exists(currentSelection))
        return false;
    const QRectF selected(selectedLeft, selectedTop, selectedWidth, selectedHeight);
    const auto rect = DragRules::resize(selected, document_.rectOf(currentSelection),
                                        handleIndex - handleBase, pointerInHandle, bounds(false));
    if (!rect)
        return false;
    document_.setRectOf(currentSelection, *rect);
    document_.documentModified = 1;
    Q_EMIT changed();
    return true;
}
