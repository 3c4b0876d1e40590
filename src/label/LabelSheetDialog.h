// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LabelSheet.h"

#include <QDialog>

class QComboBox;

// "Feuille d'étiquettes…": where the CD label is printed, alone on its page or on one of the
// sheets of label stock, at one place or at every place.
class LabelSheetDialog : public QDialog {
    Q_OBJECT
public:
    explicit LabelSheetDialog(const LabelSheetChoice& choice, QWidget* parent = nullptr);

    LabelSheetChoice choice() const;

private:
    // The places of the chosen sheet.
    void listPlaces();

    QComboBox* sheets_;
    QComboBox* places_;
};
