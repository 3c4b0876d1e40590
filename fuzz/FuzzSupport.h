// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StderrPrompter.h"

#include <QString>
#include <cstddef>
#include <cstdint>

// What the fuzz targets share: a program set up as the headless commands run it, a Prompter
// that answers like nobody is there, the file each input is written to for the readers that
// take a path, and the check of a document file's reader.
namespace FuzzSupport {

// A QGuiApplication on the offscreen platform, in the French locale the program sets; made
// once and kept for the whole run.
void startGuiApplication();

// A path named `name` in a folder of this run's own, removed at exit.
QString inputPath(const QString& name);
// Replaces the file at `path` with `size` bytes from `data`.
void writeInput(const QString& path, const std::uint8_t* data, std::size_t size);
// The bytes of the file at `path`; empty when it cannot be read.
QByteArray readFile(const QString& path);

// Stops the run with a report when `condition` is false: an input broke a rule of the reader.
void require(bool condition, const char* rule);

// Stops the run as `require` does when the two files differ, showing the first line that does.
void requireSame(const QByteArray& first, const QByteArray& second, const char* rule);

// Every message answered with its default button, as the headless commands answer, but
// silently; the last one's text is kept.
class SilentPrompter : public StderrPrompter {
public:
    Button ask(const Message& message) override
    {
        lastText = message.text;
        quotesReplaced = quotesReplaced || message.text.startsWith(QLatin1String("Les guillemets"));
        return message.defaultButton;
    }

    QString lastText;
    // A save said that it wrote a text's double quotes as ”.
    bool quotesReplaced = false;
};

// A document file's reader on any bytes: it either rebuilds a document that paints, saves,
// and opens again to the same file, or says "Erreur lors de l'ouverture du fichier !".
// `open(document, path, prompter)` and `save(document, path, prompter)` are the file's two
// commands, `paint(document)` what the window shows of it.
template <class Document, class Open, class Save, class Paint>
void checkDocumentReader(const std::uint8_t* data, std::size_t size, const QString& suffix,
                         Open open, Save save, Paint paint)
{
    static const QString input = inputPath(QStringLiteral("entree.") + suffix);
    static const QString saved = inputPath(QStringLiteral("sortie.") + suffix);
    static const QString savedAgain = inputPath(QStringLiteral("sortie2.") + suffix);
    writeInput(input, data, size);

    Document document;
    SilentPrompter prompter;
    if (!open(document, input, prompter)) {
        require(prompter.lastText == QStringLiteral("Erreur lors de l'ouverture du fichier !"),
                "a document that cannot be read says so");
        return;
    }
    paint(document);

    // Its texts' double quotes are saved as ” and the user told: then the document that was
    // saved is the reopened one.
    require(save(document, saved, prompter), "an opened document saves");
    Document reopened;
    require(open(reopened, saved, prompter), "a saved document opens");
    if (prompter.quotesReplaced) {
        require(save(reopened, saved, prompter), "a reopened document saves");
        require(open(reopened, saved, prompter), "a saved document opens");
    }
    require(save(reopened, savedAgain, prompter), "a reopened document saves");
    requireSame(readFile(saved), readFile(savedAgain), "a saved document opens as it was saved");
}

} // namespace FuzzSupport
