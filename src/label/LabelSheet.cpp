// SPDX-License-Identifier: GPL-3.0-or-later
#include "LabelSheet.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRectF>
#include <QSettings>
#include <optional>

namespace {

const QLocale french(QLocale::French, QLocale::France);

QString millimetres(double value)
{
    return french.toString(value, 'g', 6);
}

// A pair of positive numbers, or an invalid point.
std::optional<QPointF> pairOf(const QJsonValue& value)
{
    const QJsonArray pair = value.toArray();
    if (pair.size() != 2 || !pair.at(0).isDouble() || !pair.at(1).isDouble())
        return std::nullopt;
    return QPointF(pair.at(0).toDouble(), pair.at(1).toDouble());
}

const QString sheetKey = QStringLiteral("LabelWindow/labelSheet");
const QString placeKey = QStringLiteral("LabelWindow/labelPlace");

} // namespace

QString LabelSheet::name() const
{
    const QPageSize size = pageSize();
    // The standard papers by their names, any other by its dimensions.
    QString paper =
        QStringLiteral("%1 × %2 mm").arg(millimetres(page.width()), millimetres(page.height()));
    if (size.id() == QPageSize::A4 || size.id() == QPageSize::A5)
        paper = size.name();
    else if (size.id() == QPageSize::Letter)
        paper = QStringLiteral("Lettre US");
    return QStringLiteral("%1, %2 étiquette%3 Ø %4 mm, trou Ø %5 mm")
        .arg(paper)
        .arg(places.size())
        .arg(places.size() > 1 ? QStringLiteral("s") : QString())
        .arg(millimetres(label), millimetres(hole));
}

QPageSize LabelSheet::pageSize() const
{
    return QPageSize(page, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

QPointF LabelSheet::centre(std::size_t place) const
{
    if (place >= places.size())
        return {};
    return places[place] + QPointF(label / 2, label / 2);
}

std::vector<LabelSheet> LabelSheet::read(const QByteArray& json)
{
    std::vector<LabelSheet> sheets;
    for (const QJsonValue& row : QJsonDocument::fromJson(json).array()) {
        const QJsonObject object = row.toObject();
        const std::optional<QPointF> page = pairOf(object.value(QStringLiteral("page")));
        LabelSheet sheet;
        sheet.label = object.value(QStringLiteral("label")).toDouble();
        sheet.hole = object.value(QStringLiteral("hole")).toDouble();
        if (!page || page->x() <= 0 || page->y() <= 0 || sheet.label <= 0 || sheet.hole <= 0 ||
            sheet.hole >= sheet.label)
            continue;
        sheet.page = QSizeF(page->x(), page->y());
        const QRectF paper(QPointF(), sheet.page);
        bool fits = true;
        for (const QJsonValue& value : object.value(QStringLiteral("places")).toArray()) {
            const std::optional<QPointF> place = pairOf(value);
            fits =
                fits && place && paper.contains(QRectF(*place, QSizeF(sheet.label, sheet.label)));
            if (place)
                sheet.places.push_back(*place);
        }
        if (fits && !sheet.places.empty())
            sheets.push_back(sheet);
    }
    return sheets;
}

const std::vector<LabelSheet>& LabelSheet::all()
{
    static const std::vector<LabelSheet> sheets = [] {
        QFile file(QStringLiteral(":/sheets/labelsheets.json"));
        return file.open(QIODevice::ReadOnly) ? read(file.readAll()) : std::vector<LabelSheet>();
    }();
    return sheets;
}

const LabelSheet* LabelSheet::named(const QString& name)
{
    for (const LabelSheet& sheet : all()) {
        if (sheet.name() == name)
            return &sheet;
    }
    return nullptr;
}

std::vector<std::size_t> LabelSheetChoice::places() const
{
    const LabelSheet* sheet = labelSheet();
    if (!sheet)
        return {};
    if (place >= 0 && std::size_t(place) < sheet->places.size())
        return {std::size_t(place)};
    std::vector<std::size_t> every;
    for (std::size_t at = 0; at < sheet->places.size(); ++at)
        every.push_back(at);
    return every;
}

QString LabelSheetChoice::description() const
{
    const LabelSheet* sheet = labelSheet();
    if (!sheet)
        return {};
    const std::vector<std::size_t> printed = places();
    const QString onSheet = QStringLiteral("sur la feuille « %1 »").arg(sheet->name());
    if (sheet->places.size() == 1)
        return onSheet;
    if (printed.size() == 1)
        return onSheet + QStringLiteral(", place %1").arg(printed.front() + 1);
    return onSheet + QStringLiteral(", toutes les places");
}

LabelSheetChoice LabelSheetChoice::remembered()
{
    const QSettings settings;
    LabelSheetChoice choice;
    choice.sheet = settings.value(sheetKey).toString();
    choice.place = settings.value(placeKey, everyPlace).toInt();
    // A sheet no longer in the table: the label alone, as it can always be printed.
    if (!choice.labelSheet())
        choice = LabelSheetChoice();
    else if (choice.place < everyPlace || choice.place >= int(choice.labelSheet()->places.size()))
        choice.place = everyPlace;
    return choice;
}

void LabelSheetChoice::remember() const
{
    QSettings settings;
    settings.setValue(sheetKey, sheet);
    settings.setValue(placeKey, place);
}
