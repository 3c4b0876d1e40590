// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Prompter.h"

#include <QDialog>

// "A Propos": the program's name, version and licence, closed by its button.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    static QString programName() { return Prompter::programTitle(); }
    static QString version() { return QStringLiteral(JASKEL_VERSION); }
};
