// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutPicture.h"

#include <QIcon>
#include <QToolButton>

QToolButton* makeAboutPicture(QWidget* parent, std::function<void()> showAbout)
{
    auto* about = new QToolButton(parent);
    about->setIcon(QIcon(QStringLiteral(":/icons/jaskelcd.svg")));
    about->setIconSize(QSize(32, 32));
    about->setAutoRaise(true);
    about->setToolTip(QStringLiteral("A Propos"));
    about->setEnabled(bool(showAbout));
    QObject::connect(about, &QToolButton::clicked, about, [showAbout] { showAbout(); });
    return about;
}
