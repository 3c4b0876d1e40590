// SPDX-License-Identifier: GPL-3.0-or-later
#include "AlbumSource.h"

AlbumSource::~AlbumSource() = default;
