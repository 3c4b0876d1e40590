# The CDDB protocol client and the web transfers.
target_sources(jaskel_cddb PRIVATE GetField.h GetField.cpp)
