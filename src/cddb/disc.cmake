# Disc identification: the drives, the table of contents and the disc id.
