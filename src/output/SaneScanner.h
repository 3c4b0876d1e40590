// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
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

// What a scanner lets the user choose, as its SANE options list it.
struct Capabilities {
    QString device;               // the scanner opened, by its SANE name
    std::vector<int> resolutions; // dpi, ascending; empty when it has none to choose
    int resolution = 0;           // its own, as it opens
    QStringList modes;            // as SANE names them: "Color", "Gray", "Lineart"…
    QString mode;
    QRectF glass;        // the area it can scan, in mm; empty when the area cannot be chosen
    double areaStep = 0; // the area's quantum in mm, 0 for any
};

// How to scan; what is left empty stays as the scanner has it.
struct Settings {
    int resolution = 0; // dpi
    QString mode;
    QRectF area; // mm
};

// The scanners SANE knows; none when SANE is missing.
std::vector<Device> devices();

// The choices of `device` (the first scanner when empty). Nothing when there is no scanner or
// it cannot be opened.
std::optional<Capabilities> capabilities(const QString& device);

// Scans one page from `device` (the first scanner when empty) with `settings`. `progress`
// hears the share done, 0 to 100, and cancels the scan by returning false. Nothing when there
// is no scanner, SANE is missing, the scan fails or is cancelled.
std::optional<QImage> scan(const QString& device,
                           const std::function<bool(int percent)>& progress = {},
                           const Settings& settings = {});

} // namespace SaneScanner
