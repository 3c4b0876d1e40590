// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScanDialog.h"

#include "ScanAreaView.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>
#include <tuple>

namespace {

// The usual modes, which SANE names in English, in the user's words; any other as the scanner
// names it.
QString modeName(const QString& mode)
{
    static const std::pair<const char*, const char*> known[] = {{"color", "Couleur"},
                                                                {"colour", "Couleur"},
                                                                {"gray", "Niveaux de gris"},
                                                                {"grey", "Niveaux de gris"},
                                                                {"grayscale", "Niveaux de gris"},
                                                                {"lineart", "Noir et blanc"},
                                                                {"binary", "Noir et blanc"},
                                                                {"halftone", "Tramé"}};
    for (const auto& [sane, french] : known)
        if (mode.compare(QLatin1String(sane), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(french);
    return mode;
}

// A scanner's choices are kept under its SANE name, whose "/" and ":" QSettings must not read.
QString settingKey(const QString& device, const char* choice)
{
    return QStringLiteral("scanner/%1/%2")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(device)), QLatin1String(choice));
}

// Shows the remembered entry of `list` if it still offers it, else the scanner's own.
void showChoice(QComboBox* list, const QVariant& remembered, const QVariant& own)
{
    int shown = list->findData(remembered);
    if (shown < 0)
        shown = list->findData(own);
    list->setCurrentIndex(std::max(0, shown));
    list->setEnabled(list->count() > 1);
}

} // namespace

ScanDialog::ScanDialog(const SaneScanner::Capabilities& scanner, Previewer previewer,
                       QWidget* parent)
    : QDialog(parent), scanner_(scanner), previewer_(std::move(previewer))
{
    setWindowTitle(QStringLiteral("Numériser"));
    const QSettings remembered;

    resolution_ = new QComboBox(this);
    resolution_->setObjectName(QStringLiteral("cboResolution"));
    for (int dpi : scanner_.resolutions)
        resolution_->addItem(QStringLiteral("%1 ppp").arg(dpi), dpi);
    showChoice(resolution_, remembered.value(settingKey(scanner_.device, "resolution")),
               scanner_.resolution);
    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("cboMode"));
    for (const QString& mode : scanner_.modes)
        mode_->addItem(modeName(mode), mode);
    showChoice(mode_, remembered.value(settingKey(scanner_.device, "mode")), scanner_.mode);
    auto* choices = new QFormLayout;
    choices->addRow(QStringLiteral("Résolution :"), resolution_);
    choices->addRow(QStringLiteral("Mode :"), mode_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);

    // A scanner whose area cannot be set scans what it scans.
    if (!scanner_.glass.isEmpty()) {
        auto* frame = new QGroupBox(QStringLiteral("Zone à numériser (mm)"), this);
        view_ = new ScanAreaView(scanner_.glass, frame);
        view_->setObjectName(QStringLiteral("picArea"));
        connect(view_, &ScanAreaView::areaDrawn, this, &ScanDialog::showArea);
        auto* edges = new QFormLayout;
        const auto edge = [&](const char* name, const QString& label, double low, double high) {
            auto* box = new QDoubleSpinBox(frame);
            box->setObjectName(QLatin1String(name));
            box->setDecimals(scanner_.areaStep >= 1 ? 0 : 1);
            box->setSingleStep(scanner_.areaStep > 0 ? scanner_.areaStep : 1);
            box->setRange(low, high);
            connect(box, &QDoubleSpinBox::valueChanged, this,
                    [this] { view_->setArea(areaOfEdges()); });
            edges->addRow(label, box);
            return box;
        };
        const QRectF& glass = scanner_.glass;
        left_ = edge("spnLeft", QStringLiteral("Gauche :"), glass.left(), glass.right());
        top_ = edge("spnTop", QStringLiteral("Haut :"), glass.top(), glass.bottom());
        right_ = edge("spnRight", QStringLiteral("Droite :"), glass.left(), glass.right());
        bottom_ = edge("spnBottom", QStringLiteral("Bas :"), glass.top(), glass.bottom());
        auto* previewing = new QPushButton(QStringLiteral("Aperçu"), frame);
        previewing->setObjectName(QStringLiteral("cmdPreview"));
        previewing->setToolTip(QStringLiteral("Numérise toute la vitre à basse résolution"));
        connect(previewing, &QPushButton::clicked, this, &ScanDialog::preview);
        auto* whole = new QPushButton(QStringLiteral("Toute la vitre"), frame);
        whole->setObjectName(QStringLiteral("cmdWholeGlass"));
        connect(whole, &QPushButton::clicked, this, [this] { showArea(scanner_.glass); });
        edges->addRow(previewing);
        edges->addRow(whole);
        auto* beside = new QHBoxLayout;
        beside->addWidget(view_, 0, Qt::AlignTop);
        beside->addLayout(edges);
        auto* inside = new QVBoxLayout(frame);
        inside->addLayout(beside);
        inside->addWidget(
            new QLabel(QStringLiteral("Tracez sur l'aperçu la zone à numériser."), frame));
        layout->addWidget(frame);
        showArea(glass);
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* scan =
        buttons->addButton(QStringLiteral("Numériser"), QDialogButtonBox::AcceptRole);
    scan->setObjectName(QStringLiteral("cmdScan"));
    scan->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScanDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScanDialog::reject);
    layout->addWidget(buttons);
}

SaneScanner::Settings ScanDialog::settings() const
{
    SaneScanner::Settings chosen;
    chosen.resolution = resolution_->currentData().toInt();
    chosen.mode = mode_->currentData().toString();
    if (view_) {
        chosen.area = areaOfEdges();
        // Edges crossed on one another leave nothing to scan: the whole glass then.
        if (chosen.area.isEmpty())
            chosen.area = scanner_.glass;
    }
    return chosen;
}

void ScanDialog::accept()
{
    QSettings remembered;
    if (resolution_->count() > 0)
        remembered.setValue(settingKey(scanner_.device, "resolution"), resolution_->currentData());
    if (mode_->count() > 0)
        remembered.setValue(settingKey(scanner_.device, "mode"), mode_->currentData());
    QDialog::accept();
}

void ScanDialog::preview()
{
    // The lowest resolution is enough for a picture this small, and the quickest.
    SaneScanner::Settings pass;
    pass.resolution = scanner_.resolutions.empty() ? 0 : scanner_.resolutions.front();
    pass.mode = mode_->currentData().toString();
    pass.area = scanner_.glass;
    if (const std::optional<QImage> page = previewer_ ? previewer_(pass, this) : std::nullopt)
        view_->setPreview(*page);
}

double ScanDialog::onStep(double value, double origin) const
{
    if (scanner_.areaStep <= 0)
        return value;
    return origin + std::round((value - origin) / scanner_.areaStep) * scanner_.areaStep;
}

void ScanDialog::showArea(const QRectF& area)
{
    const QRectF& glass = scanner_.glass;
    const QRectF inside = area.normalized().intersected(glass);
    const std::tuple<QDoubleSpinBox*, double, double> edges[] = {
        {left_, inside.left(), glass.left()},
        {top_, inside.top(), glass.top()},
        {right_, inside.right(), glass.left()},
        {bottom_, inside.bottom(), glass.top()}};
    for (const auto& [box, value, origin] : edges) {
        const QSignalBlocker quiet(box);
        box->setValue(onStep(value, origin));
    }
    view_->setArea(areaOfEdges());
}

QRectF ScanDialog::areaOfEdges() const
{
    return QRectF(QPointF(left_->value(), top_->value()),
                  QPointF(right_->value(), bottom_->value()))
        .normalized();
}
