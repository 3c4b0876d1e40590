// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <vector>

struct ImageSlot;
class QPainter;
class QRectF;
class TextElement;
enum class BorderStyle;
struct RotatedTextRun;

// The painters of the elements every document is made of, in a painter whose unit is the
// twip: the cover's sheets and the CD label paint their texts and pictures with them.
namespace ElementPainter {

// The hints every document is painted with: lines sharp, as flat controls are; text and
// stretched pictures smooth.
void setHints(QPainter& painter);
// A rectangle with an optional fill and an optional one-pixel border, as flat controls are.
void box(QPainter& painter, const QRectF& rect, const QColor& fill, bool border);
// The outline of an ellipse (a circle in a square), in the one-pixel border line of `box`.
void ellipse(QPainter& painter, const QRectF& rect);
// A text or a picture, outlined with `border` (its own, or what the screen shows instead).
void text(QPainter& painter, const TextElement& element, BorderStyle border);
void picture(QPainter& painter, const ImageSlot& slot, BorderStyle border);
void rotatedText(QPainter& painter, const RotatedTextRun& run);
// Where a slot's picture is painted: its rectangle, or its natural size from its corner.
QRectF pictureRect(const ImageSlot& slot);
// Before pictures go on paper (a PDF, a print job): each raster picture of `slots` gets the one
// copy every slot showing it takes, at the painter's resolution for the largest of its places,
// so that the output holds it once.
void preparePrinted(const QPainter& painter, const std::vector<const ImageSlot*>& slots);

} // namespace ElementPainter
