# SPDX-License-Identifier: GPL-3.0-or-later
# The MusicBrainz source: the web service and the Cover Art Archive, under the service's rules.
target_sources(jaskel_cddb PRIVATE
    RequestPace.h RequestPace.cpp
    MusicBrainzClient.h MusicBrainzClient.cpp
    MusicBrainzJson.h MusicBrainzJson.cpp
    MusicBrainzSource.h MusicBrainzSource.cpp
    AlbumRows.h AlbumRows.cpp
)
