// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscInfo.h"

#include <discid/discid.h>
#include <memory>

namespace {

int digitSum(int number)
{
    int sum = 0;
    for (; number > 0; number /= 10)
        sum += number % 10;
    return sum;
}

QString paddedHex(int number, int width)
{
    return QString::number(number, 16).rightJustified(width, u'0');
}

} // namespace

void DiscInfo::Init(const QString& drive)
{
    reading = reader.read(drive);
}

QString DiscInfo::DiscID() const
{
    return reading.toc ? discIdOf(*reading.toc) : unavailable;
}

DiscInfo::Query DiscInfo::QueryString() const
{
    if (reading.toc)
        return {queryOf(*reading.toc), std::nullopt};
    const QString text = reading.notReady
                             ? QStringLiteral("Le lecteur n'est pas prêt. Essayez plus tard.")
                             : QStringLiteral("Erreur : ") + QString::number(reading.errorNumber) +
                                   u'\r' + reading.errorText;
    return {QString(), Prompter::Message{Prompter::programTitle(), text, Prompter::Icon::None,
                                         Prompter::Ok, Prompter::Ok}};
}

QString DiscInfo::discIdOf(const DiscToc& toc)
{
    constexpr int fps = DiscToc::framesPerSecond;
    int checksum = 0;
    for (int offset : toc.offsets())
        checksum += digitSum(offset / fps);
    const int seconds = toc.leadOut() / fps - toc.offsets().first() / fps;
    return paddedHex(checksum % 255, 2) + paddedHex(seconds, 4) + paddedHex(toc.trackCount(), 2);
}

QString DiscInfo::queryOf(const DiscToc& toc)
{
    QString command =
        QStringLiteral("cddb+query+") + discIdOf(toc) + u'+' + QString::number(toc.trackCount());
    for (int offset : toc.offsets())
        command += u'+' + QString::number(offset);
    return command + u'+' + QString::number(toc.leadOut() / DiscToc::framesPerSecond);
}

QString DiscInfo::musicBrainzIdOf(const DiscToc& toc)
{
    // libdiscid takes the lead-out first, then the start of each track at its number's place.
    int offsets[100] = {};
    offsets[0] = toc.leadOut();
    for (int track = toc.firstTrack(); track <= toc.lastTrack(); ++track)
        offsets[track] = toc.offsets()[track - toc.firstTrack()];
    const std::unique_ptr<DiscId, decltype(&discid_free)> disc(discid_new(), &discid_free);
    if (!disc || !discid_put(disc.get(), toc.firstTrack(), toc.lastTrack(), offsets))
        return {};
    return QString::fromLatin1(discid_get_id(disc.get()));
}
