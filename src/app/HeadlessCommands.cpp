// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeadlessCommands.h"

#include "AlbumLayout.h"
#include "AudioFilesSource.h"
#include "BmpFile.h"
#include "CatalogueRecord.h"
#include "CdLabelDocument.h"
#include "CddbSource.h"
#include "CommandLine.h"
#include "CommandUsage.h"
#include "CoverFile.h"
#include "CoverFileCommands.h"
#include "CoverScreen.h"
#include "DiscInfo.h"
#include "DiscToc.h"
#include "GivenTocReader.h"
#include "JewelCaseDocument.h"
#include "LabelFile.h"
#include "LabelRenderer.h"
#include "MusicBrainzSource.h"
#include "PrintedSheet.h"
#include "RecordLayout.h"
#include "SharedProcedures.h"
#include "SheetRenderer.h"
#include "StderrPrompter.h"
#include "TrackList.h"

#include <cstdio>

#include <QEventLoop>
#include <QFileInfo>
#include <QImage>

namespace HeadlessCommands {

using namespace CommandUsage;

namespace {

// A CD label's file, by its name; anything else is read as a cover.
using CommandLine::isLabelFile;

QString outputSuffix(const QString& out)
{
    return QFileInfo(out).suffix().toLower();
}

int fail(Prompter& prompter, const QString& text)
{
    prompter.inform(text, QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
    return 1;
}

// A command line refused: what is wrong with it, in one line, then how `command` is written.
std::optional<Request> refuse(QLatin1String command, const QString& wrong)
{
    StderrPrompter prompter;
    fail(prompter, wrong);
    std::fprintf(stderr, "%s\n", qPrintable(usage(command)));
    return std::nullopt;
}

// An option as it was typed, for a refusal to quote it.
QString typed(const QString& option, const QString& value)
{
    return value.isEmpty() ? option : option + QLatin1Char(' ') + value;
}

// --export OUT IN [--sheet recto|dos] [--dpi N]; a label has no sheets to name.
std::optional<Request> parseExport(const QStringList& arguments)
{
    const auto refused = [](const QString& wrong) { return refuse(exportDocument, wrong); };
    if (arguments.size() < 4)
        return refused(QStringLiteral("--export : il faut le fichier à écrire, puis la jaquette "
                                      "ou l'étiquette à lire."));
    Request request;
    request.command = exportDocument;
    request.out = arguments.at(2);
    request.in = arguments.at(3);
    const QString suffix = outputSuffix(request.out);
    if (suffix != QStringLiteral("pdf") && suffix != QStringLiteral("png") &&
        suffix != QStringLiteral("bmp"))
        return refused(QStringLiteral("%1 : le fichier écrit est un PDF, un PNG ou un BMP (son "
                                      "nom finit par .pdf, .png ou .bmp).")
                           .arg(request.out));
    for (qsizetype i = 4; i < arguments.size(); i += 2) {
        const QString option = arguments.at(i);
        const QString value = arguments.value(i + 1);
        if (option == sheet && isLabelFile(request.in)) {
            return refused(
                QStringLiteral("%1 : une étiquette n'a qu'une feuille.").arg(typed(option, value)));
        } else if (option == sheet) {
            if (value == QStringLiteral("recto"))
                request.sheet = RectoSheet;
            else if (value == QStringLiteral("dos"))
                request.sheet = DosSheet;
            else
                return refused(QStringLiteral("%1 : la feuille est « recto » (le Recto et le "
                                              "Verso) ou « dos ».")
                                   .arg(typed(option, value)));
        } else if (option == dpi) {
            bool number = false;
            request.dpi = value.toInt(&number);
            if (!number || *request.dpi < minimumDpi || *request.dpi > maximumDpi)
                return refused(QStringLiteral("%1 : la résolution est un nombre entier de %2 à "
                                              "%3 points par pouce.")
                                   .arg(typed(option, value))
                                   .arg(minimumDpi)
                                   .arg(maximumDpi));
        } else {
            return refused(QStringLiteral("%1 : option inconnue de --export, qui prend %2 et %3.")
                               .arg(option, sheet, dpi));
        }
    }
    return request;
}

// --cddb-lookup --toc TABLE [--server URL] [--email ADDRESS], in any order.
std::optional<Request> parseLookup(const QStringList& arguments)
{
    const auto refused = [](const QString& wrong) { return refuse(cddbLookup, wrong); };
    Request request;
    request.command = cddbLookup;
    for (qsizetype i = 2; i < arguments.size(); i += 2) {
        const QString option = arguments.at(i);
        if (option != server && option != email && option != toc)
            return refused(QStringLiteral("%1 : option inconnue de --cddb-lookup, qui prend %2, "
                                          "%3 et %4.")
                               .arg(option, toc, server, email));
        if (i + 1 >= arguments.size())
            return refused(QStringLiteral("%1 : sa valeur manque.").arg(option));
        const QString value = arguments.at(i + 1);
        QString wrong;
        if (option == server)
            request.server = value;
        else if (option == email)
            request.email = value;
        else if (!(request.toc = DiscToc::fromString(value, &wrong)))
            return refused(QStringLiteral("%1 : %2").arg(option, wrong));
    }
    if (!request.toc)
        return refused(QStringLiteral("--cddb-lookup : %1 manque, la table des matières du "
                                      "disque.")
                           .arg(toc));
    return request;
}

// --fill-from-audio FOLDER OUT [--label]; --fill-from-musicbrainz (--toc TABLE | --discid ID |
// --search "ARTIST - ALBUM") [--server URL] [--cover-art-server URL] [--label] OUT. Options in
// any order; OUT names a cover (.jkcd) or, with --label or by its name, a label (.jket).
std::optional<Request> parseFill(const QStringList& arguments)
{
    const QLatin1String command =
        arguments.at(1) == fillFromAudio ? fillFromAudio : fillFromMusicBrainz;
    const bool fromAudio = command == fillFromAudio;
    const auto refused = [command](const QString& wrong) { return refuse(command, wrong); };
    Request request;
    request.command = command;
    QStringList files;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString option = arguments.at(i);
        if (option == label) {
            request.label = true;
            continue;
        }
        if (!option.startsWith(QStringLiteral("--"))) {
            files << option;
            continue;
        }
        if (fromAudio || (option != toc && option != discId && option != search &&
                          option != server && option != coverArtServer))
            return refused(QStringLiteral("%1 : option inconnue de %2.").arg(option, command));
        if (i + 1 >= arguments.size())
            return refused(QStringLiteral("%1 : sa valeur manque.").arg(option));
        const QString value = arguments.at(++i);
        QString wrong;
        if (option == toc && !(request.toc = DiscToc::fromString(value, &wrong)))
            return refused(QStringLiteral("%1 : %2").arg(option, wrong));
        if (option == discId)
            request.discId = value;
        else if (option == search)
            request.search = value;
        else if (option == server)
            request.server = value;
        else if (option == coverArtServer)
            request.coverArtServer = value;
    }
    if (files.size() != (fromAudio ? 2 : 1))
        return refused(fromAudio ? QStringLiteral("--fill-from-audio : il faut le dossier des "
                                                  "fichiers audio, puis la jaquette ou "
                                                  "l'étiquette à écrire.")
                                 : QStringLiteral("--fill-from-musicbrainz : il faut la "
                                                  "jaquette ou l'étiquette à écrire."));
    if (!fromAudio &&
        int(bool(request.toc)) + int(bool(request.discId)) + int(bool(request.search)) != 1)
        return refused(QStringLiteral("--fill-from-musicbrainz : il faut une des options %1, "
                                      "%2 et %3, et une seule.")
                           .arg(toc, discId, search));
    request.in = fromAudio ? files.first() : QString();
    request.out = files.last();
    const QString suffix = outputSuffix(request.out);
    request.label = request.label || suffix == QStringLiteral("jket");
    if (suffix != (request.label ? QStringLiteral("jket") : QStringLiteral("jkcd")))
        return refused(QStringLiteral("%1 : le fichier écrit est une jaquette (.jkcd) ou, avec "
                                      "%2, une étiquette (.jket).")
                           .arg(request.out, label));
    return request;
}

int convertDocument(const QString& in, const QString& out, Prompter& prompter)
{
    if (isLabelFile(in)) {
        CdLabelDocument label;
        if (!LabelFile::open(label, in, prompter))
            return 1;
        return LabelFile::save(label, out, prompter) ? 0 : 1;
    }
    JewelCaseDocument document;
    if (!CoverFile::open(document, in, prompter))
        return 1;
    return CoverFile::save(document, out, prompter) ? 0 : 1;
}

int importCatalogueRecord(const QString& record, const QString& out, Prompter& prompter)
{
    // A record that is not there would give an empty cover: surely not what was asked for.
    if (!FileExists(record))
        return fail(prompter,
                    QStringLiteral("Le fichier ") + record + QStringLiteral(" est introuvable !"));
    JewelCaseDocument document;
    CoverFileCommands::emptyCover(document);
    // Laid out as the window lays it, on the bars where a new window shows them.
    const CatalogueRecord read = CatalogueRecord::read(record);
    const CoverScreen screen;
    for (int face : {int(Face::Verso), int(Face::Dos)}) {
        const RecordLayout::Imported imported = RecordLayout::importRecord(document, face, read);
        if (imported.placement == RecordLayout::Placement::Spread)
            RecordLayout::alignOnBar(document, face, imported.texts,
                                     screen.overlays[Face::sheetOf(face)].bar.right());
    }
    return CoverFile::save(document, out, prompter) ? 0 : 1;
}

// A picture as the exports write it: PNG in 8-bit RGB, BMP in 24 bits.
bool writePicture(const QImage& image, const QString& out, const QString& suffix)
{
    return suffix == QStringLiteral("bmp") ? BmpFile::write(image, out) : image.save(out, "PNG");
}

// A PDF as printed (both sheets of a cover unless one is named), or a picture as PNG or BMP
// (the recto sheet unless the Dos is named); a label's PDF is its page, its picture the
// drawing. The resolution is a picture's own, or in a PDF the highest its pictures go in at.
int exportCoverOrLabel(const Request& request, Prompter& prompter)
{
    const QString suffix = outputSuffix(request.out);
    const bool pdf = suffix == QStringLiteral("pdf");
    const int resolution = request.dpi.value_or(pdf ? CommandUsage::pdfDpi : pictureDpi);
    bool written = false;
    if (isLabelFile(request.in)) {
        CdLabelDocument document;
        if (!LabelFile::open(document, request.in, prompter))
            return 1;
        written =
            pdf ? LabelRenderer::writePdf(document, request.out, resolution)
                : writePicture(LabelRenderer::image(document, resolution), request.out, suffix);
    } else {
        JewelCaseDocument document;
        if (!CoverFile::open(document, request.in, prompter))
            return 1;
        const std::vector<int> sheets = request.sheet ? std::vector<int>{*request.sheet}
                                                      : std::vector<int>{RectoSheet, DosSheet};
        written = pdf ? PrintedSheet::writePdf(document, sheets, request.out, resolution)
                      : writePicture(SheetRenderer::image(
                                         document, request.sheet.value_or(RectoSheet), resolution),
                                     request.out, suffix);
    }
    if (!written)
        return fail(prompter, QStringLiteral("Impossible d'écrire le fichier ") + request.out +
                                  QStringLiteral("."));
    return 0;
}

// The record of the disc with the given table of contents, printed as the window saves its
// list.
int lookUpDisc(const Request& request, Prompter& prompter)
{
    GivenTocReader reader(request.toc);
    DiscInfo disc(reader);
    disc.Init(QString());
    const DiscInfo::Query query = disc.QueryString();
    if (query.command.isEmpty()) {
        if (query.message)
            prompter.ask(*query.message);
        return 1;
    }
    CddbSource source(*disc.toc(),
                      {request.server.value_or(QString()), request.email.value_or(QString())});
    QObject::connect(&source, &CddbSource::statusChanged,
                     [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    // The command's own event loop runs while the answers come. Nobody chooses among several
    // matches: the first one is taken.
    QEventLoop answers;
    QObject::connect(&source, &AlbumSource::finished, &answers, &QEventLoop::quit);
    source.start();
    answers.exec();
    if (!source.record())
        return 1;
    const QByteArray list =
        TrackList::lines(*source.record()).join(QLatin1Char('\n')).toUtf8() + '\n';
    std::fwrite(list.constData(), 1, std::size_t(list.size()), stdout);
    return 0;
}

// The source a fill command names.
std::unique_ptr<AlbumSource> albumSource(const Request& request)
{
    if (request.command == fillFromAudio)
        return std::make_unique<AudioFilesSource>(QStringList{request.in});
    MusicBrainzQuery query = request.toc      ? MusicBrainzQuery::disc(*request.toc)
                             : request.discId ? MusicBrainzQuery::disc(*request.discId)
                                              : MusicBrainzQuery::search(*request.search);
    // Nobody chooses among several releases: the first one is taken.
    query.takeFirst = true;
    MusicBrainzServers servers;
    if (request.server)
        servers.serviceUrl = *request.server;
    if (request.coverArtServer)
        servers.coverArtUrl = *request.coverArtServer;
    return std::make_unique<MusicBrainzSource>(std::move(query), std::move(servers));
}

// A new cover or label filled from the album a source finds, as "Créer la jaquette" and
// "Créer l'étiquette" fill them.
int fillFromSource(const Request& request, Prompter& prompter)
{
    const std::unique_ptr<AlbumSource> source = albumSource(request);
    QEventLoop replies;
    AlbumSource::Reply reply;
    QObject::connect(source.get(), &AlbumSource::finished, [&](const AlbumSource::Reply& answer) {
        reply = answer;
        replies.quit();
    });
    source->start();
    replies.exec();
    if (reply.failed())
        return fail(prompter, reply.failure);
    if (reply.albums.empty())
        return fail(prompter, QStringLiteral("Aucun album trouvé."));
    const Album& album = reply.albums.front();
    if (request.label) {
        CdLabelDocument label;
        AlbumLayout::fillLabel(label, album, prompter);
        return LabelFile::save(label, request.out, prompter) ? 0 : 1;
    }
    JewelCaseDocument document;
    CoverFileCommands::emptyCover(document);
    AlbumLayout::fillCover(document, album, prompter);
    return CoverFile::save(document, request.out, prompter) ? 0 : 1;
}

} // namespace

bool requested(const QStringList& arguments)
{
    return arguments.size() > 1 &&
           (arguments.at(1) == convert || arguments.at(1) == importRecord ||
            arguments.at(1) == exportDocument || arguments.at(1) == cddbLookup ||
            arguments.at(1) == fillFromAudio || arguments.at(1) == fillFromMusicBrainz);
}

std::optional<Request> parse(const QStringList& arguments)
{
    const QString& command = arguments.at(1);
    if (command == exportDocument)
        return parseExport(arguments);
    if (command == cddbLookup)
        return parseLookup(arguments);
    if (command == fillFromAudio || command == fillFromMusicBrainz)
        return parseFill(arguments);
    if (command == convert && arguments.size() != 4)
        return refuse(convert, QStringLiteral("--convert : il faut le fichier à lire, puis celui "
                                              "à écrire."));
    if (arguments.size() != 4)
        return refuse(importRecord, QStringLiteral("--import-record : il faut la fiche à lire, "
                                                   "puis la jaquette à écrire."));
    Request request;
    request.command = command;
    request.in = arguments.at(2);
    request.out = arguments.at(3);
    return request;
}

int run(const Request& request)
{
    StderrPrompter prompter;
    if (request.command == exportDocument)
        return exportCoverOrLabel(request, prompter);
    if (request.command == cddbLookup)
        return lookUpDisc(request, prompter);
    if (request.command == fillFromAudio || request.command == fillFromMusicBrainz)
        return fillFromSource(request, prompter);
    if (request.command == convert)
        return convertDocument(request.in, request.out, prompter);
    return importCatalogueRecord(request.in, request.out, prompter);
}

} // namespace HeadlessCommands
