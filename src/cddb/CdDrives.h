// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The CD and DVD drives of this machine, as the device paths a reader opens ("/dev/sr0"), in the
// order of their numbers; the kernel lists them as block devices "sr0", "sr1"… under
// `sysfsRoot`/block.
QStringList cdDrives(const QString& sysfsRoot = QStringLiteral("/sys"));
