// Opening and saving a cover with 1,000 texts (the target is 20 ms or less each).
#include "CoverFile.h"
#include "JewelCaseDocument.h"
#include "Prompter.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class SilentPrompter : public Prompter {
public:
    Button ask(const Message& message) override { return message.defaultButton; }
    std::optional<QString> getText(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<OleColor> getColor(OleColor) override { return std::nullopt; }
    std::optional<TextFont> getFont(const TextFont&) override { return std::nullopt; }
    std::optional<QString> getOpenFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> getSaveFileName(const FileDialog&) override { return std::nullopt; }
};

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

void saveCover(benchmark::State& state)
{
    QTemporaryDir dir;
    JewelCaseDocument document;
    fill(document);
    SilentPrompter prompter;
    const QString path = dir.filePath(QStringLiteral("mille.jkcd"));
    for (auto _ : state) {
        if (!CoverFile::SauveFichier(document, path, prompter))
            state.SkipWithError("save failed");
    }
}

void openCover(benchmark::State& state)
{
    QTemporaryDir dir;
    JewelCaseDocument document;
    fill(document);
    SilentPrompter prompter;
    const QString path = dir.filePath(QStringLiteral("mille.jkcd"));
    CoverFile::SauveFichier(document, path, prompter);
    ImageOptionsChoices choices;
    for (auto _ : state) {
        if (!CoverFile::OuvrirFichier(document, path, prompter, choices))
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
