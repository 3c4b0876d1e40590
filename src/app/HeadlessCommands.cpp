#include "HeadlessCommands.h"

#include "BmpFile.h"
#include "CatalogueImport.h"
#include "CdLabelDocument.h"
#include "CddbClient.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "CoverFileCommands.h"
#include "DiscToc.h"
#include "GetField.h"
#include "GivenTocReader.h"
#include "JewelCaseDocument.h"
#include "LabelFile.h"
#include "LabelRenderer.h"
#include "PrintedSheet.h"
#include "SharedProcedures.h"
#include "SheetRenderer.h"
#include "StderrPrompter.h"
#include "TrackList.h"
#include "Twips.h"
#include "clsCdInfo.h"

#include <cstdio>

#include <QEventLoop>
#include <QFileInfo>
#include <QImage>

namespace HeadlessCommands {

namespace {

const QString convertOption = QStringLiteral("--convert");
const QString importOption = QStringLiteral("--import-record");
const QString exportOption = QStringLiteral("--export");
const QString lookupOption = QStringLiteral("--cddb-lookup");

// A CD label's file, by its name; anything else is read as a cover.
bool isLabelFile(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("jket"), Qt::CaseInsensitive) == 0;
}

int convert(const QString& in, const QString& out, Prompter& prompter)
{
    if (isLabelFile(in)) {
        CdLabelDocument label;
        if (!LabelFile::OuvrirFichier(label, in, prompter))
            return 1;
        return LabelFile::SauveFichier(label, out, prompter) ? 0 : 1;
    }
    JewelCaseDocument document;
    if (!CoverFile::OuvrirFichier(document, in, prompter))
        return 1;
    return CoverFile::SauveFichier(document, out, prompter) ? 0 : 1;
}

int importRecord(const QString& record, const QString& out, Prompter& prompter)
{
    // A record that is not there would give an empty cover: surely not what was asked for.
    if (!FileExists(record)) {
        prompter.inform(QStringLiteral("Le fichier ") + record +
                            QStringLiteral(" est introuvable !"),
                        QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
        return 1;
    }
    JewelCaseDocument document;
    CoverContext context(document, prompter);
    CoverFileCommands::emptyCover(context);
    for (int face : {int(Face::Verso), int(Face::Dos)})
        CatalogueImport::ImportCatalogueRecord(context, face, record);
    return CoverFile::SauveFichier(document, out, prompter) ? 0 : 1;
}

QString usage()
{
    return QStringLiteral("Utilisation : jaskelcd --convert ENTRÉE.jkcd SORTIE.jkcd\n"
                          "              jaskelcd --convert ENTRÉE.jket SORTIE.jket\n"
                          "              jaskelcd --import-record FICHE SORTIE.jkcd\n"
                          "              jaskelcd --export SORTIE.pdf|.png|.bmp ENTRÉE.jkcd "
                          "[--sheet recto|dos] [--dpi N]\n"
                          "              jaskelcd --export SORTIE.pdf|.png|.bmp ENTRÉE.jket "
                          "[--dpi N]\n"
                          "              jaskelcd --cddb-lookup [--server URL] [--email ADRESSE] "
                          "--toc \"PREMIÈRE DERNIÈRE FIN DÉBUT1 … DÉBUTn\"");
}

int fail(Prompter& prompter, const QString& text)
{
    prompter.inform(text, QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
    return 1;
}

// A picture as the exports write it: PNG in 8-bit RGB, BMP in 24 bits.
bool writePicture(const QImage& image, const QString& out, const QString& suffix)
{
    return suffix == QStringLiteral("bmp")
               ? BmpFile::write(image, out)
               : image.save(out, "PNG");
}

// --export OUT IN [--sheet recto|dos] [--dpi N]: a PDF as printed (both sheets of a cover
// unless one is named), or a picture as PNG or BMP (the recto sheet unless the Dos is named).
// A label has no sheets to name: its PDF is its page, its picture the drawing.
int exportDocument(const QStringList& arguments, Prompter& prompter)
{
    if (arguments.size() < 4)
        return fail(prompter, usage());
    const QString out = arguments.at(2);
    const QString in = arguments.at(3);
    const bool label = isLabelFile(in);
    std::optional<int> sheet;
    int dpi = 0;
    for (qsizetype i = 4; i < arguments.size(); i += 2) {
        const QString option = arguments.at(i);
        const QString value = arguments.value(i + 1);
        if (!label && option == QStringLiteral("--sheet") && value == QStringLiteral("recto"))
            sheet = RectoSheet;
        else if (!label && option == QStringLiteral("--sheet") && value == QStringLiteral("dos"))
            sheet = DosSheet;
        else if (option == QStringLiteral("--dpi"))
            dpi = value.toInt(); // 0 for what is no number, refused below
        else
            return fail(prompter, usage());
        if (option == QStringLiteral("--dpi") && (dpi < 10 || dpi > 2400))
            return fail(prompter, usage());
    }
    const QString suffix = QFileInfo(out).suffix().toLower();
    const bool pdf = suffix == QStringLiteral("pdf");
    if (!pdf && suffix != QStringLiteral("png") && suffix != QStringLiteral("bmp"))
        return fail(prompter, usage());
    const int pdfDpi = dpi ? dpi : 1200;
    const int pictureDpi = dpi ? dpi : int(Twips::screenDpi);
    bool written = false;
    if (label) {
        CdLabelDocument document;
        if (!LabelFile::OuvrirFichier(document, in, prompter))
            return 1;
        written = pdf ? LabelRenderer::writePdf(document, out, pdfDpi)
                      : writePicture(LabelRenderer::image(document, pictureDpi), out, suffix);
    } else {
        JewelCaseDocument document;
        if (!CoverFile::OuvrirFichier(document, in, prompter))
            return 1;
        const std::vector<int> sheets =
            sheet ? std::vector<int>{*sheet} : std::vector<int>{RectoSheet, DosSheet};
        written = pdf ? PrintedSheet::writePdf(document, sheets, out, pdfDpi)
                      : writePicture(
                            SheetRenderer::image(document, sheet.value_or(RectoSheet), pictureDpi),
                            out, suffix);
    }
    if (!written)
        return fail(prompter,
                    QStringLiteral("Impossible d'écrire le fichier ") + out + QStringLiteral("."));
    return 0;
}

// --cddb-lookup [--server URL] [--email ADDRESS] --toc "FIRST LAST LEADOUT OFFSETS…": the
// record of the disc with that table of contents, printed as the window saves its list.
int cddbLookup(const QStringList& arguments, Prompter& prompter)
{
    CddbClient client;
    std::optional<DiscToc> toc;
    for (qsizetype i = 2; i < arguments.size(); i += 2) {
        const QString option = arguments.at(i);
        if (i + 1 >= arguments.size())
            return fail(prompter, usage());
        const QString value = arguments.at(i + 1);
        if (option == QStringLiteral("--server"))
            client.setServerUrl(value);
        else if (option == QStringLiteral("--email"))
            client.setUserEmail(value);
        else if (option == QStringLiteral("--toc"))
            toc = DiscToc::fromString(value);
        else
            return fail(prompter, usage());
    }
    if (!toc)
        return fail(prompter, usage());
    GivenTocReader reader(toc);
    clsCdInfo disc(reader);
    disc.Init(QString());
    const clsCdInfo::Query query = disc.QueryString();
    if (query.command.isEmpty()) {
        if (query.message)
            prompter.ask(*query.message);
        return 1;
    }
    QObject::connect(&client, &CddbClient::statusChanged,
                     [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    // The command's own event loop runs while the answers come. Nobody chooses among several
    // matches: the first one is taken.
    QEventLoop answers;
    std::optional<CddbClient::ReadResult> read;
    const auto readMatch = [&](const QString& match) {
        if (!client.CddbRead(GetField(match, 1, QStringLiteral("|")),
                             GetField(match, 2, QStringLiteral("|")),
                             [&](const CddbClient::ReadResult& result) {
                                 read = result;
                                 answers.quit();
                             }))
            answers.quit();
    };
    client.CddbQuery(query.command, [&](const CddbClient::QueryResult& match) {
        if (!match.categories.isEmpty())
            readMatch(CddbClient::matchOf(match.categories.first()));
        else if (!match.match.isEmpty() && match.match != CddbClient::ErrorMarker)
            readMatch(match.match);
        else
            answers.quit();
    });
    answers.exec();
    if (!read || !read->complete)
        return 1;
    const QByteArray list = TrackList::lines(read->record).join(QLatin1Char('\n')).toUtf8() + '\n';
    std::fwrite(list.constData(), 1, std::size_t(list.size()), stdout);
    return 0;
}

} // namespace

bool requested(const QStringList& arguments)
{
    return arguments.size() > 1 &&
           (arguments.at(1) == convertOption || arguments.at(1) == importOption ||
            arguments.at(1) == exportOption || arguments.at(1) == lookupOption);
}

int run(const QStringList& arguments)
{
    StderrPrompter prompter;
    if (arguments.at(1) == exportOption)
        return exportDocument(arguments, prompter);
    if (arguments.at(1) == lookupOption)
        return cddbLookup(arguments, prompter);
    if (arguments.size() != 4)
        return fail(prompter, usage());
    if (arguments.at(1) == convertOption)
        return convert(arguments.at(2), arguments.at(3), prompter);
    return importRecord(arguments.at(2), arguments.at(3), prompter);
}

} // namespace HeadlessCommands
