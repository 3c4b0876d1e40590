// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateProfile.h"

#include "TextEncoding.h"

#include <QFile>
#include <QSet>

namespace {

QString unquoted(const QString& value)
{
    const QChar quote = QLatin1Char('"');
    if (value.size() >= 2 && value.startsWith(quote) && value.endsWith(quote))
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

PrivateProfile PrivateProfile::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(TextEncoding::decode(file.readAll()));
}

PrivateProfile PrivateProfile::parse(const QString& text)
{
    PrivateProfile profile;
    QSet<QString> seenSections;
    // Keys before the first section, and those of a repeated section, belong to none.
    QHash<QString, QString>* keys = nullptr;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const qsizetype end = line.indexOf(QLatin1Char(']'));
            const QString name = line.mid(1, end < 0 ? -1 : end - 1).trimmed().toCaseFolded();
            keys = nullptr;
            if (!seenSections.contains(name)) {
                seenSections.insert(name);
                keys = &profile.sections_[name];
            }
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!keys || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed().toCaseFolded();
        if (!keys->contains(key))
            keys->insert(key, unquoted(line.mid(equals + 1).trimmed()));
    }
    return profile;
}

std::optional<QString> PrivateProfile::value(const QString& section, const QString& key) const
{
    const auto keys = sections_.constFind(section.trimmed().toCaseFolded());
    if (keys == sections_.constEnd())
        return std::nullopt;
    const auto found = keys->constFind(key.trimmed().toCaseFolded());
    if (found == keys->constEnd())
        return std::nullopt;
    return *found;
}

QString ReadWriteINI(const QString& mode, const QString& file, const QString& section,
                     const QString& key, const QString& value)
{
    if (mode.isEmpty() || section.isEmpty() || key.isEmpty())
        return value;
    if (mode.compare(QLatin1String("GET"), Qt::CaseInsensitive) != 0)
        return value;
    return PrivateProfile::read(file).value(section, key).value_or(value);
}
