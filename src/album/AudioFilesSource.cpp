// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioFilesSource.h"

#include "AudioFileTags.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHash>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <climits>

namespace {

const QString formats = QStringLiteral("FLAC, MP3, Ogg Vorbis, Opus, M4A ou WAV");

struct ReadTrack {
    QString fileName;
    int disc = 1;
    AudioFileTags tags;
};

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Names as a person sorts them: "2 - …" before "10 - …", letters whatever their case (the
// locale's collation would not do: in the C locale it ignores numbers).
bool namedBefore(const QString& a, const QString& b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (isAsciiDigit(a[i]) && isAsciiDigit(b[j])) {
            const auto number = [](const QString& text, qsizetype& at) {
                while (at + 1 < text.size() && text[at] == QLatin1Char('0') &&
                       isAsciiDigit(text[at + 1]))
                    ++at;
                const qsizetype start = at;
                while (at < text.size() && isAsciiDigit(text[at]))
                    ++at;
                return QStringView(text).sliced(start, at - start);
            };
            const QStringView first = number(a, i);
            const QStringView second = number(b, j);
            if (first.size() != second.size())
                return first.size() < second.size();
            if (const int order = first.compare(second))
                return order < 0;
            continue;
        }
        const QChar first = a[i++].toCaseFolded();
        const QChar second = b[j++].toCaseFolded();
        if (first != second)
            return first < second;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}

QStringList audioFilesIn(const QDir& folder)
{
    QStringList files;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Readable)) {
        if (AudioFileTags::isAudioFileName(file.fileName()))
            files << file.filePath();
    }
    return files;
}

// The audio files of the paths, read in `tracks`; `folders` gets those whose pictures may be
// the album's. A folder without audio files of its own gives its subfolders', a disc each.
void readFiles(const QStringList& paths, std::vector<ReadTrack>& tracks, QStringList& folders,
               const std::atomic_bool& cancelled)
{
    const auto read = [&](const QStringList& files, int folderDisc) {
        const std::size_t before = tracks.size();
        for (const QString& file : files) {
            if (cancelled)
                break;
            if (std::optional<AudioFileTags> tags = AudioFileTags::read(file)) {
                const int disc = tags->disc > 0 ? tags->disc : std::max(folderDisc, 1);
                tracks.push_back({QFileInfo(file).fileName(), disc, std::move(*tags)});
            }
        }
        return tracks.size() > before;
    };
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isFile()) {
            if (AudioFileTags::isAudioFileName(path) && read({path}, 0))
                folders << info.absolutePath();
            continue;
        }
        if (!info.isDir())
            continue;
        const QDir folder(info.filePath());
        folders << folder.absolutePath();
        if (read(audioFilesIn(folder), 0))
            continue;
        // An album kept as "CD1", "CD2"…
        QStringList discFolders = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(discFolders.begin(), discFolders.end(), namedBefore);
        int disc = 0;
        for (const QString& name : discFolders) {
            const QDir discFolder(folder.filePath(name));
            if (read(audioFilesIn(discFolder), disc + 1)) {
                ++disc;
                folders << discFolder.absolutePath();
            }
        }
    }
    folders.removeDuplicates();
}

QString nothingFound(const QStringList& paths)
{
    if (paths.size() == 1) {
        const QFileInfo info(paths.front());
        const QString shown = QDir::toNativeSeparators(paths.front());
        if (!info.exists())
            return QStringLiteral("Le dossier %1 est introuvable.").arg(shown);
        if (info.isDir())
            return QStringLiteral("Le dossier %1 ne contient aucun fichier audio lisible (%2).")
                .arg(shown, formats);
    }
    return QStringLiteral("Aucun des fichiers choisis n'est un fichier audio lisible (%1).")
        .arg(formats);
}

// The picture files beside the audio files.
struct PicturesBeside {
    QStringList covers; // "cover" before "folder", JPEG before PNG, in any letter case
    QStringList all;    // every JPEG and PNG file, where a picture of the tags may lie already
};

PicturesBeside picturesBeside(const QStringList& folders)
{
    static const QStringList stems = {QStringLiteral("cover"), QStringLiteral("folder")};
    static const QStringList suffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                         QStringLiteral("png")};
    PicturesBeside pictures;
    for (const QString& path : folders) {
        const QFileInfoList files = QDir(path).entryInfoList(QDir::Files | QDir::Readable);
        for (const QString& stem : stems) {
            for (const QString& suffix : suffixes) {
                for (const QFileInfo& file : files) {
                    if (file.fileName().compare(stem + QLatin1Char('.') + suffix,
                                                Qt::CaseInsensitive) == 0)
                        pictures.covers << file.absoluteFilePath();
                }
            }
        }
        for (const QFileInfo& file : files) {
            if (suffixes.contains(file.suffix().toLower()))
                pictures.all << file.absoluteFilePath();
        }
    }
    return pictures;
}

// A picture taken out of a file: the file beside the audio that holds the same picture, else a
// new file of the pictures folder.
QString pictureFile(const QByteArray& bytes, const QStringList& beside, const Album& album,
                    AlbumPictures::Side side, const QString& picturesFolder)
{
    for (const QString& path : beside) {
        QFile file(path);
        if (file.size() == bytes.size() && file.open(QIODevice::ReadOnly) &&
            file.readAll() == bytes)
            return path;
    }
    return AlbumPictures::keep(bytes, album.artist, album.title, side, picturesFolder);
}

// The first track's that has one.
template <typename Field>
Field firstOf(const std::vector<ReadTrack>& tracks, Field AudioFileTags::*field)
{
    for (const ReadTrack& track : tracks) {
        if (!(track.tags.*field).isEmpty())
            return track.tags.*field;
    }
    return {};
}

// With no album artist, the artist most tracks name (the first of those named as often).
QString albumArtist(const std::vector<ReadTrack>& tracks)
{
    QString artist = firstOf(tracks, &AudioFileTags::albumArtist);
    if (!artist.isEmpty())
        return artist;
    QHash<QString, int> counts;
    int most = 0;
    for (const ReadTrack& track : tracks) {
        if (track.tags.artist.isEmpty())
            continue;
        const int count = ++counts[track.tags.artist];
        if (count > most) {
            most = count;
            artist = track.tags.artist;
        }
    }
    return artist;
}

AlbumSource::Reply readAlbum(const QStringList& paths, const QString& picturesFolder,
                             const std::atomic_bool& cancelled)
{
    QStringList folders;
    std::vector<ReadTrack> tracks;
    readFiles(paths, tracks, folders, cancelled);
    if (cancelled)
        return {};
    if (tracks.empty())
        return {{}, nothingFound(paths)};

    // Numbered tracks first, in their order; then the others by name.
    const auto number = [](const ReadTrack& track) {
        return track.tags.track > 0 ? track.tags.track : INT_MAX;
    };
    std::stable_sort(tracks.begin(), tracks.end(), [&](const ReadTrack& a, const ReadTrack& b) {
        if (a.disc != b.disc)
            return a.disc < b.disc;
        if (number(a) != number(b))
            return number(a) < number(b);
        return namedBefore(a.fileName, b.fileName);
    });

    Album album;
    album.artist = albumArtist(tracks);
    album.title = firstOf(tracks, &AudioFileTags::album);
    album.year = firstOf(tracks, &AudioFileTags::year);
    album.genre = firstOf(tracks, &AudioFileTags::genre);
    for (std::size_t index = 0; index < tracks.size(); ++index) {
        const ReadTrack& track = tracks[index];
        if (index == 0 || track.disc != tracks[index - 1].disc)
            album.discs.emplace_back();
        Album::Disc& disc = album.discs.back();
        if (disc.title.isEmpty())
            disc.title = track.tags.discTitle;
        const QString title = track.tags.title.isEmpty()
                                  ? QFileInfo(track.fileName).completeBaseName()
                                  : track.tags.title;
        disc.tracks.push_back({title, track.tags.seconds});
    }

    if (cancelled)
        return {};
    const PicturesBeside beside = picturesBeside(folders);
    using AlbumPictures::Side;
    const QByteArray front = firstOf(tracks, &AudioFileTags::frontPicture);
    if (!front.isEmpty())
        album.frontPicture = pictureFile(front, beside.all, album, Side::Front, picturesFolder);
    else if (!beside.covers.isEmpty())
        album.frontPicture = beside.covers.front();
    const QByteArray back = firstOf(tracks, &AudioFileTags::backPicture);
    if (!back.isEmpty())
        album.backPicture = pictureFile(back, beside.all, album, Side::Back, picturesFolder);
    return {{album}, {}};
}

} // namespace

AudioFilesSource::AudioFilesSource(QStringList paths, QString picturesFolder, QObject* parent)
    : AlbumSource(parent), paths_(std::move(paths)), picturesFolder_(std::move(picturesFolder))
{
}

AudioFilesSource::~AudioFilesSource()
{
    cancel();
}

void AudioFilesSource::start()
{
    cancel();
    cancelled_ = std::make_shared<std::atomic_bool>(false);
    auto* watcher = new QFutureWatcher<Reply>(this);
    watcher_ = watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const Reply reply = watcher->result();
        watcher->deleteLater();
        watcher_ = nullptr;
        Q_EMIT finished(reply);
    });
    // The worker holds copies only: a source deleted meanwhile leaves it nothing to touch.
    watcher->setFuture(
        QtConcurrent::run([paths = paths_, folder = picturesFolder_, cancelled = cancelled_] {
            return readAlbum(paths, folder, *cancelled);
        }));
}

void AudioFilesSource::cancel()
{
    if (cancelled_)
        *cancelled_ = true;
    // The worker stops at its next file; its reply goes nowhere.
    delete watcher_;
    watcher_ = nullptr;
}
