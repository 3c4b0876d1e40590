// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

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

} // namespace ElementPainter
