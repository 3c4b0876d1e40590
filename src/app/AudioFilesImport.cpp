// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioFilesImport.h"

#include "AudioFilesSource.h"
#include "Prompter.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QStandardPaths>

QString AudioFilesImport::title()
{
    return QStringLiteral("Importer depuis des fichiers audio");
}

AudioFilesImport::AudioFilesImport(Prompter& prompter, QAction& entry, AlbumRead albumRead,
                                   QObject* parent)
    : QObject(parent), prompter_(prompter), entry_(&entry), albumRead_(std::move(albumRead))
{
    entry.setEnabled(true);
    connect(&entry, &QAction::triggered, this, &AudioFilesImport::run);
}

AudioFilesImport::~AudioFilesImport()
{
    stop();
}

void AudioFilesImport::run()
{
    if (running())
        return;
    QString start = lastFolder_;
    if (start.isEmpty())
        start = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    if (start.isEmpty() || !QDir(start).exists())
        start = QDir::homePath();
    const std::optional<QString> folder = prompter_.getExistingDirectory(title(), start);
    if (!folder || folder->isEmpty())
        return;
    lastFolder_ = *folder;
    read({*folder});
}

void AudioFilesImport::read(const QStringList& paths)
{
    if (running())
        return;
    source_ = new AudioFilesSource(paths, AlbumPictures::folder(), this);
    connect(source_, &AlbumSource::finished, this, &AudioFilesImport::finish);
    entry_->setEnabled(false);
    QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    source_->start();
}

void AudioFilesImport::finish(const AlbumSource::Reply& reply)
{
    stop();
    if (reply.failed())
        prompter_.inform(reply.failure, title(), Prompter::Icon::Exclamation);
    else if (!reply.albums.empty())
        albumRead_(reply.albums.front());
}

void AudioFilesImport::stop()
{
    if (!source_)
        return;
    source_->cancel();
    source_->deleteLater();
    source_ = nullptr;
    if (entry_)
        entry_->setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
}
