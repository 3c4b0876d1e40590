// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Album.h"
#include "DiscToc.h"

#include <optional>

struct CddbRecord;

// A CDDB record as the album every source gives: its artist, album, year and genre, and one
// disc of the tracks it names, in order, each with its title ("Piste 3" when the record gives
// none) and, when the disc's table of contents is known, its length from the frames.
namespace CddbAlbum {

Album fromRecord(const CddbRecord& record, const std::optional<DiscToc>& toc = std::nullopt);

} // namespace CddbAlbum
