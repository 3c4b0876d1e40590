#include "CoverView.h"

#include "JewelCaseDocument.h"
#include "SheetWidget.h"
#include "Twips.h"

#include <QLabel>
#include <cmath>

CoverView::CoverView(JewelCaseDocument& document, CoverSelection& selection, QWidget* parent)
    : QWidget(parent), document_(document)
{
    for (int i = 0; i < 2; ++i)
        sheets_[std::size_t(i)] = new SheetWidget(document, selection, i, this);
    QFont captionFont(QStringLiteral("MS Sans Serif"));
    captionFont.setPointSize(18);
    QPalette captionPalette = palette();
    captionPalette.setColor(QPalette::WindowText, OleColors::toQColor(0x00C00000));
    for (int face = 0; face < JewelCaseDocument::faceCount; ++face) {
        auto* label = new QLabel(document.faces[std::size_t(face)].caption, this);
        label->setFont(captionFont);
        label->setPalette(captionPalette);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        captions_[std::size_t(face)] = label;
    }
}

double CoverView::pixelsPerTwip() const
{
    return logicalDpiX() / Twips::perInch;
}

void CoverView::refresh()
{
    for (SheetWidget* sheet : sheets_) {
        sheet->updateGeometryFromDocument();
        sheet->update();
    }
    const double scale = pixelsPerTwip();
    for (int face = 0; face < JewelCaseDocument::faceCount; ++face) {
        const Face& model = document_.faces[std::size_t(face)];
        const QRectF rect = model.captionRect;
        QLabel* label = captions_[std::size_t(face)];
        label->setGeometry(
            int(std::lround(rect.left() * scale)), int(std::lround(rect.top() * scale)),
            int(std::lround(rect.width() * scale)), int(std::lround(rect.height() * scale)));
        label->setVisible(model.captionVisible);
    }
}
