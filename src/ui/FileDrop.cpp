// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

FileDrop::FileDrop(QWidget* window, std::function<bool(const QString&)> takes, Resolver resolve)
    : QObject(window), window_(window), takes_(std::move(takes)), resolve_(std::move(resolve))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

std::optional<QString> FileDrop::singleLocalFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return std::nullopt;
    const QString path = urls.first().toLocalFile();
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return path;
}

QStringList FileDrop::localPaths(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        const QFileInfo info(url.toLocalFile());
        if (!url.isLocalFile() || !(info.isFile() || info.isDir()))
            return {};
        paths << info.filePath();
    }
    return paths;
}

bool FileDrop::hasSuffix(const QString& path, const QString& suffix)
{
    return QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) == 0;
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched != window_ ||
        (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<QString> path = singleLocalFile(drop->mimeData());
    // The file is the window's to open or to place: never moved, whatever the other side offers.
    const bool copied = drop->possibleActions() & Qt::CopyAction;
    Action action;
    bool taken = false;
    if (path && copied) {
        if (type == QEvent::DragEnter) {
            // Let in, so that the moves that follow say where it would be taken.
            taken = takes_(*path);
        } else {
            action = resolve_(*path, drop->position().toPoint(), drop->modifiers());
            taken = bool(action);
        }
    }
    if (!taken && groups_ && copied) {
        if (const QStringList paths = localPaths(drop->mimeData()); !paths.isEmpty()) {
            action = groups_(paths);
            taken = bool(action);
        }
    }
    if (!taken) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
    return true;
}
