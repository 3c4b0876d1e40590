#pragma once

#include <QImage>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// The scanners of this machine, through SANE. libsane.so.1 is loaded on the first call, never
// at start-up: the program runs without SANE installed, and then finds no scanner.
namespace SaneScanner {

struct Device {
    QString name; // what SANE opens it by
    QString description;
};

// The scanners SANE knows; none when SANE is missing.
std::vector<Device> devices();

// Scans one page from `device` (the first scanner when empty). `progress` hears the share
// done, 0 to 100, and cancels the scan by returning false. Nothing when there is no scanner,
// SANE is missing, the scan fails or is cancelled.
std::optional<QImage> scan(const QString& device,
                           const std::function<bool(int percent)>& progress = {});

} // namespace SaneScanner
