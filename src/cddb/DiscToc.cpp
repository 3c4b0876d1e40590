#include "DiscToc.h"

#include <QStringList>

DiscToc::DiscToc(int firstTrack, int lastTrack, int leadOut, const QList<int>& offsets)
    : first(firstTrack), last(lastTrack), leadOutFrame(leadOut), starts(offsets)
{
}

std::optional<DiscToc> DiscToc::create(int firstTrack, int lastTrack, int leadOut,
                                       const QList<int>& offsets)
{
    if (firstTrack < 1 || lastTrack < firstTrack || lastTrack > maxTrackNumber)
        return std::nullopt;
    if (offsets.size() != lastTrack - firstTrack + 1 || offsets.first() < 0)
        return std::nullopt;
    for (qsizetype i = 1; i < offsets.size(); ++i) {
        if (offsets[i] <= offsets[i - 1])
            return std::nullopt;
    }
    if (leadOut <= offsets.last() || leadOut > maxFrame)
        return std::nullopt;
    return DiscToc(firstTrack, lastTrack, leadOut, offsets);
}

std::optional<DiscToc> DiscToc::fromString(QStringView text)
{
    const QString simplified = text.toString().simplified();
    const QStringList fields = simplified.split(u' ', Qt::SkipEmptyParts);
    // Three numbers and one start per track at most; anything longer cannot be a table.
    if (fields.size() < 4 || fields.size() > 3 + maxTrackNumber)
        return std::nullopt;
    QList<int> numbers;
    for (const QString& field : fields) {
        bool ok = false;
        const int number = field.toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.append(number);
    }
    return create(numbers[0], numbers[1], numbers[2], numbers.mid(3));
}

QString DiscToc::toString() const
{
    QStringList fields{QString::number(first), QString::number(last),
                       QString::number(leadOutFrame)};
    for (int offset : starts)
        fields.append(QString::number(offset));
    return fields.join(u' ');
}
