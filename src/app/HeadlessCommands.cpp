#include "HeadlessCommands.h"

#include "CatalogueImport.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "CoverFileCommands.h"
#include "JewelCaseDocument.h"
#include "SharedProcedures.h"
#include "StderrPrompter.h"

#include <cstdio>

namespace HeadlessCommands {

namespace {

const QString convertOption = QStringLiteral("--convert");
const QString importOption = QStringLiteral("--import-record");

int convert(const QString& in, const QString& out, Prompter& prompter)
{
    JewelCaseDocument document;
    ImageOptionsChoices choices;
    if (!CoverFile::OuvrirFichier(document, in, prompter, choices))
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
    ImageOptionsChoices choices;
    CoverFileCommands::emptyCover(context, choices);
    for (int face : {int(Face::Verso), int(Face::Dos)})
        CatalogueImport::ImportCatalogueRecord(context, face, record);
    return CoverFile::SauveFichier(document, out, prompter) ? 0 : 1;
}

} // namespace

bool requested(const QStringList& arguments)
{
    return arguments.size() > 1 &&
           (arguments.at(1) == convertOption || arguments.at(1) == importOption);
}

int run(const QStringList& arguments)
{
    StderrPrompter prompter;
    if (arguments.size() != 4) {
        std::fprintf(stderr, "%s\n",
                     qPrintable(QStringLiteral("Utilisation : jaskelcd --convert ENTRÉE.jkcd "
                                               "SORTIE.jkcd\n              jaskelcd "
                                               "--import-record FICHE SORTIE.jkcd")));
        return 1;
    }
    if (arguments.at(1) == convertOption)
        return convert(arguments.at(2), arguments.at(3), prompter);
    return importRecord(arguments.at(2), arguments.at(3), prompter);
}

} // namespace HeadlessCommands
