// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandUsage.h"

#include "CddbClient.h"
#include "MusicBrainzSource.h"

#include <QStringList>

namespace CommandUsage {

namespace {

const QString program = QStringLiteral("jaskelcd");

// `text` in lines of at most `width` characters, each after `indent`.
QString wrapped(const QString& text, const QString& indent, qsizetype width = 96)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent.size() + line.size() + 1 + word.size() > width) {
            lines << indent + line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << indent + line;
    return lines.join(QLatin1Char('\n'));
}

QString synopsis(const Command& command)
{
    QStringList words{program};
    if (!command.name.isEmpty())
        words << command.name;
    words << command.arguments;
    return words.join(QLatin1Char(' '));
}

} // namespace

const QList<Command>& commands()
{
    static const QList<Command> all{
        {QString(),
         QStringLiteral("[FICHIER…]"),
         QStringLiteral("Ouvre la fenêtre, avec la jaquette (.jkcd) ou l'étiquette (.jket) "
                        "nommée ; chaque fichier de plus s'ouvre dans une fenêtre à lui."),
         {},
         QStringLiteral("jaskelcd \"Ma jaquette.jkcd\"")},
        {convert,
         QStringLiteral("ENTRÉE SORTIE"),
         QStringLiteral("Ouvre la jaquette (.jkcd) ou l'étiquette (.jket) ENTRÉE et "
                        "l'enregistre sous SORTIE, sans fenêtre."),
         {},
         QStringLiteral("jaskelcd --convert ancienne.jkcd nouvelle.jkcd")},
        {importRecord,
         QStringLiteral("FICHE SORTIE.jkcd"),
         QStringLiteral("Une nouvelle jaquette, remplie d'une fiche de catalogue (un fichier "
                        "INI), enregistrée sous SORTIE.jkcd."),
         {},
         QStringLiteral("jaskelcd --import-record x~x.cfg jaquette.jkcd")},
        {exportDocument,
         QStringLiteral("SORTIE ENTRÉE [--sheet recto|dos] [--dpi N]"),
         QStringLiteral("La jaquette ou l'étiquette ENTRÉE telle qu'elle s'imprime (SORTIE.pdf) "
                        "ou en image (SORTIE.png, SORTIE.bmp)."),
         {{sheet + QStringLiteral(" recto|dos"),
           QStringLiteral("la feuille d'une jaquette : recto (le Recto et le Verso) ou dos. "
                          "Sans elle, un PDF a les deux feuilles et une image le recto.")},
          {dpi + QStringLiteral(" N"),
           QStringLiteral("la résolution, de %1 à %2 points par pouce : celle de l'image "
                          "(%3 sans cette option) ; dans un PDF, la plus haute des images, "
                          "réduites au-delà (%4 sans cette option).")
               .arg(minimumDpi)
               .arg(maximumDpi)
               .arg(pictureDpi)
               .arg(pdfDpi)}},
         QStringLiteral("jaskelcd --export dos.png jaquette.jkcd --sheet dos --dpi 300")},
        {cddbLookup,
         QStringLiteral("--toc TABLE [--server ADRESSE] [--email ADRESSE]"),
         QStringLiteral("Cherche le disque dans la base CDDB et écrit sa liste de pistes sur la "
                        "sortie standard, telle que la fenêtre l'enregistre (le premier disque "
                        "trouvé, s'il y en a plusieurs)."),
         {{toc + QStringLiteral(" TABLE"),
           QStringLiteral("la table des matières du disque, \"PREMIÈRE DERNIÈRE FIN DÉBUT1 … "
                          "DÉBUTn\" comme libdiscid l'écrit : la première et la dernière piste, "
                          "la trame (1/75 s) où finit le disque, puis celle où commence chaque "
                          "piste.")},
          {server + QStringLiteral(" ADRESSE"),
           QStringLiteral("le serveur CDDB (%1 sans cette option).")
               .arg(QLatin1String(CddbClient::DefaultServerUrl))},
          {email + QStringLiteral(" ADRESSE"),
           QStringLiteral("l'adresse donnée au serveur (%1 sans cette option).")
               .arg(QLatin1String(CddbClient::DefaultUserEmail))}},
         QStringLiteral("jaskelcd --cddb-lookup --toc \"1 3 45900 150 18965 35170\"")},
        {fillFromAudio,
         QStringLiteral("DOSSIER SORTIE [--label]"),
         QStringLiteral("Une nouvelle jaquette (SORTIE.jkcd) ou étiquette (SORTIE.jket), remplie "
                        "de l'album des fichiers audio de DOSSIER : artiste, titre, année, genre, "
                        "pistes et durées, image."),
         {{label, QStringLiteral("une étiquette : SORTIE finit par .jket.")}},
         QStringLiteral("jaskelcd --fill-from-audio ~/Musique/Album jaquette.jkcd")},
        {fillFromMusicBrainz,
         QStringLiteral("(--toc TABLE | --discid ID | --search \"ARTISTE - ALBUM\") "
                        "[--server ADRESSE] [--cover-art-server ADRESSE] [--label] SORTIE"),
         QStringLiteral("Une nouvelle jaquette (SORTIE.jkcd) ou étiquette (SORTIE.jket), remplie "
                        "de l'album que MusicBrainz connaît (le premier, s'il y en a plusieurs), "
                        "avec ses images du Cover Art Archive."),
         {{toc + QStringLiteral(" TABLE"),
           QStringLiteral("la table des matières du disque, comme pour --cddb-lookup.")},
          {discId + QStringLiteral(" ID"), QStringLiteral("l'identifiant MusicBrainz du disque.")},
          {search + QStringLiteral(" \"ARTISTE - ALBUM\""),
           QStringLiteral("l'artiste et le titre de l'album cherchés.")},
          {server + QStringLiteral(" ADRESSE"),
           QStringLiteral("le service MusicBrainz (%1 sans cette option).")
               .arg(QLatin1String(MusicBrainzServers::DefaultServiceUrl))},
          {coverArtServer + QStringLiteral(" ADRESSE"),
           QStringLiteral("le Cover Art Archive (%1 sans cette option).")
               .arg(QLatin1String(MusicBrainzServers::DefaultCoverArtUrl))},
          {label, QStringLiteral("une étiquette : SORTIE finit par .jket.")}},
         QStringLiteral("jaskelcd --fill-from-musicbrainz --search \"Dire Straits - Dire "
                        "Straits\" jaquette.jkcd")},
    };
    return all;
}

QString usage(QLatin1String name)
{
    for (const Command& command : commands()) {
        if (command.name == name)
            return QStringLiteral("Utilisation : ") + synopsis(command);
    }
    return {};
}

QString help()
{
    const QString indent(4, QLatin1Char(' '));
    QStringList lines{QStringLiteral("Utilisation : jaskelcd [FICHIER…]"),
                      QStringLiteral("              jaskelcd COMMANDE …"), QString(),
                      QStringLiteral("Création et impression des jaquettes et des étiquettes "
                                     "de CD audio."),
                      QString()};
    for (const Command& command : commands()) {
        lines << synopsis(command) << wrapped(command.description, indent);
        for (const Option& option : command.options)
            lines << indent + option.name << wrapped(option.description, indent + indent);
        lines << indent + QStringLiteral("Exemple : ") + command.example << QString();
    }
    lines << QStringLiteral("Options :")
          << indent + QStringLiteral("-h, --help     Afficher cette aide.")
          << indent + QStringLiteral("-v, --version  Afficher la version.") << QString()
          << wrapped(QStringLiteral("Sans fenêtre, les messages vont sur la sortie d'erreur ; le "
                                    "code de sortie est 0 en cas de succès, 1 en cas d'échec."),
                     QString());
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace CommandUsage
