// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <optional>

// The picture on the clipboard: its bitmap if it offers one, else the first other image
// format it offers that Qt can read; nothing when it holds no picture.
namespace ClipboardPicture {

std::optional<Picture> read();
// Puts a picture on the clipboard as a bitmap.
void write(const QImage& image);
void clear();

} // namespace ClipboardPicture
