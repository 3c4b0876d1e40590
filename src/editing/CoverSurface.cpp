// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverSurface.h"

#include "CoverLayout.h"
#include "CoverScreen.h"
#include "FitTextInFace.h"
#include "JewelCaseDocument.h"

#include <cmath>
#include <limits>

namespace {

bool isSheet(int sheet)
{
    return sheet >= 0 && sheet < JewelCaseDocument::sheetCount;
}

// How far a point lies from a frame, sideways: 0 over it.
double horizontalDistance(const QRectF& frame, double x)
{
    if (x < frame.left())
        return frame.left() - x;
    if (x > frame.right())
        return x - frame.right();
    return 0;
}

// An alignment bar may slide from the Recto into the Verso, and stays as far from the
// sheet's left edge as any dragged element from its area's other edges.
constexpr double barLeftLimit = DragRules::edgeMargin;

} // namespace

TextElement* CoverSurface::text(const ElementRef& element)
{
    return element.isText() ? document_.text(element.area, element.index) : nullptr;
}

const TextElement* CoverSurface::text(const ElementRef& element) const
{
    return element.isText() ? document_.text(element.area, element.index) : nullptr;
}

bool CoverSurface::exists(const ElementRef& element) const
{
    switch (element.kind) {
    case ElementRef::Kind::Text:
        return text(element) != nullptr;
    case ElementRef::Kind::Spine:
        return element.index == 0 || element.index == 1;
    case ElementRef::Kind::Bar:
        return isSheet(element.index);
    case ElementRef::Kind::Logo:
        return Face::isValid(element.area);
    case ElementRef::Kind::None:
        break;
    }
    return false;
}

QRectF CoverSurface::rectOf(const ElementRef& element) const
{
    if (!exists(element))
        return {};
    switch (element.kind) {
    case ElementRef::Kind::Text:
        return text(element)->rect();
    case ElementRef::Kind::Spine:
        return document_.spines[std::size_t(element.index)].rect;
    case ElementRef::Kind::Bar:
        return screen_.overlays[std::size_t(element.index)].bar;
    case ElementRef::Kind::Logo:
        return document_.faces[std::size_t(element.area)].logo.rect;
    case ElementRef::Kind::None:
        break;
    }
    return {};
}

void CoverSurface::setRectOf(const ElementRef& element, const QRectF& rect)
{
    if (!exists(element))
        return;
    switch (element.kind) {
    case ElementRef::Kind::Text:
        text(element)->setRect(rect);
        break;
    case ElementRef::Kind::Spine:
        document_.spines[std::size_t(element.index)].rect = rect;
        break;
    case ElementRef::Kind::Bar:
        screen_.overlays[std::size_t(element.index)].bar = rect;
        break;
    case ElementRef::Kind::Logo:
        document_.faces[std::size_t(element.area)].logo.rect = rect;
        break;
    case ElementRef::Kind::None:
        break;
    }
}

const void* CoverSurface::paintedObjectOf(const ElementRef& element) const
{
    if (!exists(element))
        return nullptr;
    switch (element.kind) {
    case ElementRef::Kind::Text:
        return text(element);
    case ElementRef::Kind::Spine:
        return &document_.spines[std::size_t(element.index)];
    case ElementRef::Kind::Logo:
        return &document_.faces[std::size_t(element.area)].logo;
    case ElementRef::Kind::Bar:
    case ElementRef::Kind::None:
        break;
    }
    return nullptr;
}

SelectionSurface::Behaviour CoverSurface::behaviourOf(const ElementRef& element) const
{
    Behaviour behaviour;
    switch (element.kind) {
    case ElementRef::Kind::Text:
        behaviour.textLike = true;
        behaviour.widens = true;
        break;
    case ElementRef::Kind::Logo:
        behaviour.widens = true;
        break;
    case ElementRef::Kind::Spine:
        behaviour.textLike = true;
        behaviour.framed = false;
        behaviour.moveLocked = true;
        behaviour.resizeLocked = true;
        break;
    case ElementRef::Kind::Bar:
        behaviour.textLike = true;
        behaviour.resizeLocked = true;
        behaviour.horizontalOnly = true;
        break;
    case ElementRef::Kind::None:
        break;
    }
    return behaviour;
}

int CoverSurface::faceUnderBar(int sheet) const
{
    if (!isSheet(sheet))
        return Face::Recto;
    const double edge = screen_.overlays[std::size_t(sheet)].bar.right();
    int nearest = -1;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (int face = 0; face < Face::count; ++face) {
        if (Face::sheetOf(face) != sheet)
            continue;
        const double distance = horizontalDistance(document_.faces[std::size_t(face)].frame, edge);
        if (distance < nearestDistance) {
            nearest = face;
            nearestDistance = distance;
        }
    }
    return nearest;
}

int CoverSurface::areaOf(const ElementRef& element) const
{
    switch (element.kind) {
    case ElementRef::Kind::Text:
    case ElementRef::Kind::Logo:
        return element.area;
    case ElementRef::Kind::Spine:
        return Face::Dos;
    case ElementRef::Kind::Bar:
        return faceUnderBar(element.index);
    case ElementRef::Kind::None:
        break;
    }
    return -1;
}

DragBounds CoverSurface::bounds(const ElementRef& element, int area, bool forMove) const
{
    const Face& recto = document_.faces[Face::Recto];
    const double rectoSheetWidth = document_.sheets[RectoSheet].size.width();
    const int face = Face::isValid(area) ? area : int(Face::Dos);
    const double height = document_.faces[std::size_t(face)].frame.height();
    DragBounds bounds;
    if (forMove && element.isBar() && screen_.currentView == View::RectoVerso) {
        bounds.area = QRectF(QPointF(barLeftLimit, 0), QPointF(rectoSheetWidth, height));
        return bounds;
    }
    double left = 0;
    double right = 0;
    switch (face) {
    case Face::Verso:
        // The Verso's texts may run on to the sheet's right edge.
        left = recto.frame.width() + CoverLayout::faceGap;
        right = rectoSheetWidth;
        break;
    case Face::Recto:
        left = 0;
        right = recto.frame.width();
        break;
    default:
        left = document_.spines[0].rect.width();
        right = document_.dos().frame.width() + left;
        break;
    }
    bounds.area = QRectF(QPointF(left, 0), QPointF(right, height));
    return bounds;
}

int CoverSurface::activeSheet() const
{
    return screen_.activeSheet();
}

SelectionMarks& CoverSurface::marks(int sheet)
{
    return screen_.overlays[sheet == DosSheet ? DosSheet : RectoSheet].marks;
}

const SelectionMarks& CoverSurface::marks(int sheet) const
{
    return screen_.overlays[sheet == DosSheet ? DosSheet : RectoSheet].marks;
}

ElementRef CoverSurface::elementAt(int sheet, const QPointF& point) const
{
    if (!isSheet(sheet))
        return {};
    const SheetOverlay& overlay = screen_.overlays[std::size_t(sheet)];
    if (overlay.barVisible && overlay.bar.contains(point))
        return ElementRef::bar(sheet);
    const TextElement* top = nullptr;
    ElementRef found;
    for (int face = 0; face < Face::count; ++face) {
        if (Face::sheetOf(face) != sheet)
            continue;
        for (const auto& [index, element] : document_.faces[std::size_t(face)].texts) {
            if (element.visible && element.rect().contains(point) &&
                (!top || element.zOrder >= top->zOrder)) {
                top = &element;
                found = ElementRef::text(face, index);
            }
        }
    }
    if (top)
        return found;
    for (int face = 0; face < Face::count; ++face) {
        const ImageSlot& logo = document_.faces[std::size_t(face)].logo;
        if (Face::sheetOf(face) == sheet && logo.visible && !logo.isEmpty() &&
            logo.rect.contains(point))
            return ElementRef::logo(face);
    }
    if (sheet == DosSheet) {
        for (int i = 0; i < 2; ++i) {
            if (document_.spines[std::size_t(i)].rect.contains(point))
                return ElementRef::spine(i);
        }
    }
    return {};
}

int CoverSurface::areaAt(int sheet, const QPointF& point) const
{
    for (int face = 0; face < Face::count; ++face) {
        if (Face::sheetOf(face) == sheet &&
            document_.faces[std::size_t(face)].frame.contains(point))
            return face;
    }
    return -1;
}

void CoverSurface::forEachText(int area, const std::function<void(TextElement&)>& change)
{
    if (!Face::isValid(area))
        return;
    for (auto& [index, element] : document_.faces[std::size_t(area)].texts)
        change(element);
}

void CoverSurface::fitText(TextElement& element, int area)
{
    if (Face::isValid(area))
        FitTextInArea(element, document_.faces[std::size_t(area)].frame);
}

void CoverSurface::elementClicked(const ElementRef& element)
{
    if (TextElement* clicked = text(element))
        clicked->setAutoSize(false);
}
