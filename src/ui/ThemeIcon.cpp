// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThemeIcon.h"

#include <QApplication>
#include <QFile>

QIcon themeIcon(const QString& name, QStyle::StandardPixmap fallback)
{
    const QString own = QStringLiteral(":/icons/actions/%1.svg").arg(name);
    return QIcon::fromTheme(
        name, QFile::exists(own) ? QIcon(own) : QApplication::style()->standardIcon(fallback));
}
