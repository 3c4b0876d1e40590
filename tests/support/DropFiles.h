// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <utility>

// Drags `paths` over `window` to `at` and drops them there, then lets what the drop does run:
// whether the pointer said the drop was taken, and whether the drop was.
inline std::pair<bool, bool> drop(QWidget* window, const QStringList& paths, const QPoint& at,
                                  Qt::KeyboardModifiers modifiers = {})
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at, offered, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(window, &move);
    QDropEvent dropped(at, offered, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(window, &dropped);
    QCoreApplication::processEvents();
    const auto copied = [](const QDropEvent& event) {
        return event.isAccepted() && event.dropAction() == Qt::CopyAction;
    };
    return {copied(move), copied(dropped)};
}
