// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>

// Starts the requests to one web service no closer together than it allows: each waits its turn
// in the order it came, never dropped, and starts once the interval since the previous one has
// passed and any pause the service asked for is over. Nothing waits in a loop: a timer starts
// the next request when its time comes.
class RequestPace : public QObject {
public:
    using Start = std::function<void()>;

    explicit RequestPace(std::chrono::milliseconds interval, QObject* parent = nullptr);

    // The program's one pace for the MusicBrainz web service: one request a second, whichever
    // search sends it.
    static RequestPace& musicBrainz();

    // Queues `start`, called from the event loop when its turn comes. `owner` names it for
    // `cancel`.
    void enqueue(const void* owner, Start start);
    // Takes the requests of `owner` that have not started out of the queue.
    void cancel(const void* owner);
    // The service asked for a pause: nothing starts before `pause` has passed.
    void hold(std::chrono::milliseconds pause);

private:
    void startNext();
    std::chrono::milliseconds untilNext() const;

    struct Waiting {
        const void* owner;
        Start start;
    };

    std::chrono::milliseconds interval;
    std::deque<Waiting> waiting;
    QTimer timer;
    QElapsedTimer clock;
    std::chrono::milliseconds nextAllowed{0}; // on `clock`
};
