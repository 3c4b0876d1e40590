// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdDrives.h"

#include <QDir>
#include <algorithm>

QStringList cdDrives(const QString& sysfsRoot)
{
    const QStringList names =
        QDir(sysfsRoot + QStringLiteral("/block"))
            .entryList({QStringLiteral("sr*")}, QDir::AllEntries | QDir::NoDotAndDotDot);
    QList<int> numbers;
    for (const QString& name : names) {
        bool ok = false;
        const int number = name.mid(2).toInt(&ok);
        if (ok && number >= 0 && name.mid(2) == QString::number(number))
            numbers.append(number);
    }
    std::sort(numbers.begin(), numbers.end());
    QStringList drives;
    for (int number : numbers)
        drives.append(QStringLiteral("/dev/sr") + QString::number(number));
    return drives;
}
