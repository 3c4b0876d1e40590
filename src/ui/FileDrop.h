// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QMimeData;
class QWidget;

// Lets a window take one file dropped on it. The window says what a drop of a file would do at
// the pointer's place; a drag it would not take there (several files, no local file, a kind of
// file or a place the window does not take) is refused, which the pointer shows, and its drop
// changes nothing. What a drop does runs once the drop is over, so that its questions do not
// hold up the program the file came from.
class FileDrop : public QObject {
    Q_OBJECT
public:
    using Action = std::function<void()>;
    // What dropping `path` at `position` (the window's pixels) with `modifiers` held does; an
    // empty action refuses it there.
    using Resolver = std::function<Action(const QString& path, const QPoint& position,
                                          Qt::KeyboardModifiers modifiers)>;

    // What dropping these local files and folders anywhere on the window does; an empty
    // action refuses them.
    using GroupResolver = std::function<Action(const QStringList& paths)>;

    // `takes`: whether the window takes such a file somewhere, which lets its drag in.
    FileDrop(QWidget* window, std::function<bool(const QString& path)> takes, Resolver resolve);

    // Also takes drops the one-file rule refuses (several files, a folder), as `resolve` says.
    void takeGroups(GroupResolver resolve) { groups_ = std::move(resolve); }

    // The one local file that `data` carries, or nothing.
    static std::optional<QString> singleLocalFile(const QMimeData* data);
    // The local files and folders that `data` carries; empty when any is neither.
    static QStringList localPaths(const QMimeData* data);
    // Whether `path` ends with `suffix` (without its dot), in any letter case.
    static bool hasSuffix(const QString& path, const QString& suffix);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<bool(const QString&)> takes_;
    Resolver resolve_;
    GroupResolver groups_;
};
