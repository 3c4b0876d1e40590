// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SaneScanner.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class ScanAreaView;

// "Numériser": the resolution and the colour mode the scanner lists, remembered for each
// scanner, and the area to scan, the whole glass unless the user frames a smaller one on a
// preview or by its edges in millimetres. "Numériser" accepts, "Annuler" scans nothing.
class ScanDialog : public QDialog {
    Q_OBJECT
public:
    // Scans a low-resolution preview of the whole glass; nothing when it fails or is cancelled.
    using Previewer =
        std::function<std::optional<QImage>(const SaneScanner::Settings&, QWidget* parent)>;

    ScanDialog(const SaneScanner::Capabilities& scanner, Previewer previewer,
               QWidget* parent = nullptr);

    // What to scan, as chosen.
    SaneScanner::Settings settings() const;

    void accept() override;

private:
    void preview();
    // Puts `area` (clamped to the glass, on the scanner's steps) into the edges and the view.
    void showArea(const QRectF& area);
    QRectF areaOfEdges() const;
    double onStep(double value, double origin) const;

    SaneScanner::Capabilities scanner_;
    Previewer previewer_;
    QComboBox* resolution_ = nullptr;
    QComboBox* mode_ = nullptr;
    ScanAreaView* view_ = nullptr;
    QDoubleSpinBox* left_ = nullptr;
    QDoubleSpinBox* top_ = nullptr;
    QDoubleSpinBox* right_ = nullptr;
    QDoubleSpinBox* bottom_ = nullptr;
};
