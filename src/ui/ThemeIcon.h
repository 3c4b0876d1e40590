// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QStyle>

// A standard entry's picture, by its freedesktop name: the desktop's icon theme's, else the
// program's own drawing of it (`:/icons/actions/<name>.svg`), else the style's `fallback`.
QIcon themeIcon(const QString& name, QStyle::StandardPixmap fallback = QStyle::SP_FileIcon);
