// The in-process speed targets: opening and saving a cover with 1,000 texts (20 ms or less
// each), reading a CDDB record of 99 tracks into the window's fields and grid (1 ms or less).
#include "CddbRecord.h"
#include "CoverFile.h"
#include "JewelCaseDocument.h"
#include "StderrPrompter.h"
#include "XmcdRecord.h"

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
    for (auto _ : state) {
        if (!CoverFile::OuvrirFichier(cover.document, cover.path, cover.prompter))
            state.SkipWithError("open failed");
    }
}

// A server's answer to a read, as bytes, of a disc with 99 titled tracks and their extended
// data; read as the client reads it.
void readRecord(benchmark::State& state)
{
    QByteArray answer = "210 rock 12345678 CD database entry follows (until terminating `.')\r\n"
                        "# xmcd\r\nDISCID=12345678\r\nDTITLE=Artiste / Album\r\n"
                        "DYEAR=2001\r\nDGENRE=Rock\r\n";
    for (int track = 0; track < 99; ++track)
        answer += "TTITLE" + QByteArray::number(track) + "=Titre du morceau " +
                  QByteArray::number(track + 1) + "\r\n";
    answer += "EXTD=\r\n";
    for (int track = 0; track < 99; ++track)
        answer += "EXTT" + QByteArray::number(track) + "=version longue\r\n";
    answer += "PLAYORDER=\r\n.\r\n";
    for (auto _ : state) {
        const QStringList lines = QString::fromUtf8(answer).split(QStringLiteral("\r\n"));
        const CddbRecord record = CddbRecord::fromXmcd(XmcdRecord::fromLines(lines.mid(1)));
        benchmark::DoNotOptimize(record.trackRows());
    }
}

BENCHMARK(saveCover)->Unit(benchmark::kMillisecond);
BENCHMARK(openCover)->Unit(benchmark::kMillisecond);
BENCHMARK(readRecord)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
