# Disc identification: the drives, the table of contents and the disc id.
target_sources(jaskel_cddb PRIVATE
    DiscToc.h DiscToc.cpp
    DiscReader.h
    GivenTocReader.h GivenTocReader.cpp
    LibDiscidReader.h LibDiscidReader.cpp
    clsCdInfo.h clsCdInfo.cpp
    CdDrives.h CdDrives.cpp
)
