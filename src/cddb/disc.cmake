# SPDX-License-Identifier: GPL-3.0-or-later
# Disc identification: the drives, the table of contents and the disc id.
target_sources(jaskel_cddb PRIVATE
    DiscToc.h DiscToc.cpp
    DiscReader.h
    GivenTocReader.h GivenTocReader.cpp
    LibDiscidReader.h LibDiscidReader.cpp
    DiscInfo.h DiscInfo.cpp
    CdDrives.h CdDrives.cpp
)
