// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibDiscidReader.h"

#include <QFile>
#include <cerrno>
#include <discid/discid.h>
#include <memory>

namespace {

// Failures that waiting will not mend: the drive is there but this user may not read it.
bool refusedBySystem(int error)
{
    return error == EACCES || error == EPERM;
}

} // namespace

DiscRead LibDiscidReader::read(const QString& drive)
{
    DiscRead result;
    if (drive.isEmpty())
        return result;
    const std::unique_ptr<DiscId, decltype(&discid_free)> disc(discid_new(), &discid_free);
    if (!disc)
        return result;
    // libdiscid keeps only a message; the system's error number is still in errno.
    errno = 0;
    if (!discid_read_sparse(disc.get(), QFile::encodeName(drive).constData(), 0)) {
        const int error = errno;
        result.errorText = QString::fromLocal8Bit(discid_get_error_msg(disc.get()));
        if (refusedBySystem(error)) {
            result.notReady = false;
            result.errorNumber = error;
            result.errorText = qt_error_string(error);
        }
        return result;
    }
    const int first = discid_get_first_track_num(disc.get());
    const int last = discid_get_last_track_num(disc.get());
    QList<int> offsets;
    if (first >= 1 && last <= DiscToc::maxTrackNumber) {
        for (int track = first; track <= last; ++track)
            offsets.append(discid_get_track_offset(disc.get(), track));
    }
    result.toc = DiscToc::create(first, last, discid_get_sectors(disc.get()), offsets);
    result.notReady = !result.toc.has_value();
    return result;
}
