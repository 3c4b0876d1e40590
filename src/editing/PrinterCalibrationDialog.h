// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PrinterCorrection.h"

#include <QDialog>

class QDoubleSpinBox;

// "Calibrer l'imprimante…": the scale across and down (95 to 105 %) and the offset (±20 mm) a
// printer needs, to 0.1, as the user measured them on the calibration page.
class PrinterCalibrationDialog : public QDialog {
    Q_OBJECT
public:
    PrinterCalibrationDialog(const QString& printer, const PrinterCorrection& correction,
                             QWidget* parent = nullptr);

    PrinterCorrection correction() const;

private:
    QDoubleSpinBox* scaleX_;
    QDoubleSpinBox* scaleY_;
    QDoubleSpinBox* offsetX_;
    QDoubleSpinBox* offsetY_;
};
