// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioFilesImport.h"
#include "AudioFilesSource.h"
#include "CdLabelDocument.h"
#include "CoverWindow.h"
#include "DropFiles.h"
#include "FileContents.h"
#include "LabelWindow.h"
#include "ScriptedPrompter.h"

#include <QBuffer>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

// What the test writes into a file's tags; a file given none keeps the encoder's bare output.
struct Tags {
    QString title, artist, albumArtist, album, genre, year;
    int track = 0, disc = 0;
    QByteArray front, back;

    bool operator==(const Tags&) const = default;
};

// Audio files (their suffix says their format) and the album they give. A picture expected
// as "kept" is a new file of the pictures folder, any other name a file beside the audio.
struct Case {
    std::vector<std::pair<QString, Tags>> files;
    QString besidePicture;
    QByteArray besideBytes;
    bool chooseFiles = false; // the files chosen one by one rather than their folder
    Album album;
    QColor front, back;
};
Q_DECLARE_METATYPE(Case)

namespace {

// Each format lasts its own number of seconds, so that a length read from another file shows.
const QList<std::pair<QString, QString>> encoders = {{"flac", "flac"},     {"mp3", "libmp3lame"},
                                                     {"ogg", "libvorbis"}, {"opus", "libopus"},
                                                     {"m4a", "aac"},       {"wav", "pcm_s16le"}};

int secondsOf(const QString& file)
{
    for (int index = 0; index < encoders.size(); ++index) {
        if (encoders[index].first == QFileInfo(file).suffix())
            return 2 + index;
    }
    return -1;
}

// A disc's tracks, each given by its title and the file it comes from.
Album::Disc disc(std::initializer_list<std::pair<const char*, QString>> tracks)
{
    Album::Disc disc;
    for (const auto& [title, file] : tracks)
        disc.tracks.push_back({title, secondsOf(file)});
    return disc;
}

QByteArray picture(const QColor& colour, const char* format)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

bool hasColour(const QString& path, const QColor& colour)
{
    const QColor pixel = QImage(path).pixelColor(8, 8);
    return std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
               std::abs(pixel.blue() - colour.blue()) <=
           12;
}

// A picture as each format embeds it: FLAC blocks, ID3v2 APIC frames, MP4 covr, Xiph comments.
void embedPicture(TagLib::File* file, int kind, const QByteArray& bytes)
{
    const TagLib::ByteVector data(bytes.constData(), uint(bytes.size()));
    const bool png = bytes.startsWith("\x89PNG");
    const TagLib::String mime = png ? "image/png" : "image/jpeg";
    const auto block = [&] {
        auto* picture = new TagLib::FLAC::Picture;
        picture->setType(TagLib::FLAC::Picture::Type(kind));
        picture->setMimeType(mime);
        picture->setData(data);
        return picture;
    };
    const auto frame = [&](TagLib::ID3v2::Tag* tag) {
        auto* picture = new TagLib::ID3v2::AttachedPictureFrame;
        picture->setType(TagLib::ID3v2::AttachedPictureFrame::Type(kind));
        picture->setMimeType(mime);
        picture->setPicture(data);
        tag->addFrame(picture);
    };
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
        flac->addPicture(block());
    } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file)) {
        frame(mpeg->ID3v2Tag(true));
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
        frame(wav->ID3v2Tag());
    } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
        TagLib::MP4::CoverArtList covers;
        covers.append({png ? TagLib::MP4::CoverArt::PNG : TagLib::MP4::CoverArt::JPEG, data});
        mp4->tag()->setItem("covr", covers);
    } else if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag())) {
        xiph->addPicture(block());
    }
}

bool writeTags(const QString& path, const Tags& tags)
{
    TagLib::FileRef ref(QFile::encodeName(path).constData());
    if (ref.isNull())
        return false;
    TagLib::PropertyMap properties;
    const std::pair<const char*, QString> values[] = {
        {"TITLE", tags.title},
        {"ARTIST", tags.artist},
        {"ALBUMARTIST", tags.albumArtist},
        {"ALBUM", tags.album},
        {"GENRE", tags.genre},
        {"DATE", tags.year},
        {"TRACKNUMBER", tags.track ? QString::number(tags.track) : QString()},
        {"DISCNUMBER", tags.disc ? QStringLiteral("%1/2").arg(tags.disc) : QString()}};
    for (const auto& [key, value] : values) {
        if (!value.isEmpty())
            properties.insert(key, TagLib::String(value.toStdString(), TagLib::String::UTF8));
    }
    ref.file()->setProperties(properties);
    if (!tags.front.isEmpty())
        embedPicture(ref.file(), 3, tags.front);
    if (!tags.back.isEmpty())
        embedPicture(ref.file(), 4, tags.back);
    return ref.save();
}

// An album as text that shows where two differ, its lengths as expected when within a second.
QString describe(const Album& album, const Album& expected)
{
    QStringList lines = {album.artist, album.title, album.year, album.genre};
    for (std::size_t d = 0; d < album.discs.size(); ++d) {
        lines << QStringLiteral("disque %1").arg(d + 1);
        for (std::size_t t = 0; t < album.discs[d].tracks.size(); ++t) {
            int seconds = album.discs[d].tracks[t].seconds;
            if (d < expected.discs.size() && t < expected.discs[d].tracks.size() &&
                std::abs(seconds - expected.discs[d].tracks[t].seconds) <= 1)
                seconds = expected.discs[d].tracks[t].seconds;
            lines << QStringLiteral("%1 (%2 s)").arg(album.discs[d].tracks[t].title).arg(seconds);
        }
    }
    return lines.join(QLatin1Char('|'));
}

} // namespace

class TestAudioFiles : public QObject {
    Q_OBJECT

    QTemporaryDir work_;

    QString silence(const QString& file) const
    {
        return work_.filePath("silence." + QFileInfo(file).suffix());
    }

    // The case's files in `folder`, tagged, beside a file of notes and one that only has the
    // name of an audio file; their paths.
    QStringList makeFiles(const Case& c, const QDir& folder)
    {
        QStringList paths;
        for (const auto& [name, tags] : c.files) {
            const QString path = folder.filePath(name);
            folder.mkpath(QFileInfo(name).path());
            if (!QFile::copy(silence(path), path) || (tags != Tags{} && !writeTags(path, tags)))
                return {};
            paths << path;
        }
        writeAll(folder.filePath("notes.txt"), "Enregistré en 2026");
        writeAll(folder.filePath("faux.m4a"), "pas de l'audio");
        if (!c.besidePicture.isEmpty())
            writeAll(folder.filePath(c.besidePicture), c.besideBytes);
        return paths;
    }

    static AlbumSource::Reply readAlbum(const QStringList& paths, const QString& pictures)
    {
        AudioFilesSource source(paths, pictures);
        QSignalSpy finished(&source, &AlbumSource::finished);
        source.start();
        if (!finished.isEmpty() || !finished.wait(20000))
            return {{}, "pas de réponse, ou une réponse dans start()"};
        return finished.takeFirst().at(0).value<AlbumSource::Reply>();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        if (QStandardPaths::findExecutable("ffmpeg").isEmpty())
            QSKIP("ffmpeg, which encodes the audio files read here, is not installed "
                  "(tools/check.sh installs it)");
        std::vector<std::unique_ptr<QProcess>> encodings;
        for (const auto& [suffix, codec] : encoders) {
            const QString file = silence("x." + suffix);
            auto& ffmpeg = encodings.emplace_back(std::make_unique<QProcess>());
            ffmpeg->start("ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i",
                                     "anullsrc=r=48000:cl=mono", "-t",
                                     QString::number(secondsOf(file)), "-c:a", codec, file});
        }
        for (auto& ffmpeg : encodings)
            ffmpeg->waitForFinished(60000);
        for (auto& ffmpeg : encodings) {
            QCOMPARE(ffmpeg->exitStatus(), QProcess::NormalExit);
            QVERIFY2(ffmpeg->exitCode() == 0, ffmpeg->readAllStandardError().constData());
        }
    }

    void albumOfTheFiles_data()
    {
        QTest::addColumn<Case>("c");
        // Every format with every tag and a front picture; the FLAC file a back one too.
        for (int index = 0; index < encoders.size(); ++index) {
            const QString file = "piste." + encoders[index].first;
            const QColor colour = QColor::fromHsv(index * 60, 200, 220);
            Case c{.files = {{file,
                              {"Titre", "Artiste", "Groupe", "Album", "Jazz", "1999", 1, 0,
                               picture(colour, "JPG")}}},
                   .album = {"Groupe", "Album", "1999", "Jazz", {disc({{"Titre", file}})}, "kept"},
                   .front = colour};
            if (index == 0) {
                c.files[0].second.back = picture(Qt::blue, "PNG");
                c.album.backPicture = "kept";
                c.back = Qt::blue;
            }
            QTest::newRow(qPrintable(file)) << c;
        }

        // Numbered tracks in their order, then the others by name (a number in a name counts
        // as one); a file without tags is named after its file; the artist most tracks name.
        QTest::newRow("order, untagged, cover beside")
            << Case{.files = {{"b.flac", {.title = "Deux", .artist = "A", .track = 2}},
                              {"a.mp3", {.title = "Un", .artist = "B", .track = 1}},
                              {"c.ogg", {.title = "Trois", .artist = "A", .track = 3}},
                              {"10 fin.wav", {}},
                              {"2 milieu.opus", {}}},
                    .besidePicture = "Cover.JPG",
                    .besideBytes = picture(Qt::green, "JPG"),
                    .album = {.artist = "A",
                              .discs = {disc({{"Un", "a.mp3"},
                                              {"Deux", "b.flac"},
                                              {"Trois", "c.ogg"},
                                              {"2 milieu", "2 milieu.opus"},
                                              {"10 fin", "10 fin.wav"}})},
                              .frontPicture = "Cover.JPG"},
                    .front = Qt::green};

        // Two discs by their tags, files chosen one by one; the embedded picture is the one
        // beside them already, so no copy is made.
        const QByteArray red = picture(Qt::red, "PNG");
        const auto onDisc = [](const char* title, int track, int disc, QByteArray front = {}) {
            return Tags{.title = title,
                        .artist = "X",
                        .album = "Double",
                        .track = track,
                        .disc = disc,
                        .front = std::move(front)};
        };
        QTest::newRow("two discs") << Case{
            .files = {{"d2t1.m4a", onDisc("Deux-un", 1, 2)},
                      {"d1t2.flac", onDisc("Un-deux", 2, 1)},
                      {"d1t1.mp3", onDisc("Un-un", 1, 1, red)},
                      {"d2t2.opus", onDisc("Deux-deux", 2, 2)}},
            .besidePicture = "folder.png",
            .besideBytes = red,
            .chooseFiles = true,
            .album = {.artist = "X",
                      .title = "Double",
                      .discs = {disc({{"Un-un", "d1t1.mp3"}, {"Un-deux", "d1t2.flac"}}),
                                disc({{"Deux-un", "d2t1.m4a"}, {"Deux-deux", "d2t2.opus"}})},
                      .frontPicture = "folder.png"},
            .front = Qt::red};

        // An album kept as a folder a disc, without tags.
        QTest::newRow("a disc a folder") << Case{
            .files = {{"CD2/1.flac", {}}, {"CD1/1.mp3", {}}, {"CD1/2.wav", {}}},
            .besidePicture = "FOLDER.jpeg",
            .besideBytes = picture(Qt::yellow, "JPG"),
            .album = {.discs = {disc({{"1", "1.mp3"}, {"2", "2.wav"}}), disc({{"1", "1.flac"}})},
                      .frontPicture = "FOLDER.jpeg"},
            .front = Qt::yellow};
    }

    void albumOfTheFiles()
    {
        QFETCH(Case, c);
        QTemporaryDir folder, pictures;
        const QStringList files = makeFiles(c, folder.path());
        QCOMPARE(files.size(), qsizetype(c.files.size()));
        const AlbumSource::Reply reply =
            readAlbum(c.chooseFiles ? files : QStringList{folder.path()}, pictures.path());
        QVERIFY2(!reply.failed(), qPrintable(reply.failure));
        QCOMPARE(reply.albums.size(), std::size_t(1));
        const Album& album = reply.albums.front();
        QCOMPARE(describe(album, c.album), describe(c.album, c.album));

        int kept = 0;
        for (const auto& [path, expected, colour] :
             {std::tuple{album.frontPicture, c.album.frontPicture, c.front},
              std::tuple{album.backPicture, c.album.backPicture, c.back}}) {
            if (expected == "kept") {
                QCOMPARE(QFileInfo(path).absolutePath(), QDir(pictures.path()).absolutePath());
                ++kept;
            } else {
                QCOMPARE(path, expected.isEmpty() ? QString() : folder.filePath(expected));
            }
            if (!expected.isEmpty())
                QVERIFY2(hasColour(path, colour), qPrintable(path));
        }
        QCOMPARE(QDir(pictures.path()).entryList(QDir::Files).size(), kept);
    }

    void nothingToRead()
    {
        QTemporaryDir folder, pictures;
        QVERIFY(makeFiles({}, folder.path()).isEmpty());
        const QString formats = "(FLAC, MP3, Ogg Vorbis, Opus, M4A ou WAV).";
        const QString missing = folder.filePath("absent");
        const std::pair<QStringList, QString> cases[] = {
            {{folder.path()},
             QStringLiteral("Le dossier %1 ne contient aucun fichier audio lisible %2")
                 .arg(folder.path(), formats)},
            {{missing}, QStringLiteral("Le dossier %1 est introuvable.").arg(missing)},
            {{folder.filePath("faux.m4a"), folder.filePath("notes.txt")},
             "Aucun des fichiers choisis n'est un fichier audio lisible " + formats}};
        for (const auto& [paths, failure] : cases) {
            const AlbumSource::Reply reply = readAlbum(paths, pictures.path());
            QCOMPARE(reply.failure, failure);
            QVERIFY(reply.albums.empty());
        }

        // A search cancelled, or whose source goes, never answers.
        AudioFilesSource cancelled({folder.path()}, pictures.path());
        QSignalSpy finished(&cancelled, &AlbumSource::finished);
        cancelled.start();
        cancelled.cancel();
        AudioFilesSource(QStringList{folder.path()}, pictures.path()).start();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(finished.size(), 0);
    }

    // The menu entry of the real window: the folder chosen, read while the window goes on,
    // the album handed to the window; a folder without audio is said.
    void menuEntry()
    {
        QTemporaryDir folder, empty;
        const Case c{.files = {{"01.flac", {.title = "Seule", .album = "Album"}}},
                     .besidePicture = "cover.jpg",
                     .besideBytes = picture(Qt::cyan, "JPG")};
        QCOMPARE(makeFiles(c, folder.path()).size(), 1);
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        const MainMenus& menus = window.menus();
        QAction* entry = menus.file.importAudio;
        const QList<QAction*> entries = menus.fileMenu->actions();
        QCOMPARE(entries.indexOf(entry), entries.indexOf(menus.file.quit) + 2);
        QCOMPARE(entry->text(), "&Importer depuis des fichiers audio");
        // Below it, the entries that fill the cover and the label from the album last read.
        QAction* createCover = menus.file.createCover;
        QAction* createLabel = menus.file.createLabel;
        QCOMPARE(entries.indexOf(createCover), entries.indexOf(entry) + 1);
        QCOMPARE(entries.indexOf(createLabel), entries.indexOf(entry) + 2);
        QCOMPARE(createCover->text(), "Créer la &jaquette");
        QCOMPARE(createLabel->text(), "Créer l'é&tiquette");
        for (const auto key : {Qt::Key_I, Qt::Key_J, Qt::Key_T})
            QCOMPARE(std::count_if(entries.begin(), entries.end(),
                                   [key](QAction* other) {
                                       return QKeySequence::mnemonic(other->text()) ==
                                              QKeySequence(Qt::ALT | key);
                                   }),
                     1);
        QVERIFY(!createCover->isEnabled() && !createLabel->isEnabled());

        prompter.paths = {folder.path(), empty.path(), std::nullopt};
        entry->trigger();
        QCOMPARE(prompter.lastAsked().kind, "folder");
        QCOMPARE(prompter.last().title, AudioFilesImport::title());
        QVERIFY(!entry->isEnabled() && QGuiApplication::overrideCursor());
        QTRY_VERIFY(entry->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        // The album read fills the cover, as one step.
        const JewelCaseDocument& cover = window.document();
        QCOMPARE(cover.picturePath(Face::Recto), folder.filePath("cover.jpg"));
        QVERIFY(std::any_of(cover.faces[Face::Verso].texts.begin(),
                            cover.faces[Face::Verso].texts.end(), [](const auto& text) {
                                return text.second.caption().contains(QStringLiteral("Seule"));
                            }));
        QCOMPARE(window.context().history.stack().undoText(),
                 QStringLiteral("la création de la jaquette"));
        // The same album makes the label, in its window; and the cover again, after the
        // unsaved-changes question.
        QVERIFY(createCover->isEnabled() && createLabel->isEnabled());
        QCOMPARE(createLabel->statusTip(), "Album");
        createLabel->trigger();
        QVERIFY(window.labelWindow() && window.labelWindow()->isVisible());
        const CdLabelDocument& label = window.labelWindow()->label();
        QCOMPARE(label.pictureFileName, folder.filePath("cover.jpg"));
        QCOMPARE(label.shownTexts().size(), 1u);
        QCOMPARE(label.shownTexts().front()->caption(), "Album");
        window.labelWindow()->close();
        prompter.buttons = {Prompter::No};
        createCover->trigger();
        QCOMPARE(prompter.last().title, "Fichier modifié");
        // The same album gives the same cover (the same picture, read once): no new step.
        QCOMPARE(window.context().history.stack().count(), 1);
        QCOMPARE(cover.picturePath(Face::Recto), folder.filePath("cover.jpg"));

        entry->trigger();
        QCOMPARE(prompter.lastAsked().defaultText, folder.path());
        QTRY_COMPARE(prompter.lastAsked().kind, "message");
        QCOMPARE(prompter.last().text,
                 QStringLiteral("Le dossier %1 ne contient aucun fichier audio lisible (FLAC, "
                                "MP3, Ogg Vorbis, Opus, M4A ou WAV).")
                     .arg(empty.path()));
        QCOMPARE(prompter.last().title, AudioFilesImport::title());
        // A failed reading changes nothing.
        QCOMPARE(window.context().history.stack().count(), 1);

        entry->trigger(); // the dialog cancelled
        QVERIFY(entry->isEnabled() && !QGuiApplication::overrideCursor());

        // A catalogue program's album record, imported by "&Nouveau", is the album now.
        QTemporaryDir records;
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(records.path()));
        QVERIFY(writeAll(records.filePath("x~x.cfg"),
                         "[Core]\r\nMediaFlag=1\r\nArtist=Nina\r\nTitle=Live\r\n"
                         "[RecordData]\r\nNrSubRecords=1\r\n[SubRec]\r\nTrack1=Intro\r\n"));
        prompter.buttons = {Prompter::No, Prompter::Yes};
        menus.file.newCover->trigger();
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(createLabel->statusTip(), "Nina - Live");
        QVERIFY(window.album() && window.album()->discs.at(0).tracks.at(0).title == "Intro");
        // Audio files dropped on the window, one or several, or their folder, are read as the
        // entry reads a folder; a drop with anything else in it is refused.
        QTemporaryDir two;
        const Case c2{.files = {{"01.flac", {.title = "Un", .album = "Deux"}},
                                {"02.ogg", {.title = "Autre", .album = "Deux"}}}};
        const QStringList files = makeFiles(c2, two.path());
        QCOMPARE(files.size(), 2);
        QVERIFY(writeAll(two.filePath("notes.txt"), "texte"));
        const QPoint at = window.rect().center();
        QCOMPARE(drop(&window, {files.at(0), two.filePath("notes.txt")}, at),
                 std::make_pair(false, false));
        prompter.buttons = {Prompter::No};
        QCOMPARE(drop(&window, files, at), std::make_pair(true, true));
        QTRY_COMPARE(createLabel->statusTip(), "Deux");
        QCOMPARE(window.album()->trackCount(), 2);
        QCOMPARE(window.context().history.stack().undoText(),
                 QStringLiteral("la création de la jaquette"));
        prompter.buttons = {Prompter::No};
        QCOMPARE(drop(&window, {folder.path()}, at), std::make_pair(true, true));
        QTRY_COMPARE(createLabel->statusTip(), "Album");
    }
};

QTEST_MAIN(TestAudioFiles)
#include "tst_audiofiles.moc"
