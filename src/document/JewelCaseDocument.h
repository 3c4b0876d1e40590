#pragma once

#include "ElementRef.h"
#include "Face.h"
#include "Sheet.h"
#include "TextElement.h"

#include <QString>
#include <array>

// The cover: three faces on two sheets, the Dos's vertical text and spines, and the
// document-wide state. All geometry is in twips, in the coordinates of each sheet.
class JewelCaseDocument {
public:
    static constexpr int faceCount = 3;
    static constexpr int sheetCount = 2;
    static constexpr float rectoSheetOffset = 15; // the Verso starts 15 twips right of the Recto
    static inline const QString noPicture = QStringLiteral("Aucun");

    JewelCaseDocument();

    // Lays the faces out on their sheets as the window does when it starts.
    void layOut(float toolbarHeight);

    // Width, height of the Recto and Verso; width, height of the Dos.
    std::array<float, 4> faceSizes{};
    std::array<Face, faceCount> faces;
    std::array<Sheet, sheetCount> sheets;
    std::array<Spine, 2> spines;

    // Painted rotated on both spines; its colours are the Dos sheet's fore and back colours.
    TextElement verticalText;
    int verticalTextTag = 0; // 0 start of the reading direction, 1 its end, 2 centred

    QString currentFileName;
    int documentModified = 0;
    int loadingDocument = 0;
    int currentView = 0; // 0 Recto sheet, 1 Dos sheet
    QString rectoImagePath = noPicture;
    QString versoImagePath = noPicture;
    QString dosImagePath = noPicture;
    QString logoImagePath = noPicture;

    static int sheetOfFace(int face) { return face == Face::Dos ? 1 : 0; }
    Face& dos() { return faces[Face::Dos]; }
    const Face& dos() const { return faces[Face::Dos]; }
    Sheet& dosSheet() { return sheets[1]; }
    const Sheet& dosSheet() const { return sheets[1]; }

    TextElement* text(const ElementRef& ref);
    const TextElement* text(const ElementRef& ref) const;
    bool exists(const ElementRef& ref) const;
    int sheetOf(const ElementRef& ref) const;
    QRectF rectOf(const ElementRef& ref) const;
    void setRectOf(const ElementRef& ref, const QRectF& rect);
    int borderStyleOf(const ElementRef& ref) const;
    void setBorderStyleOf(const ElementRef& ref, int style);

    // Stacking among the texts of a sheet.
    void bringToFront(TextElement& element) { element.zOrder = ++topZ_; }
    void sendToBack(TextElement& element) { element.zOrder = --bottomZ_; }

private:
    int topZ_ = 0;
    int bottomZ_ = 0;
};
