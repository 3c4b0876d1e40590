// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentFiles.h"

#include "Prompter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

RecentFiles::RecentFiles(const QString& group, QMenu* menu, Prompter& prompter, QObject* parent)
    : QObject(parent), key_(group + QStringLiteral("/recentFiles")), prompter_(prompter)
{
    separator_ = menu->addSeparator();
    for (int entry = 0; entry < maximum; ++entry) {
        auto* action = new QAction(menu);
        connect(action, &QAction::triggered, this, [this, entry] { choose(entry); });
        menu->addAction(action);
        entries_[std::size_t(entry)] = action;
    }
    // The whole path of an entry, where its name alone may not say which file it is.
    menu->setToolTipsVisible(true);
    showEntries();
}

QStringList RecentFiles::files() const
{
    QStringList files = QSettings().value(key_).toStringList();
    files.removeAll(QString());
    return files.mid(0, maximum);
}

void RecentFiles::store(const QStringList& files)
{
    QSettings().setValue(key_, files);
    showEntries();
}

void RecentFiles::add(const QString& path)
{
    // One spelling of a file, so that it is listed once however it was reached.
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList files = this->files();
    files.removeAll(file);
    files.prepend(file);
    store(files.mid(0, maximum));
}

void RecentFiles::remove(const QString& path)
{
    QStringList files = this->files();
    files.removeAll(path);
    store(files);
}

void RecentFiles::showEntries()
{
    const QStringList files = this->files();
    separator_->setVisible(!files.isEmpty());
    for (int entry = 0; entry < maximum; ++entry) {
        QAction* action = entries_[std::size_t(entry)];
        const bool used = entry < files.size();
        action->setVisible(used);
        if (!used)
            continue;
        const QString& file = files[entry];
        // A digit as the mnemonic, which no entry of the program's menus takes; an "&" of the
        // name is the name's own.
        QString name = QFileInfo(file).fileName();
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        action->setText(QLatin1Char('&') + QString::number(entry + 1) + QLatin1Char(' ') + name);
        action->setToolTip(QDir::toNativeSeparators(file));
        action->setStatusTip(QDir::toNativeSeparators(file));
        action->setData(file);
    }
}

void RecentFiles::choose(int entry)
{
    const QString file = entries_[std::size_t(entry)]->data().toString();
    if (!QFileInfo(file).isFile()) {
        prompter_.inform(QStringLiteral("Le fichier ") + file +
                             QStringLiteral(" est introuvable !"),
                         QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
        remove(file);
        return;
    }
    Q_EMIT fileChosen(file);
}
