// Opening and saving a cover with 1,000 texts (the target is 20 ms or less each).
#include "CoverFile.h"
#include "JewelCaseDocument.h"
#include "StderrPrompter.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int textCount = 1000;

void fill(JewelCaseDocument& document)
{
    for (int i = 0; i < textCount; ++i) {
        Face& face = document.faces[std::size_t(i % Face::count)];
        TextElement& text = face.loadText(face.highestIndex() + 1);
        text.setCaption(
            QStringLiteral("%1.  Titre du morceau numéro %1\r\n(3:%2)").arg(i).arg(i % 60));
        text.visible = true;
    }
}

// A cover of 1,000 texts, saved once in a folder of its own.
struct SavedCover {
    QTemporaryDir dir;
    JewelCaseDocument document;
    StderrPrompter prompter;
    QString path = dir.filePath(QStringLiteral("mille.jkcd"));

    SavedCover()
    {
        fill(document);
        CoverFile::SauveFichier(document, path, prompter);
    }
};

void saveCover(benchmark::State& state)
{
    SavedCover cover;
    for (auto _ : state) {
        if (!CoverFile::SauveFichier(cover.document, cover.path, cover.prompter))
            state.SkipWithError("save failed");
    }
}

void openCover(benchmark::State& state)
{
    SavedCover cover;
    ImageOptionsChoices choices;
    for (auto _ : state) {
        if (!CoverFile::OuvrirFichier(cover.document, cover.path, cover.prompter, choices))
            state.SkipWithError("open failed");
    }
}

BENCHMARK(saveCover)->Unit(benchmark::kMillisecond);
BENCHMARK(openCover)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
