// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscToc.h"

#include <QStringList>

namespace {

// Nothing, with `text` as the reason when one is asked for.
std::optional<DiscToc> refused(QString* refusal, const QString& text)
{
    if (refusal)
        *refusal = text;
    return std::nullopt;
}

} // namespace

DiscToc::DiscToc(int firstTrack, int lastTrack, int leadOut, const QList<int>& offsets)
    : first(firstTrack), last(lastTrack), leadOutFrame(leadOut), starts(offsets)
{
}

std::optional<DiscToc> DiscToc::create(int firstTrack, int lastTrack, int leadOut,
                                       const QList<int>& offsets, QString* refusal)
{
    const auto number = [](qsizetype value) { return QString::number(value); };
    if (firstTrack < 1 || firstTrack > maxTrackNumber)
        return refused(refusal, QStringLiteral("la première piste est %1 : les pistes sont "
                                               "numérotées de 1 à %2.")
                                    .arg(number(firstTrack), number(maxTrackNumber)));
    if (lastTrack < firstTrack || lastTrack > maxTrackNumber)
        return refused(refusal,
                       QStringLiteral("la dernière piste est %1 : elle va de la "
                                      "première (%2) à %3.")
                           .arg(number(lastTrack), number(firstTrack), number(maxTrackNumber)));
    const qsizetype tracks = lastTrack - firstTrack + 1;
    if (offsets.size() != tracks)
        return refused(refusal, QStringLiteral("les pistes %1 à %2 demandent %3 débuts, "
                                               "la table en donne %4.")
                                    .arg(number(firstTrack), number(lastTrack), number(tracks),
                                         number(offsets.size())));
    if (offsets.first() < 0)
        return refused(refusal, QStringLiteral("la piste %1 commence à %2, avant le disque.")
                                    .arg(number(firstTrack), number(offsets.first())));
    for (qsizetype i = 1; i < offsets.size(); ++i) {
        if (offsets[i] <= offsets[i - 1])
            return refused(refusal,
                           QStringLiteral("la piste %1 commence à %2, pas après la piste %3 "
                                          "(%4) : les débuts doivent croître.")
                               .arg(number(firstTrack + i), number(offsets[i]),
                                    number(firstTrack + i - 1), number(offsets[i - 1])));
    }
    if (leadOut <= offsets.last())
        return refused(refusal,
                       QStringLiteral("la fin du disque (%1) ne vient pas après le "
                                      "début de la piste %2 (%3).")
                           .arg(number(leadOut), number(lastTrack), number(offsets.last())));
    if (leadOut > maxFrame)
        return refused(refusal, QStringLiteral("la fin du disque (%1) passe 99:59:74, la "
                                               "trame %2.")
                                    .arg(number(leadOut), number(maxFrame)));
    return DiscToc(firstTrack, lastTrack, leadOut, offsets);
}

std::optional<DiscToc> DiscToc::fromString(QStringView text, QString* refusal)
{
    const QStringList fields = text.toString().simplified().split(u' ', Qt::SkipEmptyParts);
    if (fields.size() < 4)
        return refused(refusal, QStringLiteral("la table donne la première piste, la dernière, "
                                               "la fin du disque puis le début de chaque "
                                               "piste : au moins 4 nombres, pas %1.")
                                    .arg(fields.size()));
    QList<int> numbers;
    for (const QString& field : fields) {
        bool ok = false;
        const int number = field.toInt(&ok);
        if (!ok) {
            const bool digits = field.toLongLong(&ok) != 0 && ok;
            return refused(refusal, (digits ? QStringLiteral("« %1 » est trop grand.")
                                            : QStringLiteral("« %1 » n'est pas un nombre entier."))
                                        .arg(field));
        }
        numbers.append(number);
    }
    return create(numbers[0], numbers[1], numbers[2], numbers.mid(3), refusal);
}

QString DiscToc::toString() const
{
    QStringList fields{QString::number(first), QString::number(last),
                       QString::number(leadOutFrame)};
    for (int offset : starts)
        fields.append(QString::number(offset));
    return fields.join(u' ');
}
