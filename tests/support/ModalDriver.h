#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `act` on the next modal window as soon as it is shown, so that a test can drive a
// real dialog that the code under test opens with exec().
inline void whenModalShown(std::function<void(QWidget*)> act, int attempts = 200)
{
    QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            act(modal);
            return;
        }
        if (attempts > 0)
            whenModalShown(std::move(act), attempts - 1);
    });
}
