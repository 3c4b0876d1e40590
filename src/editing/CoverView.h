// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class QLabel;
class SheetWidget;
struct CoverContext;

// The cover window's working area: the two sheets, one shown at a time, and the captions
// under the faces.
class CoverView : public QWidget {
    Q_OBJECT
public:
    CoverView(CoverContext& context, QWidget* parent = nullptr);

    // The widget of a sheet; null for an index that names none.
    SheetWidget* sheet(int index) const;
    // The face of a shown sheet under `position` (this widget's pixels), or -1.
    int faceAt(const QPoint& position) const;

    // Places the sheets and captions, and shows them, as the cover's screen says.
    void refresh();

private:
    CoverContext& context_;
    std::array<SheetWidget*, 2> sheets_{};
    std::array<QLabel*, 3> captions_{};
};
