// SPDX-License-Identifier: GPL-3.0-or-later
// The in-process speed targets: opening and saving a cover with 1,000 texts (20 ms or less
// each), reading a CDDB record of 99 tracks into the window's fields and grid (1 ms or less),
// a catalogue record of 999 tracks made into a cover, and 200 steps of undo history on a cover
// of 100 texts, with the memory they hold; and in the real window, the repaint of the Recto
// sheet while a text is dragged over a 24-megapixel photograph.
#include "CatalogueImport.h"
#include "CddbRecord.h"
#include "CoverContext.h"
#include "CoverFile.h"
#include "CoverView.h"
#include "CoverWindow.h"
#include "JewelCaseDocument.h"
#include "PictureFile.h"
#include "PicturePlacement.h"
#include "SheetWidget.h"
#include "StderrPrompter.h"
#include "XmcdRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

constexpr int textCount = 1000;

void fill(JewelCaseDocument& document, int count = textCount)
{
    for (int i = 0; i < count; ++i) {
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
        CoverFile::save(document, path, prompter);
    }
};

void saveCover(benchmark::State& state)
{
    SavedCover cover;
    for (auto _ : state) {
        if (!CoverFile::save(cover.document, cover.path, cover.prompter))
            state.SkipWithError("save failed");
    }
}

void openCover(benchmark::State& state)
{
    SavedCover cover;
    for (auto _ : state) {
        if (!CoverFile::open(cover.document, cover.path, cover.prompter))
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

// A catalogue record of 999 tracks (64 KB), imported onto the Verso and the Dos as a new
// cover imports it.
void importRecord(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x~x.cfg"));
    QByteArray record = "[Core]\r\nMediaFlag=1\r\nArtist=Artiste\r\nTitle=Album\r\n"
                        "[RecordData]\r\nNrSubRecords=999\r\n[SubRec]\r\n";
    for (int track = 1; track <= 999; ++track)
        record += "Track" + QByteArray::number(track) + "=Titre du morceau " +
                  QByteArray::number(track) + "\r\nLength" + QByteArray::number(track) +
                  "=3:" + QByteArray::number(10 + track % 50) + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(record) != record.size())
        state.SkipWithError("the record could not be written");
    file.close();
    for (auto _ : state) {
        JewelCaseDocument document;
        StderrPrompter prompter;
        CoverContext context(document, prompter);
        for (int face : {int(Face::Verso), int(Face::Dos)})
            CatalogueImport::ImportCatalogueRecord(context, face, path);
        benchmark::DoNotOptimize(document.dos().highestIndex());
    }
}

// 200 edits of a cover of 100 texts, each a step of its history (a text's font, as the
// formatting commands change it); the counter is the heap the history holds after them.
void historySteps(benchmark::State& state)
{
    constexpr int steps = 200;
    constexpr int texts = 100;
    for (auto _ : state) {
        state.PauseTiming();
        JewelCaseDocument document;
        fill(document, texts);
        StderrPrompter prompter;
        auto context = std::make_unique<CoverContext>(document, prompter);
        const std::size_t heapBefore = mallinfo2().uordblks;
        state.ResumeTiming();
        for (int step = 0; step < steps; ++step) {
            DocumentHistory::Edit edit(context->history, QStringLiteral("la police"));
            Face& face = document.faces[std::size_t(step % Face::count)];
            TextElement& text = *face.text(1 + step / Face::count % (texts / Face::count));
            TextFont font = text.font();
            font.size = float(8 + step % 20);
            text.setFont(font);
        }
        state.PauseTiming();
        state.counters["historyMiB"] =
            double(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
        benchmark::DoNotOptimize(context->history.stack().count());
        context.reset();
        state.ResumeTiming();
    }
}

// Counts the paint events of the widget it watches.
struct PaintCount : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// A camera's 24-megapixel photograph (6000 x 4000) as the Recto's background in the shown
// window, a text on it dragged one pixel a step: the repaint of the sheet each step, the
// moves themselves not counted.
void dragOverPhoto(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    {
        QImage photo(6000, 4000, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient gradient(0, 0, 6000, 4000);
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(1, QColor(255, 200, 0));
        painter.fillRect(photo.rect(), gradient);
        painter.end();
        if (!photo.save(path, "jpeg", 90))
            state.SkipWithError("the photograph could not be written");
    }
    StderrPrompter prompter;
    CoverWindow window(&prompter);
    window.startUp();
    JewelCaseDocument& document = window.document();
    const std::optional<Picture> photo = PictureFile::load(path);
    if (!photo) {
        state.SkipWithError("the photograph could not be read");
        return;
    }
    PicturePlacement::PlaceBackground(document, Face::Recto, document.faces[Face::Recto].color,
                                      PicturePlacement::BackgroundFitMode::WholeFace, *photo);
    document.rectoImagePath = path;
    TextElement& text =
        document.faces[Face::Recto].loadText(document.faces[Face::Recto].highestIndex() + 1);
    text.setCaption(QStringLiteral("Titre de l'album"));
    text.setRect(QRectF(1500, 1500, 3000, 400));
    text.visible = true;
    window.refreshCover();
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
           waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    SheetWidget* sheet = window.coverView()->sheet(RectoSheet);
    PaintCount paints;
    sheet->installEventFilter(&paints);
    QPoint at = sheet->toPixels(text.rect().center()).toPoint();
    const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), sheet->mapToGlobal(QPointF(at)), button, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(sheet, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    sheet->repaint(); // the screen's copy of the photograph is made once, here
    int step = 1;
    for (auto _ : state) {
        state.PauseTiming();
        at += QPoint(step, 0);
        step = -step;
        send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
        state.ResumeTiming();
        sheet->repaint();
    }
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    // The photograph is shown (its dark blue corner), and each step painted the sheet: the
    // figure is a repaint, not a skipped one.
    const QPoint corner = sheet->toPixels(document.faces[Face::Recto].frame.topLeft()).toPoint();
    state.counters["photoShown"] =
        sheet->grab().toImage().pixelColor(corner + QPoint(20, 20)).blue() > 100;
    state.counters["paintsPerStep"] =
        double(paints.count - 1) /
        double(std::max<benchmark::IterationCount>(1, state.iterations()));
}

BENCHMARK(saveCover)->Unit(benchmark::kMillisecond);
BENCHMARK(openCover)->Unit(benchmark::kMillisecond);
BENCHMARK(readRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(importRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(historySteps)->Unit(benchmark::kMillisecond);
BENCHMARK(dragOverPhoto)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
