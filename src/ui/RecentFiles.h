// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

class Prompter;
class QAction;
class QMenu;

// The last files a window opened or saved, most recent first, kept in the user's settings under
// the window's own group so that they outlive the program. They are the numbered entries at the
// end of the window's file menu ("&1 nom.jkcd", the whole path as tooltip); choosing one asks
// the window to open it, unless the file has gone, which is said and takes it off the list.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int maximum = 8;

    // `group`: the settings group of the window's list; the entries go under a separator at the
    // end of `menu`.
    RecentFiles(const QString& group, QMenu* menu, Prompter& prompter, QObject* parent = nullptr);

    // A file opened or saved: first in the list, once, and the ninth goes.
    void add(const QString& path);
    void remove(const QString& path);
    QStringList files() const;

    // The menu entries, in the list's order; those past its end are hidden.
    const std::array<QAction*, maximum>& entries() const { return entries_; }

Q_SIGNALS:
    // An entry chosen whose file is still there.
    void fileChosen(const QString& path);

private:
    void store(const QStringList& files);
    void showEntries();
    void choose(int entry);

    QString key_;
    Prompter& prompter_;
    QAction* separator_ = nullptr;
    std::array<QAction*, maximum> entries_{};
};
