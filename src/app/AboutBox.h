#pragma once

#include "Prompter.h"

#include <QDialog>

// "A Propos": the program's name and version, closed by its button.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    static QString programName() { return Prompter::programTitle(); }
    static QString version() { return QStringLiteral(JASKEL_VERSION); }
};
