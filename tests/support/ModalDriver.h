// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Drives the next modal window that the code under test opens with exec(): `act` runs on it
// as soon as it is shown. `seen()` tells whether it appeared, so that a test whose dialog never
// came fails there; a driver whose dialog never came stops waiting when it goes out of scope.
class ExpectModal {
public:
    explicit ExpectModal(std::function<void(QWidget*)> act)
        : state_(std::make_shared<State>())
    {
        state_->act = std::move(act);
        poll(state_, 500);
    }
    ~ExpectModal() { state_->cancelled = true; }
    ExpectModal(const ExpectModal&) = delete;
    ExpectModal& operator=(const ExpectModal&) = delete;

    bool seen() const { return state_->seen; }

private:
    struct State {
        std::function<void(QWidget*)> act;
        bool seen = false;
        bool cancelled = false;
    };

    static void poll(std::shared_ptr<State> state, int attempts)
    {
        QTimer::singleShot(10, [state, attempts] {
            if (state->cancelled)
                return;
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
                state->seen = true;
                state->act(modal);
                return;
            }
            if (attempts > 0)
                poll(state, attempts - 1);
        });
    }

    std::shared_ptr<State> state_;
};
