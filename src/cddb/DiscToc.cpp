#include "DiscToc.h"

#include <QStringList>

DiscToc::DiscToc(int firstTrack, int lastTrack, int leadOut, const QList<int>& offsets)
    : first(firstTrack), last(lastTrack), leadOutFrame(leadOut), starts(offsets)
{
}

QString DiscToc::refusalOf(int firstTrack, int lastTrack, int leadOut, const QList<int>& offsets)
{
    if (firstTrack < 1 || lastTrack < firstTrack || lastTrack > maxTrackNumber)
        return QStringLiteral("les pistes vont de 1 à 99, et la dernière ne précède pas la "
                              "première.");
    const int tracks = lastTrack - firstTrack + 1;
    if (offsets.size() != tracks)
        return QStringLiteral("les pistes %1 à %2 demandent %3 débuts de piste, la table en "
                              "donne %4.")
            .arg(firstTrack)
            .arg(lastTrack)
            .arg(tracks)
            .arg(offsets.size());
    if (offsets.first() < 0)
        return QStringLiteral("un début de piste ne peut pas être négatif.");
    for (qsizetype i = 1; i < offsets.size(); ++i) {
        if (offsets[i] <= offsets[i - 1])
            return QStringLiteral("le début de la piste %1 ne suit pas celui de la piste %2.")
                .arg(firstTrack + i)
                .arg(firstTrack + i - 1);
    }
    if (leadOut <= offsets.last())
        return QStringLiteral("la fin du disque (%1) ne suit pas le début de la dernière piste "
                              "(%2).")
            .arg(leadOut)
            .arg(offsets.last());
    if (leadOut > maxFrame)
        return QStringLiteral("la fin du disque dépasse 99:59:74 (%1 trames).").arg(maxFrame);
    return QString();
}

std::optional<DiscToc> DiscToc::create(int firstTrack, int lastTrack, int leadOut,
                                       const QList<int>& offsets)
{
    if (!refusalOf(firstTrack, lastTrack, leadOut, offsets).isEmpty())
        return std::nullopt;
    return DiscToc(firstTrack, lastTrack, leadOut, offsets);
}

std::optional<DiscToc> DiscToc::fromString(QStringView text, QString* refusal)
{
    const auto refused = [&](const QString& reason) -> std::optional<DiscToc> {
        if (refusal)
            *refusal = reason;
        return std::nullopt;
    };
    const QString simplified = text.toString().simplified();
    const QStringList fields = simplified.split(u' ', Qt::SkipEmptyParts);
    if (fields.size() < 4)
        return refused(QStringLiteral("il faut au moins quatre nombres."));
    // Three numbers and one start per track at most; anything longer cannot be a table.
    if (fields.size() > 3 + maxTrackNumber)
        return refused(QStringLiteral("un disque a au plus 99 pistes."));
    QList<int> numbers;
    for (const QString& field : fields) {
        bool ok = false;
        const int number = field.toInt(&ok);
        if (!ok)
            return refused(QStringLiteral("« %1 » n'est pas un nombre entier.").arg(field));
        numbers.append(number);
    }
    const QList<int> offsets = numbers.mid(3);
    const QString reason = refusalOf(numbers[0], numbers[1], numbers[2], offsets);
    if (!reason.isEmpty())
        return refused(reason);
    return DiscToc(numbers[0], numbers[1], numbers[2], offsets);
}

QString DiscToc::toString() const
{
    QStringList fields{QString::number(first), QString::number(last),
                       QString::number(leadOutFrame)};
    for (int offset : starts)
        fields.append(QString::number(offset));
    return fields.join(u' ');
}
