#include "ScannerWindows.h"

#include "ClipboardPicture.h"
#include "SaneScanner.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QThread>
#include <QVBoxLayout>
#include <atomic>

namespace ScannerWindows {

namespace {
QString& source()
{
    static QString chosen;
    return chosen;
}
} // namespace

QString chosenSource()
{
    return source();
}

void SelectScannerSource(QWidget* window)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<SaneScanner::Device> devices = SaneScanner::devices();
    QGuiApplication::restoreOverrideCursor();
    if (devices.empty())
        return;

    QDialog dialog(window);
    dialog.setWindowTitle(QStringLiteral("Source de numérisation"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("lstSources"));
    for (const SaneScanner::Device& device : devices) {
        // Two scanners of one model describe themselves alike: their names tell them apart.
        auto* item =
            new QListWidgetItem(device.description + QStringLiteral(" — ") + device.name, list);
        item->setData(Qt::UserRole, device.name);
        if (device.name == source())
            list->setCurrentItem(item);
    }
    if (!list->currentItem())
        list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Choisissez le scanner à utiliser :"), &dialog));
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted && list->currentItem())
        source() = list->currentItem()->data(Qt::UserRole).toString();
}

std::optional<Picture> AcquireScannedPicture(QWidget* window)
{
    ClipboardPicture::clear();
    QProgressDialog progress(QStringLiteral("Numérisation en cours..."), QStringLiteral("Annuler"),
                             0, 100, window);
    progress.setWindowTitle(QStringLiteral("Numérisation"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    // The scan blocks in SANE: it runs on a thread of its own while the window stays alive.
    std::atomic<bool> cancelled{false};
    QObject::connect(&progress, &QProgressDialog::canceled, [&cancelled] { cancelled = true; });
    std::optional<QImage> page;
    const QString device = source();
    QThread* scanning = QThread::create([&] {
        page = SaneScanner::scan(device, [&](int percent) {
            QMetaObject::invokeMethod(
                &progress, [&progress, percent] { progress.setValue(percent); },
                Qt::QueuedConnection);
            return !cancelled;
        });
    });
    QEventLoop loop;
    QObject::connect(scanning, &QThread::finished, &loop, &QEventLoop::quit);
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    scanning->start();
    loop.exec();
    scanning->wait();
    delete scanning;
    QGuiApplication::restoreOverrideCursor();
    progress.reset();

    if (!page || cancelled)
        return std::nullopt;
    ClipboardPicture::write(*page);
    return ClipboardPicture::read();
}

} // namespace ScannerWindows
