// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrinterCalibrationDialog.h"

#include "DialogButtons.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PrinterCalibrationDialog::PrinterCalibrationDialog(const QString& printer,
                                                   const PrinterCorrection& correction,
                                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Calibrer l'imprimante"));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(
        QStringLiteral("Imprimante « %1 ».\nMesurez la page de calibrage : une échelle de "
                       "101 % agrandit de 1 mm une règle de 100 mm ;\nun décalage positif "
                       "déplace l'impression vers la droite ou vers le bas.")
            .arg(printer),
        this);
    layout->addWidget(explanation);
    auto* form = new QFormLayout;
    const auto box = [&](const char* name, const QString& label, double low, double high,
                         const QString& unit, double value) {
        auto* spin = new QDoubleSpinBox(this);
        spin->setObjectName(QLatin1String(name));
        spin->setDecimals(1);
        spin->setSingleStep(0.1);
        spin->setRange(low, high);
        spin->setSuffix(unit);
        spin->setValue(value);
        form->addRow(label, spin);
        return spin;
    };
    const QString percent = QStringLiteral(" %"), mm = QStringLiteral(" mm");
    const double scaleLow = PrinterCorrection::minScale, scaleHigh = PrinterCorrection::maxScale;
    const double offset = PrinterCorrection::maxOffset;
    scaleX_ = box("spnScaleX", QStringLiteral("Échelle horizontale :"), scaleLow, scaleHigh,
                  percent, correction.scaleX);
    scaleY_ = box("spnScaleY", QStringLiteral("Échelle verticale :"), scaleLow, scaleHigh, percent,
                  correction.scaleY);
    offsetX_ = box("spnOffsetX", QStringLiteral("Décalage horizontal :"), -offset, offset, mm,
                   correction.offsetX);
    offsetY_ = box("spnOffsetY", QStringLiteral("Décalage vertical :"), -offset, offset, mm,
                   correction.offsetY);
    layout->addLayout(form);

    QDialogButtonBox* buttons = okCancelButtons(this);
    QPushButton* reset =
        buttons->addButton(QStringLiteral("Aucune correction"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("cmdReset"));
    connect(reset, &QPushButton::clicked, this, [this] {
        scaleX_->setValue(100);
        scaleY_->setValue(100);
        offsetX_->setValue(0);
        offsetY_->setValue(0);
    });
    layout->addWidget(buttons);
}

PrinterCorrection PrinterCalibrationDialog::correction() const
{
    PrinterCorrection correction;
    correction.scaleX = scaleX_->value();
    correction.scaleY = scaleY_->value();
    correction.offsetX = offsetX_->value();
    correction.offsetY = offsetY_->value();
    return correction.bounded();
}
