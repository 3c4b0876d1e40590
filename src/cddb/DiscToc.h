// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// The table of contents of an audio CD, in frames (75 a second) counted from the very start of
// the disc, so the 150 frames of lead-in before track 1 are included: a first track that starts
// at 00:02:00 starts at frame 150. Only a table a disc can have is ever made: tracks numbered
// from 1 to 99, starts rising, the lead-out after the last start and within 99:59:74.
class DiscToc {
public:
    static constexpr int framesPerSecond = 75;
    static constexpr int maxTrackNumber = 99;
    static constexpr int maxFrame = 100 * 60 * framesPerSecond - 1;

    // `offsets` holds the start of every track from `firstTrack` to `lastTrack`; `leadOut` is
    // the frame where the last track ends. Nothing for a table no disc can have, and then, in
    // `refusal` when given, what is wrong with it in one French line.
    static std::optional<DiscToc> create(int firstTrack, int lastTrack, int leadOut,
                                         const QList<int>& offsets, QString* refusal = nullptr);

    // The text form "FIRST LAST LEADOUT OFFSET1 … OFFSETn", numbers in decimal separated by
    // blanks, as libdiscid writes it; nothing for any other text, with the reason as `create`.
    static std::optional<DiscToc> fromString(QStringView text, QString* refusal = nullptr);
    QString toString() const;

    int firstTrack() const { return first; }
    int lastTrack() const { return last; }
    int trackCount() const { return last - first + 1; }
    int leadOut() const { return leadOutFrame; }
    const QList<int>& offsets() const { return starts; }

    bool operator==(const DiscToc&) const = default;

private:
    DiscToc(int firstTrack, int lastTrack, int leadOut, const QList<int>& offsets);

    int first;
    int last;
    int leadOutFrame;
    QList<int> starts;
};
