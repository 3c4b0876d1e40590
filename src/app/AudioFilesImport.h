// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AlbumSource.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class AudioFilesSource;
class Prompter;
class QAction;

// "Importer depuis des fichiers audio": asks for a folder, reads its audio files in the
// background under a busy cursor (the window stays usable) with its entry disabled, then hands
// the album on, or tells the user why there is none.
class AudioFilesImport : public QObject {
    Q_OBJECT
public:
    using AlbumRead = std::function<void(const Album&)>;

    static QString title();

    AudioFilesImport(Prompter& prompter, QAction& entry, AlbumRead albumRead,
                     QObject* parent = nullptr);
    // A reading still under way is dropped, and the cursor given back.
    ~AudioFilesImport() override;

    // The entry: asks for a folder, then reads it.
    void run();
    // Reads these folders and audio files (a drop on the window), unless a reading is under
    // way.
    void read(const QStringList& paths);
    bool running() const { return source_ != nullptr; }

private:
    void finish(const AlbumSource::Reply& reply);
    void stop();

    Prompter& prompter_;
    QPointer<QAction> entry_; // the window's, which may go first
    AlbumRead albumRead_;
    AudioFilesSource* source_ = nullptr;
    QString lastFolder_; // where the folder dialog opens next
};
