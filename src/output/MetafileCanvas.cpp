// SPDX-License-Identifier: GPL-3.0-or-later
#include "MetafileCanvas.h"

#include "TextEncoding.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtEndian>
#include <QtMath>
#include <cmath>
#include <optional>

// libwmf's headers come last: they define short macros (U16, S32, OPAQUE…).
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>

namespace {

// The map modes whose scale comes from the signed extents of the window and the viewport.
constexpr U16 isotropicMapMode = 7;
constexpr U16 anisotropicMapMode = 8;
// EXTTEXTOUT's option: the text's rectangle is filled with the background colour.
constexpr U16 textOpaque = 0x0002;
// Fonts are measured and outlined at this size, then scaled to the metafile's.
constexpr int referencePixels = 256;
// The pixels of all the bitmaps of one metafile: more than any output shows (the widest face
// at 1200 dpi is some 6544 pixels square).
constexpr qint64 largestBitmapPixels = 64LL * 1024 * 1024;

QColor colourOf(const wmfRGB& rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

QRectF rectOf(const wmfD_Coord& topLeft, const wmfD_Coord& bottomRight)
{
    return QRectF(QPointF(topLeft.x, topLeft.y), QPointF(bottomRight.x, bottomRight.y))
        .normalized();
}

// What becomes of a colour under GDI's binary raster operations: their own colour for some,
// nothing for those that keep or invert what lies under the figure, which a drawing made for
// every device cannot do (the figure is then left out).
std::optional<QColor> underRasterOperation(U16 operation, const QColor& colour)
{
    switch (operation) {
    case R2_BLACK:
        return QColor(Qt::black);
    case R2_WHITE:
        return QColor(Qt::white);
    case R2_NOTCOPYPEN:
        return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
    case R2_NOP:
    case R2_NOT:
        return std::nullopt;
    default:
        return colour;
    }
}

QPen penOf(const wmfDC* dc, const QColor& colour)
{
    const wmfPen* pen = dc->pen;
    const U16 style = WMF_PEN_STYLE(pen);
    if (style == PS_NULL)
        return Qt::NoPen;
    QPen result(colour);
    // libwmf widens a pen of no width to one unit: one unit or less is GDI's pen of one
    // device pixel, on every device.
    const double unit = std::abs(dc->pixel_width);
    result.setWidthF(WMF_PEN_WIDTH(pen) > unit * 1.001 ? WMF_PEN_WIDTH(pen) : 0);
    switch (style) {
    case PS_DASH:
        result.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
    case PS_ALTERNATE:
        result.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        result.setStyle(Qt::DashDotLine);
        break;
    case PS_DASHDOTDOT:
        result.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    switch (WMF_PEN_ENDCAP(pen)) {
    case PS_ENDCAP_SQUARE:
        result.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        result.setCapStyle(Qt::FlatCap);
        break;
    default:
        result.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (WMF_PEN_JOIN(pen)) {
    case PS_JOIN_BEVEL:
        result.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        result.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        result.setJoinStyle(Qt::RoundJoin);
        break;
    }
    return result;
}

// GDI's hatches are drawn in device pixels, as Qt's patterns are.
Qt::BrushStyle hatchOf(U16 hatch)
{
    switch (hatch) {
    case HS_HORIZONTAL:
        return Qt::HorPattern;
    case HS_VERTICAL:
        return Qt::VerPattern;
    case HS_FDIAGONAL:
        return Qt::FDiagPattern;
    case HS_BDIAGONAL:
        return Qt::BDiagPattern;
    case HS_CROSS:
        return Qt::CrossPattern;
    case HS_DIAGCROSS:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

QBrush brushOf(const wmfDC* dc, const QColor& colour)
{
    const wmfBrush* brush = dc->brush;
    switch (WMF_BRUSH_STYLE(brush)) {
    case BS_NULL:
        return Qt::NoBrush;
    case BS_HATCHED:
        return QBrush(colour, hatchOf(WMF_BRUSH_HATCH(brush)));
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        if (const auto* pattern = static_cast<const QImage*>(brush->bmp.data))
            return QBrush(*pattern);
        return QBrush(colour);
    default:
        return QBrush(colour);
    }
}

Qt::FillRule fillRuleOf(const wmfDC* dc)
{
    return WMF_DC_POLYFILL(dc) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

// An arc's end, given from the centre of its ellipse, as an angle in Qt's degrees.
double angleOf(const wmfD_Coord& end, double radiusX, double radiusY)
{
    return qRadiansToDegrees(std::atan2(-end.y / radiusY, end.x / radiusX));
}

double ratioOf(const wmfFont* font)
{
    return WMF_FONT_HEIGHT(font) ? double(WMF_FONT_WIDTH(font)) / WMF_FONT_HEIGHT(font) : 1.0;
}

QFont fontOf(const wmfFont* font)
{
    QFont result;
    if (WMF_FONT_NAME(font) && *WMF_FONT_NAME(font))
        result.setFamily(TextEncoding::fromWindows1252(QByteArray(WMF_FONT_NAME(font))));
    result.setPixelSize(referencePixels);
    const int weight = WMF_FONT_WEIGHT(font) ? WMF_FONT_WEIGHT(font) : int(QFont::Normal);
    result.setWeight(QFont::Weight(qBound(1, weight, 1000)));
    result.setItalic(WMF_FONT_ITALIC(font));
    result.setUnderline(WMF_TEXT_UNDERLINE(font));
    result.setStrikeOut(WMF_TEXT_STRIKEOUT(font));
    result.setHintingPreference(QFont::PreferNoHinting);
    result.setKerning(false);
    return result;
}

// How much wider than the font's own a font draws with a width of its own (lfWidth, an
// average character width). libwmf gives a font without one its height as width.
double widthScaleOf(const wmfFont* font)
{
    const double ratio = ratioOf(font);
    if (ratio <= 0 || std::abs(ratio - 1) < 1e-9)
        return 1;
    const double average = QFontMetricsF(fontOf(font)).averageCharWidth() / referencePixels;
    return average > 0 ? ratio / average : 1;
}

// A DIB as the player gives it (a header, its colours, its pixels), read by Qt's BMP reader
// once given the file header a DIB goes without. Nothing for a header that is no DIB's or
// for more pixels than `pixelsLeft`.
std::optional<QImage> decodeDib(const uchar* dib, qint64 length, qint64 pixelsLeft)
{
    if (!dib || length < 12)
        return std::nullopt;
    const quint32 headerSize = qFromLittleEndian<quint32>(dib);
    qint64 width = 0;
    qint64 height = 0;
    int planes = 0;
    int bits = 0;
    quint32 compression = 0;
    qint64 colours = 0;
    qint64 colourSize = 4;
    if (headerSize == 12) {
        width = qFromLittleEndian<quint16>(dib + 4);
        height = qFromLittleEndian<quint16>(dib + 6);
        planes = qFromLittleEndian<quint16>(dib + 8);
        bits = qFromLittleEndian<quint16>(dib + 10);
        colourSize = 3;
    } else if ((headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
                headerSize == 124) &&
               length >= headerSize) {
        width = qFromLittleEndian<qint32>(dib + 4);
        height = std::abs(qint64(qFromLittleEndian<qint32>(dib + 8)));
        planes = qFromLittleEndian<quint16>(dib + 12);
        bits = qFromLittleEndian<quint16>(dib + 14);
        compression = qFromLittleEndian<quint32>(dib + 16);
        colours = qFromLittleEndian<quint32>(dib + 32);
    } else {
        return std::nullopt;
    }
    const bool knownDepth =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    // Uncompressed, run-length (RLE8, RLE4) and bit fields; the player keeps sizes in 16 bits.
    if (planes != 1 || !knownDepth || compression > 3 || width <= 0 || height <= 0 ||
        width > 0xFFFF || height > 0xFFFF || width * height > pixelsLeft)
        return std::nullopt;
    if (colours == 0 && bits <= 8)
        colours = qint64(1) << bits;
    const qint64 masks = compression == 3 && headerSize == 40 ? 12 : 0;
    const qint64 pixelsAt = headerSize + colours * colourSize + masks;
    if (colours > 0x10000 || pixelsAt > length)
        return std::nullopt;

    constexpr int fileHeaderSize = 14;
    QByteArray file(fileHeaderSize, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(fileHeaderSize + length), file.data() + 2);
    qToLittleEndian<quint32>(quint32(fileHeaderSize + pixelsAt), file.data() + 10);
    file.append(reinterpret_cast<const char*>(dib), length);
    QBuffer buffer(&file);
    QImageReader reader(&buffer, "bmp");
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return image;
}

// What a drawing can do of the raster operations bitmaps are drawn with: a mask drawn with
// SRCAND leaves what lies under its white, a picture drawn with SRCPAINT what lies under its
// black (together they draw a picture with see-through parts); any other is a copy.
QImage underRasterOperation(const QImage& image, U32 operation)
{
    if (operation != SRCAND && operation != SRCPAINT)
        return image;
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb seeThrough = operation == SRCAND ? 0xFFFFFF : 0x000000;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if ((line[x] & 0xFFFFFF) == seeThrough)
                line[x] = 0;
    }
    return result;
}

} // namespace

struct MetafileCanvas::Callbacks {
    static MetafileCanvas& of(wmfAPI* api)
    {
        return *static_cast<MetafileCanvas*>(api->device_data);
    }

    // From the player's device points to the frame, through the window of `dc`: the device
    // point is (logical − window origin) × the unit of the map mode. Nothing for an empty
    // window.
    static std::optional<QTransform> toFrame(const MetafileCanvas& canvas, const wmfDC* dc)
    {
        const bool originSet = canvas.readPosition_ > canvas.windowRecords_.origin;
        const bool extentSet = canvas.readPosition_ > canvas.windowRecords_.extent;
        const double originX = originSet ? dc->Window.Ox : canvas.bounds_.left();
        const double originY = originSet ? dc->Window.Oy : canvas.bounds_.top();
        const double extentX = extentSet ? dc->Window.width : canvas.bounds_.width();
        const double extentY = extentSet ? dc->Window.height : canvas.bounds_.height();
        double unitX = dc->pixel_width;
        double unitY = dc->pixel_height;
        if (dc->map_mode != isotropicMapMode && dc->map_mode != anisotropicMapMode) {
            if (dc->Window.width < 0)
                unitX = -unitX;
            if (dc->Window.height < 0)
                unitY = -unitY;
        }
        const double scaleX = canvas.frame_.width() / (unitX * extentX);
        const double scaleY = canvas.frame_.height() / (unitY * extentY);
        const double shiftX = (dc->Window.Ox - originX) / extentX * canvas.frame_.width();
        const double shiftY = (dc->Window.Oy - originY) / extentY * canvas.frame_.height();
        if (!std::isfinite(scaleX) || !std::isfinite(scaleY) || !std::isfinite(shiftX) ||
            !std::isfinite(shiftY) || scaleX == 0 || scaleY == 0)
            return std::nullopt;
        return QTransform(scaleX, 0, 0, scaleY, shiftX, shiftY);
    }

    // The painter set for a figure of `dc`: its pen when `stroked`, its brush when `filled`.
    // False when the figure is not drawn (an empty window, an operation that draws nothing).
    static bool begin(MetafileCanvas& canvas, const wmfDC* dc, bool filled, bool stroked = true)
    {
        const std::optional<QTransform> transform = toFrame(canvas, dc);
        const U16 operation = WMF_DC_ROP(dc);
        const std::optional<QColor> line =
            underRasterOperation(operation, colourOf(*WMF_PEN_COLOR(dc->pen)));
        const std::optional<QColor> fill =
            underRasterOperation(operation, colourOf(*WMF_BRUSH_COLOR(dc->brush)));
        if (!transform || !line || !fill)
            return false;
        QPainter& painter = canvas.painter_;
        painter.setTransform(*transform);
        painter.setPen(stroked ? penOf(dc, *line) : QPen(Qt::NoPen));
        painter.setBrush(filled ? brushOf(dc, *fill) : QBrush(Qt::NoBrush));
        // A hatch's gaps (and a dashed line's) take the background colour when it is opaque.
        painter.setBackgroundMode(WMF_DC_OPAQUE(dc) ? Qt::OpaqueMode : Qt::TransparentMode);
        painter.setBackground(colourOf(*WMF_DC_BACKGROUND(dc)));
        return true;
    }

    // A figure drawn with PS_INSIDEFRAME keeps its pen inside its rectangle.
    static QRectF inside(const MetafileCanvas& canvas, const wmfDC* dc, const QRectF& rect)
    {
        if (WMF_PEN_STYLE(dc->pen) != PS_INSIDEFRAME)
            return rect;
        const double half = canvas.painter_.pen().widthF() / 2;
        return rect.adjusted(half, half, -half, -half);
    }

    static void pixel(wmfAPI* api, wmfDrawPixel_t* pixel)
    {
        MetafileCanvas& canvas = of(api);
        const std::optional<QTransform> transform = toFrame(canvas, pixel->dc);
        if (!transform)
            return;
        canvas.painter_.setTransform(*transform);
        canvas.painter_.fillRect(QRectF(QPointF(pixel->pt.x, pixel->pt.y),
                                        QSizeF(pixel->pixel_width, pixel->pixel_height)),
                                 colourOf(pixel->color));
    }

    enum class Curve { Arc, Chord, Pie };

    static void curve(wmfAPI* api, wmfDrawArc_t* arc, Curve kind)
    {
        MetafileCanvas& canvas = of(api);
        if (!begin(canvas, arc->dc, kind != Curve::Arc))
            return;
        const QRectF box = inside(canvas, arc->dc, rectOf(arc->TL, arc->BR));
        const QRectF ellipse = rectOf(arc->TL, arc->BR);
        if (box.isEmpty() || ellipse.isEmpty())
            return;
        // GDI draws arcs counter-clockwise from the record's start to its end, which the
        // player hands over as `end` and `start`.
        const double start = angleOf(arc->end, ellipse.width() / 2, ellipse.height() / 2);
        double sweep = angleOf(arc->start, ellipse.width() / 2, ellipse.height() / 2) - start;
        if (sweep <= 0)
            sweep += 360;
        QPainterPath path;
        if (kind == Curve::Pie)
            path.moveTo(box.center());
        else
            path.arcMoveTo(box, start);
        path.arcTo(box, start, sweep);
        if (kind != Curve::Arc)
            path.closeSubpath();
        canvas.painter_.drawPath(path);
    }
    static void pie(wmfAPI* api, wmfDrawArc_t* arc) { curve(api, arc, Curve::Pie); }
    static void chord(wmfAPI* api, wmfDrawArc_t* arc) { curve(api, arc, Curve::Chord); }
    static void arc(wmfAPI* api, wmfDrawArc_t* arc) { curve(api, arc, Curve::Arc); }

    static void ellipse(wmfAPI* api, wmfDrawArc_t* arc)
    {
        MetafileCanvas& canvas = of(api);
        if (begin(canvas, arc->dc, true))
            canvas.painter_.drawEllipse(inside(canvas, arc->dc, rectOf(arc->TL, arc->BR)));
    }

    static void line(wmfAPI* api, wmfDrawLine_t* line)
    {
        MetafileCanvas& canvas = of(api);
        if (begin(canvas, line->dc, false))
            canvas.painter_.drawLine(QPointF(line->from.x, line->from.y),
                                     QPointF(line->to.x, line->to.y));
    }

    static QPolygonF polygonOf(const wmfD_Coord* points, int count)
    {
        QPolygonF polygon;
        polygon.reserve(count);
        for (int i = 0; points && i < count; ++i)
            polygon.append(QPointF(points[i].x, points[i].y));
        return polygon;
    }

    static void polyline(wmfAPI* api, wmfPolyLine_t* line)
    {
        MetafileCanvas& canvas = of(api);
        if (begin(canvas, line->dc, false))
            canvas.painter_.drawPolyline(polygonOf(line->pt, line->count));
    }

    static void polygon(wmfAPI* api, wmfPolyLine_t* line)
    {
        MetafileCanvas& canvas = of(api);
        if (begin(canvas, line->dc, true))
            canvas.painter_.drawPolygon(polygonOf(line->pt, line->count), fillRuleOf(line->dc));
    }

    static void polypolygon(wmfAPI* api, wmfPolyPoly_t* polygons)
    {
        MetafileCanvas& canvas = of(api);
        if (!begin(canvas, polygons->dc, true) || !polygons->pt || !polygons->count)
            return;
        QPainterPath path;
        path.setFillRule(fillRuleOf(polygons->dc));
        for (int i = 0; i < polygons->npoly; ++i) {
            path.addPolygon(polygonOf(polygons->pt[i], polygons->count[i]));
            path.closeSubpath();
        }
        canvas.painter_.drawPath(path);
    }

    static void rectangle(wmfAPI* api, wmfDrawRectangle_t* rect)
    {
        MetafileCanvas& canvas = of(api);
        if (!begin(canvas, rect->dc, true))
            return;
        const QRectF box = inside(canvas, rect->dc, rectOf(rect->TL, rect->BR));
        // A rounded rectangle gives the width and height of its corners' ellipse.
        if (rect->width > 0 || rect->height > 0)
            canvas.painter_.drawRoundedRect(box, rect->width / 2, rect->height / 2);
        else
            canvas.painter_.drawRect(box);
    }

    // A rectangle filled by a raster operation without a bitmap (PATBLT).
    static void filledRectangle(wmfAPI* api, wmfROP_Draw_t* fill)
    {
        MetafileCanvas& canvas = of(api);
        const QRectF box = rectOf(fill->TL, fill->BR);
        switch (fill->ROP) {
        case BLACKNESS:
        case WHITENESS:
            if (const std::optional<QTransform> transform = toFrame(canvas, fill->dc)) {
                canvas.painter_.setTransform(*transform);
                canvas.painter_.fillRect(box, fill->ROP == BLACKNESS ? Qt::black : Qt::white);
            }
            break;
        case DSTINVERT:
        case PATINVERT:
            break;
        default:
            if (begin(canvas, fill->dc, true, false))
                canvas.painter_.drawRect(box);
            break;
        }
    }

    static void readBitmap(wmfAPI* api, wmfBMP_Read_t* read)
    {
        MetafileCanvas& canvas = of(api);
        read->bmp.data = nullptr;
        std::optional<QImage> image =
            decodeDib(read->buffer, read->length, largestBitmapPixels - canvas.bitmapPixels_);
        if (!image)
            return;
        canvas.bitmapPixels_ += qint64(image->width()) * image->height();
        canvas.bitmaps_.push_back(std::make_unique<QImage>(std::move(*image)));
        read->bmp.width = static_cast<U16>(canvas.bitmaps_.back()->width());
        read->bmp.height = static_cast<U16>(canvas.bitmaps_.back()->height());
        read->bmp.data = canvas.bitmaps_.back().get();
    }

    static void freeBitmap(wmfAPI* api, wmfBMP* bitmap)
    {
        MetafileCanvas& canvas = of(api);
        std::erase_if(canvas.bitmaps_, [bitmap](const std::unique_ptr<QImage>& image) {
            return image.get() == bitmap->data;
        });
        bitmap->data = nullptr;
    }

    static void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* draw)
    {
        MetafileCanvas& canvas = of(api);
        const auto* image = static_cast<const QImage*>(draw->bmp.data);
        const std::optional<QTransform> transform = toFrame(canvas, draw->dc);
        if (!image || !transform)
            return;
        // The player crops from the DIB's bottom row, as DIBs are stored.
        const QRect source(draw->crop.x, image->height() - draw->crop.y - draw->crop.h,
                           draw->crop.w, draw->crop.h);
        const QRectF target(draw->pt.x, draw->pt.y, draw->crop.w * draw->pixel_width,
                            draw->crop.h * draw->pixel_height);
        canvas.painter_.setTransform(*transform);
        canvas.painter_.drawImage(target, underRasterOperation(image->copy(source), draw->type));
    }

    static void text(wmfAPI* api, wmfDrawText_t* draw)
    {
        MetafileCanvas& canvas = of(api);
        const wmfDC* dc = draw->dc;
        const wmfFont* font = WMF_DC_FONT(dc);
        const std::optional<QTransform> transform = toFrame(canvas, dc);
        if (!transform || !font || !draw->str || !(draw->font_height > 0))
            return;
        QPainter& painter = canvas.painter_;
        painter.setTransform(*transform);
        const QColor background = colourOf(*WMF_DC_BACKGROUND(dc));
        if (draw->flags & textOpaque)
            painter.fillRect(rectOf(draw->TL, draw->BR), background);

        const QFont shape = fontOf(font);
        const QFontMetricsF metrics(shape);
        const QString string = TextEncoding::fromWindows1252(QByteArray(draw->str));
        // The player puts the baseline a font's height below a top reference point and on a
        // bottom one: the font's own ascent and descent instead, as GDI does.
        double baseline = 0;
        const U16 alignment = WMF_DC_TEXTALIGN(dc);
        if ((alignment & TA_BASELINE) != TA_BASELINE)
            baseline =
                alignment & TA_BOTTOM ? -metrics.descent() : metrics.ascent() - referencePixels;
        const double scale = draw->font_height / referencePixels;
        // The player narrows the characters it places one by one (EXTTEXTOUT's widths).
        const double narrowing = draw->font_ratio / ratioOf(font);
        QTransform placing;
        placing.translate(draw->pt.x, draw->pt.y);
        placing.rotate(-WMF_FONT_ESCAPEMENT(font) / 10.0);
        placing.scale(scale * widthScaleOf(font) * (std::isfinite(narrowing) ? narrowing : 1),
                      scale);
        placing.translate(0, baseline);
        if (WMF_DC_OPAQUE(dc)) {
            QPainterPath cell;
            cell.addRect(QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(string),
                                metrics.ascent() + metrics.descent()));
            painter.fillPath(placing.map(cell), background);
        }
        // Text as outlines: every device draws the same glyphs, and a PDF keeps them as paths.
        QPainterPath glyphs;
        glyphs.addText(0, 0, shape, string);
        painter.fillPath(placing.map(glyphs), colourOf(*WMF_DC_TEXTCOLOR(dc)));
    }

    static QPainterPath pathOf(const wmfPolyRectangle_t* rects)
    {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (unsigned int i = 0; rects->TL && rects->BR && i < rects->count; ++i)
            path.addRect(rectOf(rects->TL[i], rects->BR[i]));
        return path;
    }

    static void paintRegion(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        MetafileCanvas& canvas = of(api);
        if (begin(canvas, rects->dc, true, false))
            canvas.painter_.drawPath(pathOf(rects));
    }

    static void frameRegion(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        MetafileCanvas& canvas = of(api);
        if (!begin(canvas, rects->dc, true, false) || !rects->TL || !rects->BR)
            return;
        for (unsigned int i = 0; i < rects->count; ++i) {
            const QRectF outer = rectOf(rects->TL[i], rects->BR[i]);
            QPainterPath frame;
            frame.setFillRule(Qt::OddEvenFill);
            frame.addRect(outer);
            frame.addRect(
                outer.adjusted(rects->width, rects->height, -rects->width, -rects->height));
            canvas.painter_.drawPath(frame);
        }
    }

    // The clip region of the metafile, within the one the drawing is played in.
    static void clip(wmfAPI* api, wmfPolyRectangle_t* rects)
    {
        MetafileCanvas& canvas = of(api);
        if (canvas.clipped_) {
            canvas.painter_.restore();
            canvas.clipped_ = false;
        }
        const std::optional<QTransform> transform = toFrame(canvas, rects->dc);
        if (rects->count == 0 || !transform)
            return;
        canvas.painter_.save();
        canvas.clipped_ = true;
        canvas.painter_.setTransform(*transform);
        canvas.painter_.setClipPath(pathOf(rects), Qt::IntersectClip);
    }

    // Fonts need no mapping: Qt finds the face, or one like it, when drawing.
    static void mapFont(wmfAPI*, wmfFont* font) { font->user_data = nullptr; }

    // The width of `text` in a font one unit high, as the player places text with it.
    static float stringWidth(wmfAPI*, wmfFont* font, char* text)
    {
        if (!font || !text)
            return 0;
        const double advance =
            QFontMetricsF(fontOf(font))
                .horizontalAdvance(TextEncoding::fromWindows1252(QByteArray(text))) /
            referencePixels;
        const double width = advance * widthScaleOf(font) / ratioOf(font);
        return std::isfinite(width) ? float(width) : 0.0f;
    }
};

MetafileCanvas::MetafileCanvas(QPainter& painter, const QRectF& bounds, const QSizeF& frame,
                               WindowRecords windowRecords, const qint64& readPosition)
    : painter_(painter), bounds_(bounds), frame_(frame), windowRecords_(windowRecords),
      readPosition_(readPosition)
{
}

MetafileCanvas::~MetafileCanvas()
{
    finish();
}

bool MetafileCanvas::attach(_wmfAPI* api)
{
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
    if (!functions || !fonts)
        return false;
    fonts->map = &Callbacks::mapFont;
    fonts->stringwidth = &Callbacks::stringWidth;
    fonts->user_data = nullptr;
    api->font_data = fonts;
    api->device_data = this;

    functions->draw_pixel = &Callbacks::pixel;
    functions->draw_pie = &Callbacks::pie;
    functions->draw_chord = &Callbacks::chord;
    functions->draw_arc = &Callbacks::arc;
    functions->draw_ellipse = &Callbacks::ellipse;
    functions->draw_line = &Callbacks::line;
    functions->poly_line = &Callbacks::polyline;
    functions->draw_polygon = &Callbacks::polygon;
    functions->draw_polypolygon = &Callbacks::polypolygon;
    functions->draw_rectangle = &Callbacks::rectangle;
    functions->rop_draw = &Callbacks::filledRectangle;
    functions->bmp_draw = &Callbacks::drawBitmap;
    functions->bmp_read = &Callbacks::readBitmap;
    functions->bmp_free = &Callbacks::freeBitmap;
    functions->draw_text = &Callbacks::text;
    functions->region_frame = &Callbacks::frameRegion;
    functions->region_paint = &Callbacks::paintRegion;
    functions->region_clip = &Callbacks::clip;
    return true;
}

void MetafileCanvas::finish()
{
    if (clipped_) {
        painter_.restore();
        clipped_ = false;
    }
}
