// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioFileTags.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

#include <cmath>

namespace {

QString toQString(const TagLib::String& text)
{
    return QString::fromStdString(text.to8Bit(true)).trimmed();
}

QByteArray toBytes(const TagLib::ByteVector& bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// The number a tag starts with: "2/3" is disc 2 of 3.
int leadingNumber(const QString& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return text.left(std::min<qsizetype>(digits, 6)).toInt();
}

QString firstValue(const TagLib::PropertyMap& properties, const char* key)
{
    const auto found = properties.find(key);
    if (found == properties.end() || found->second.isEmpty())
        return {};
    return toQString(found->second.front());
}

// The kinds of picture FLAC, ID3v2 and Xiph comments share.
enum PictureKind { OtherPicture = 0, FrontPicture = 3, BackPicture = 4 };

struct Pictures {
    QByteArray front;
    QByteArray other;
    QByteArray back;

    void offer(int kind, const TagLib::ByteVector& data)
    {
        const QByteArray bytes = toBytes(data);
        if (!bytes.startsWith("\xff\xd8\xff") && !bytes.startsWith("\x89PNG\r\n\x1a\n"))
            return;
        QByteArray* slot = kind == FrontPicture   ? &front
                           : kind == BackPicture  ? &back
                           : kind == OtherPicture ? &other
                                                  : nullptr;
        if (slot && slot->isEmpty())
            *slot = bytes;
    }
    void offer(const TagLib::List<TagLib::FLAC::Picture*>& pictures)
    {
        for (const TagLib::FLAC::Picture* picture : pictures)
            offer(picture->type(), picture->data());
    }
    void offer(TagLib::ID3v2::Tag* tag)
    {
        if (!tag)
            return;
        for (const TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
            if (const auto* picture =
                    dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame))
                offer(picture->type(), picture->picture());
        }
    }
};

Pictures picturesOf(TagLib::File* file)
{
    Pictures pictures;
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
        pictures.offer(flac->pictureList());
        if (flac->hasXiphComment())
            pictures.offer(flac->xiphComment()->pictureList());
        if (flac->hasID3v2Tag())
            pictures.offer(flac->ID3v2Tag());
    } else if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file)) {
        if (mpeg->hasID3v2Tag())
            pictures.offer(mpeg->ID3v2Tag());
    } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
        if (wav->hasID3v2Tag())
            pictures.offer(wav->ID3v2Tag());
    } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
        // An MP4 cover has no kind: the first is the front.
        if (mp4->tag()) {
            const TagLib::MP4::CoverArtList covers = mp4->tag()->item("covr").toCoverArtList();
            if (!covers.isEmpty())
                pictures.offer(FrontPicture, covers.front().data());
        }
    } else if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag())) {
        pictures.offer(xiph->pictureList());
    }
    if (pictures.front.isEmpty())
        pictures.front = pictures.other;
    return pictures;
}

} // namespace

bool AudioFileTags::isAudioFileName(const QString& fileName)
{
    static const QStringList suffixes = {
        QStringLiteral("flac"), QStringLiteral("mp3"), QStringLiteral("ogg"), QStringLiteral("oga"),
        QStringLiteral("opus"), QStringLiteral("m4a"), QStringLiteral("wav")};
    return suffixes.contains(QFileInfo(fileName).suffix().toLower());
}

std::optional<AudioFileTags> AudioFileTags::read(const QString& path)
{
    // TagLib goes by the suffix, then by the contents (an Opus stream named .ogg).
    const TagLib::FileRef ref(QFile::encodeName(path).constData());
    if (ref.isNull() || !ref.audioProperties())
        return std::nullopt;

    AudioFileTags tags;
    tags.seconds = int(std::lround(ref.audioProperties()->lengthInMilliseconds() / 1000.0));
    if (const TagLib::Tag* tag = ref.tag()) {
        tags.title = toQString(tag->title());
        tags.artist = toQString(tag->artist());
        tags.album = toQString(tag->album());
        tags.genre = toQString(tag->genre());
        if (tag->year() > 0)
            tags.year = QString::number(tag->year());
        tags.track = int(std::min(tag->track(), 9999u));
    }
    const TagLib::PropertyMap properties = ref.file()->properties();
    tags.albumArtist = firstValue(properties, "ALBUMARTIST");
    tags.disc = leadingNumber(firstValue(properties, "DISCNUMBER"));
    tags.discTitle = firstValue(properties, "DISCSUBTITLE");
    const Pictures pictures = picturesOf(ref.file());
    tags.frontPicture = pictures.front;
    tags.backPicture = pictures.back;
    return tags;
}
