#pragma once

#include <QWidget>
#include <array>

class CoverSelection;
class JewelCaseDocument;
class QLabel;
class SheetWidget;

// The cover window's working area: the two sheets, one shown at a time, and the captions
// under the faces.
class CoverView : public QWidget {
    Q_OBJECT
public:
    CoverView(JewelCaseDocument& document, CoverSelection& selection, QWidget* parent = nullptr);

    SheetWidget* sheet(int index) const { return sheets_[std::size_t(index)]; }
    QLabel* caption(int face) const { return captions_[std::size_t(face)]; }
    double pixelsPerTwip() const;

    // Places the sheets and captions, and shows them, as the cover says.
    void refresh();

private:
    JewelCaseDocument& document_;
    std::array<SheetWidget*, 2> sheets_{};
    std::array<QLabel*, 3> captions_{};
};
