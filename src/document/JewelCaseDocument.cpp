#include "JewelCaseDocument.h"

namespace {

constexpr float spineWidth = 340;
constexpr float sheetTop = 120; // below the toolbar, in the window's sheet area
constexpr float rectoSheetLeft = 120;
constexpr float captionGap = 30; // between a sheet and the captions under its faces
constexpr float captionHeight = 465;
constexpr float barWidth = 75;
constexpr float barInset = 600; // start-up position of each bar from its face's left edge

void placeTemplate(Face& face, float left, float top)
{
    TextElement& element = face.texts[0];
    element.index = 0;
    element.left = left;
    element.top = top;
    element.visible = false;
}

} // namespace

JewelCaseDocument::JewelCaseDocument()
{
    faces[Face::Verso].caption = QStringLiteral("VERSO (Face intérieure)");
    faces[Face::Recto].caption = QStringLiteral("RECTO (Face avant)");
    faces[Face::Dos].caption = QStringLiteral("DOS (Face arrière)");
    faces[Face::Verso].sheet = 0;
    faces[Face::Recto].sheet = 0;
    faces[Face::Dos].sheet = 1;
    placeTemplate(faces[Face::Verso], 9240, 120);
    placeTemplate(faces[Face::Recto], 2520, 240);
    placeTemplate(faces[Face::Dos], 1785, 600);

    verticalText.setAutoSize(false);
    verticalText.setCaption(QStringLiteral("Texte vertical"));
    TextFont spineFont;
    spineFont.size = 14.25f;
    verticalText.setFont(spineFont);
    verticalText.setRect(QRectF(300, 3075, 1500, 315));
    verticalText.setAutoSize(true);
    verticalText.visible = false;

    sheets[0].geometry = QRectF(rectoSheetLeft, sheetTop, 0, 0);
    sheets[1].geometry = QRectF(0, sheetTop, 0, 0);
    spines[0].rect = QRectF(0, 0, spineWidth, 0);
    spines[1].rect = QRectF(0, 0, spineWidth, 0);
}

void JewelCaseDocument::layOut(float toolbarHeight)
{
    faceSizes = {6803.15f, 6803.15f, 7851.97f, 6689.76f};
    const float dosOffset = float(spines[0].rect.width());

    // The Dos first, then the Verso, each from its pair of sizes.
    for (int k : {2, 0}) {
        const float offset = k == 2 ? dosOffset : rectoSheetOffset;
        const float left = (k == 2 ? 0.0f : faceSizes[0]) + offset;
        Face& face = faces[k];
        face.background.rect = QRectF(left, toolbarHeight, faceSizes[k], faceSizes[k + 1]);
        face.frame = QRectF(left, 0, faceSizes[k], faceSizes[k + 1]);
        face.logo.rect.moveTo(left, toolbarHeight + 15);
        Sheet& sheet = sheets[k / 2];
        const float sheetWidth =
            k == 2 ? 2 * offset + faceSizes[2] + 90 : 2 * faceSizes[0] + offset + 120;
        sheet.geometry.setSize(QSizeF(sheetWidth, faceSizes[k + 1] + 60));
    }

    spines[0].rect = QRectF(0, 0, spines[0].rect.width(), faceSizes[3]);
    spines[1].rect = QRectF(spines[0].rect.width() + faceSizes[2], 0, spineWidth, faceSizes[3]);

    Face& recto = faces[Face::Recto];
    recto.background.rect = QRectF(15, toolbarHeight, faceSizes[0], faceSizes[1]);
    recto.frame = QRectF(0, 0, faceSizes[0], faceSizes[1]);

    for (Face& face : faces) {
        const QRectF& sheet = sheets[face.sheet].geometry;
        face.captionRect = QRectF(face.frame.left() + sheet.left(), sheet.bottom() + captionGap,
                                  face.frame.width(), captionHeight);
        face.logo.stretch = true;
        face.background.stretch = true;
    }

    recto.logo.rect = QRectF(15, 15, faceSizes[0], faceSizes[1]);

    sheets[0].bar = QRectF(recto.frame.left() + barInset, 0, barWidth, recto.frame.height());
    sheets[1].bar = QRectF(dos().frame.left() + barInset, 0, barWidth, dos().frame.height());
    faces[Face::Verso].logo.rect.setSize(QSizeF(2855, 2855));
    faces[Face::Dos].logo.rect.setSize(QSizeF(2855, 2855));
}

TextElement* JewelCaseDocument::text(const ElementRef& ref)
{
    if (ref.kind != ElementRef::Kind::Text || ref.face < 0 || ref.face >= faceCount)
        return nullptr;
    return faces[ref.face].text(ref.index);
}

const TextElement* JewelCaseDocument::text(const ElementRef& ref) const
{
    return const_cast<JewelCaseDocument*>(this)->text(ref);
}

bool JewelCaseDocument::exists(const ElementRef& ref) const
{
    switch (ref.kind) {
    case ElementRef::Kind::Text:
        return text(ref) != nullptr;
    case ElementRef::Kind::Spine:
    case ElementRef::Kind::Bar:
        return ref.index == 0 || ref.index == 1;
    case ElementRef::Kind::Logo:
        return ref.face >= 0 && ref.face < faceCount;
    case ElementRef::Kind::None:
        break;
    }
    return false;
}

int JewelCaseDocument::sheetOf(const ElementRef& ref) const
{
    switch (ref.kind) {
    case ElementRef::Kind::Text:
    case ElementRef::Kind::Logo:
        return sheetOfFace(ref.face);
    case ElementRef::Kind::Spine:
        return 1;
    case ElementRef::Kind::Bar:
        return ref.index;
    case ElementRef::Kind::None:
        break;
    }
    return -1;
}

QRectF JewelCaseDocument::rectOf(const ElementRef& ref) const
{
    if (!exists(ref))
        return {};
    switch (ref.kind) {
    case ElementRef::Kind::Text:
        return text(ref)->rect();
    case ElementRef::Kind::Spine:
        return spines[ref.index].rect;
    case ElementRef::Kind::Bar:
        return sheets[ref.index].bar;
    case ElementRef::Kind::Logo:
        return faces[ref.face].logo.rect;
    case ElementRef::Kind::None:
        break;
    }
    return {};
}

void JewelCaseDocument::setRectOf(const ElementRef& ref, const QRectF& rect)
{
    if (!exists(ref))
        return;
    switch (ref.kind) {
    case ElementRef::Kind::Text:
        text(ref)->setRect(rect);
        break;
    case ElementRef::Kind::Spine:
        spines[ref.index].rect = rect;
        break;
    case ElementRef::Kind::Bar:
        sheets[ref.index].bar = rect;
        break;
    case ElementRef::Kind::Logo:
        faces[ref.face].logo.rect = rect;
        break;
    case ElementRef::Kind::None:
        break;
    }
}

int JewelCaseDocument::borderStyleOf(const ElementRef& ref) const
{
    if (!exists(ref))
        return 0;
    switch (ref.kind) {
    case ElementRef::Kind::Text:
        return text(ref)->borderStyle;
    case ElementRef::Kind::Spine:
        return spines[ref.index].borderStyle;
    case ElementRef::Kind::Bar:
        return 1;
    case ElementRef::Kind::Logo:
        return faces[ref.face].logo.borderStyle;
    case ElementRef::Kind::None:
        break;
    }
    return 0;
}

void JewelCaseDocument::setBorderStyleOf(const ElementRef& ref, int style)
{
    if (!exists(ref))
        return;
    switch (ref.kind) {
    case ElementRef::Kind::Text:
        text(ref)->borderStyle = style;
        break;
    case ElementRef::Kind::Spine:
        spines[ref.index].borderStyle = style;
        break;
    case ElementRef::Kind::Logo:
        faces[ref.face].logo.borderStyle = style;
        break;
    case ElementRef::Kind::Bar:
    case ElementRef::Kind::None:
        break;
    }
}
