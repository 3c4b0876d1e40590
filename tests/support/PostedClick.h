// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

// A click on `widget` that waits in the queue of events until the program next lets events run,
// as a user's click does while a long operation holds the window.
inline void postClick(QWidget* widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, at,
                                                        widget->mapToGlobal(at), Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, at,
                                                        widget->mapToGlobal(at), Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
}
