#pragma once

#include <QColor>

struct ImageSlot;
class QPainter;
class QRectF;
class TextElement;
struct RotatedTextRun;

// The painters of the elements every document is made of, in a painter whose unit is the
// twip: the cover's sheets and the CD label paint their texts and pictures with them.
namespace ElementPainter {

// A rectangle with an optional fill and an optional one-pixel border, as flat controls are.
void box(QPainter& painter, const QRectF& rect, const QColor& fill, bool border);
void text(QPainter& painter, const TextElement& element);
void picture(QPainter& painter, const ImageSlot& slot);
void rotatedText(QPainter& painter, const RotatedTextRun& run);

} // namespace ElementPainter
