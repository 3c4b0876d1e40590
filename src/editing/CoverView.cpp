// SPDX-License-Identifier: GPL-3.0-or-later
#include "CoverView.h"

#include "CoverContext.h"
#include "JewelCaseDocument.h"
#include "SheetRenderer.h"
#include "SheetWidget.h"
#include "Twips.h"

#include <QLabel>

namespace {
constexpr OleColor captionColour = 0x00C00000; // dark blue
constexpr int captionPointSize = 18;
} // namespace

CoverView::CoverView(CoverContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    for (int i = 0; i < JewelCaseDocument::sheetCount; ++i) {
        const auto index = std::size_t(i);
        SheetWidget::Drawing drawing{
            [&context, index] { return context.document.sheets[index].size; },
            [&context, i, index](QPaintDevice& device) {
                SheetRenderer::render(device, context.document, i, &context.screen.overlays[index]);
            }};
        sheets_[index] = new SheetWidget(context.selection, i, std::move(drawing), this);
    }
    QFont captionFont(QStringLiteral("MS Sans Serif"));
    captionFont.setPointSize(captionPointSize);
    QPalette captionPalette = palette();
    captionPalette.setColor(QPalette::WindowText, OleColors::toQColor(captionColour));
    for (int face = 0; face < Face::count; ++face) {
        auto* label = new QLabel(Face::caption(face), this);
        label->setFont(captionFont);
        label->setPalette(captionPalette);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        captions_[std::size_t(face)] = label;
    }
}

SheetWidget* CoverView::sheet(int index) const
{
    return index >= 0 && index < int(sheets_.size()) ? sheets_[std::size_t(index)] : nullptr;
}

int CoverView::faceAt(const QPoint& position) const
{
    for (SheetWidget* sheet : sheets_) {
        const QPoint onSheet = sheet->mapFromParent(position);
        if (sheet->isVisible() && sheet->rect().contains(onSheet))
            return context_.surface.areaAt(sheet->sheetIndex(), sheet->toTwips(onSheet));
    }
    return -1;
}

void CoverView::refresh()
{
    for (SheetWidget* sheet : sheets_) {
        const int index = sheet->sheetIndex();
        sheet->placeAt(CoverScreen::sheetPlace(index));
        const bool shown = context_.screen.sheetShown[std::size_t(index)];
        sheet->setVisible(shown);
        sheet->setEnabled(shown);
        sheet->update();
    }
    const QTransform toPixels = Twips::toDevice(*this);
    for (int face = 0; face < Face::count; ++face) {
        QLabel* label = captions_[std::size_t(face)];
        label->setGeometry(
            toPixels.mapRect(CoverScreen::captionRect(context_.document, face)).toRect());
        label->setVisible(context_.screen.captionShown[std::size_t(face)]);
    }
}
