// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelSheetDialog.h"

#include "DialogButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

LabelSheetDialog::LabelSheetDialog(const LabelSheetChoice& choice, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Feuille d'étiquettes"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    sheets_ = new QComboBox(this);
    sheets_->setObjectName(QStringLiteral("cboSheet"));
    sheets_->addItem(QStringLiteral("Étiquette seule sur sa page, avec ses traits de coupe"),
                     QString());
    for (const LabelSheet& sheet : LabelSheet::all())
        sheets_->addItem(sheet.name(), sheet.name());
    places_ = new QComboBox(this);
    places_->setObjectName(QStringLiteral("cboPlace"));
    form->addRow(QStringLiteral("Papier :"), sheets_);
    form->addRow(QStringLiteral("Imprimer à :"), places_);
    layout->addLayout(form);

    sheets_->setCurrentIndex(std::max(0, sheets_->findData(choice.sheet)));
    listPlaces();
    places_->setCurrentIndex(std::max(0, places_->findData(choice.place)));
    connect(sheets_, &QComboBox::currentIndexChanged, this, &LabelSheetDialog::listPlaces);

    layout->addWidget(okCancelButtons(this));
}

void LabelSheetDialog::listPlaces()
{
    places_->clear();
    const LabelSheet* sheet = LabelSheet::named(sheets_->currentData().toString());
    places_->setEnabled(sheet && sheet->places.size() > 1);
    if (!sheet) {
        places_->addItem(QStringLiteral("Sa propre page"), LabelSheetChoice::everyPlace);
        return;
    }
    if (sheet->places.size() > 1)
        places_->addItem(sheet->places.size() == 2 ? QStringLiteral("Les deux places")
                                                   : QStringLiteral("Toutes les places"),
                         LabelSheetChoice::everyPlace);
    for (std::size_t place = 0; place < sheet->places.size(); ++place)
        places_->addItem(QStringLiteral("Place %1").arg(place + 1), int(place));
    if (sheet->places.size() > 1)
        places_->setCurrentIndex(1);
}

LabelSheetChoice LabelSheetDialog::choice() const
{
    LabelSheetChoice choice;
    choice.sheet = sheets_->currentData().toString();
    choice.place =
        choice.sheet.isEmpty() ? LabelSheetChoice::everyPlace : places_->currentData().toInt();
    return choice;
}
