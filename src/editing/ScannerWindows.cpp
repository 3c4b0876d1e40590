// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScannerWindows.h"

#include "ClipboardPicture.h"
#include "SaneScanner.h"
#include "ScanDialog.h"

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

std::optional<QImage> scanWithProgress(QWidget* window, const QString& device,
                                       const SaneScanner::Settings& settings)
{
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
    QThread* scanning = QThread::create([&] {
        page = SaneScanner::scan(
            device,
            [&](int percent) {
                QMetaObject::invokeMethod(
                    &progress, [&progress, percent] { progress.setValue(percent); },
                    Qt::QueuedConnection);
                return !cancelled;
            },
            settings);
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
    if (cancelled)
        return std::nullopt;
    return page;
}

std::optional<Picture> AcquireScannedPicture(QWidget* window)
{
    ClipboardPicture::clear();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<SaneScanner::Capabilities> scanner = SaneScanner::capabilities(source());
    QGuiApplication::restoreOverrideCursor();
    if (!scanner)
        return std::nullopt;

    const QString device = scanner->device;
    ScanDialog dialog(
        *scanner,
        [device](const SaneScanner::Settings& settings, QWidget* parent) {
            return scanWithProgress(parent, device, settings);
        },
        window);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const std::optional<QImage> page = scanWithProgress(window, device, dialog.settings());
    if (!page)
        return std::nullopt;
    ClipboardPicture::write(*page);
    return ClipboardPicture::read();
}

} // namespace ScannerWindows
