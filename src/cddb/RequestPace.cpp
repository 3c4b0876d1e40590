// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestPace.h"

#include <QCoreApplication>
#include <QPointer>
#include <algorithm>

using namespace std::chrono_literals;

RequestPace::RequestPace(std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), interval(interval)
{
    clock.start();
    timer.setSingleShot(true);
    // A coarse timer may fire early; the pace is the service's rule, not a wish.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &RequestPace::startNext);
}

RequestPace& RequestPace::musicBrainz()
{
    // Owned by the application, so that its timer ends with the event loop it runs on.
    static QPointer<RequestPace> pace;
    if (!pace)
        pace = new RequestPace(1s, QCoreApplication::instance());
    return *pace;
}

void RequestPace::enqueue(const void* owner, Start start)
{
    waiting.push_back({owner, std::move(start)});
    if (!timer.isActive())
        timer.start(untilNext());
}

void RequestPace::cancel(const void* owner)
{
    std::erase_if(waiting, [owner](const Waiting& request) { return request.owner == owner; });
    if (waiting.empty())
        timer.stop();
}

void RequestPace::hold(std::chrono::milliseconds pause)
{
    const std::chrono::milliseconds now(clock.elapsed());
    nextAllowed = std::max(nextAllowed, now + pause);
    if (timer.isActive())
        timer.start(untilNext());
}

std::chrono::milliseconds RequestPace::untilNext() const
{
    return std::max(0ms, nextAllowed - std::chrono::milliseconds(clock.elapsed()));
}

void RequestPace::startNext()
{
    if (waiting.empty())
        return;
    if (const auto wait = untilNext(); wait > 0ms) {
        timer.start(wait);
        return;
    }
    Start start = std::move(waiting.front().start);
    waiting.pop_front();
    nextAllowed = std::chrono::milliseconds(clock.elapsed()) + interval;
    if (!waiting.empty())
        timer.start(interval);
    // Last: the request may queue another or cancel its owner's.
    start();
}
