// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiscInfo.h"

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
