# SPDX-License-Identifier: GPL-3.0-or-later
# The CDDB protocol client and the web transfers.
target_sources(jaskel_cddb PRIVATE GetField.h GetField.cpp)
target_sources(jaskel_cddb PRIVATE
    HttpTransfer.h HttpTransfer.cpp
    XmcdRecord.h XmcdRecord.cpp
    CddbRecord.h CddbRecord.cpp
    GridRow.h
    SearchKeywords.h SearchKeywords.cpp
    CddbClient.h CddbClient.cpp)
target_sources(jaskel_cddb PRIVATE TrackList.h TrackList.cpp)
target_sources(jaskel_cddb PRIVATE CoverArtLookup.h CoverArtLookup.cpp)
target_sources(jaskel_cddb PRIVATE CddbSearch.h CddbSearch.cpp)
# The record as an album, for the cover and the label.
target_sources(jaskel_cddb PRIVATE CddbAlbum.h CddbAlbum.cpp)
# The disc looked up as an album source, for the commands that ask nobody.
target_sources(jaskel_cddb PRIVATE CddbSource.h CddbSource.cpp)
