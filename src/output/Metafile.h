// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Picture.h"

#include <QByteArray>
#include <QSizeF>
#include <chrono>
#include <optional>

// Windows metafiles (placeable WMF), played by libwmf's player onto a drawing of our own
// (MetafileCanvas), so that they keep their colours, pens, hatches, text and bitmaps and stay
// vector on every device.
namespace Metafile {

// A metafile plays in a few milliseconds; a broken one that would make the player run on is
// stopped past this, and is a metafile that cannot be read.
constexpr std::chrono::milliseconds playingTime{500};

// The drawing of the metafile in `bytes`, or nothing when it is no placeable metafile, is
// broken, or would need more than `time` or more memory than any real metafile does.
std::optional<Picture> read(const QByteArray& bytes, std::chrono::milliseconds time = playingTime);

// A placeable metafile's size in twips, from its header; nothing for any other bytes.
std::optional<QSizeF> placeableSize(const QByteArray& bytes);

} // namespace Metafile
