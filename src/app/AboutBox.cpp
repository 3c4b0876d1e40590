// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("A Propos"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/jaskelcd.svg")).pixmap(64, 64));

    auto* name = new QLabel(programName(), this);
    QFont nameFont = name->font();
    nameFont.setPointSize(nameFont.pointSize() + 6);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setObjectName(QStringLiteral("programName"));

    auto* version = new QLabel(QStringLiteral("Version %1").arg(AboutBox::version()), this);
    version->setObjectName(QStringLiteral("programVersion"));
    auto* purpose = new QLabel(
        QStringLiteral("Création et impression des jaquettes et des étiquettes de CD audio."),
        this);
    purpose->setWordWrap(true);
    // GPL-3.0-or-later, as the AppStream file and the package's copyright file name it.
    auto* licence = new QLabel(
        QStringLiteral("Logiciel libre sous licence GNU GPL version 3 ou ultérieure."), this);
    licence->setObjectName(QStringLiteral("programLicence"));
    licence->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(purpose);
    texts->addWidget(licence);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedWidth(380);
}
