// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QImage;

// Windows BMP files as every export writes them: 24 bits a pixel, transparent parts on white.
namespace BmpFile {

// Writes `image` to `path`; false, with nothing left behind, when it cannot be written.
bool write(const QImage& image, const QString& path);

} // namespace BmpFile
