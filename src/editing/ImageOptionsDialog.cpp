// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageOptionsDialog.h"

#include "AboutPicture.h"
#include "CoverContext.h"
#include "ElementPainter.h"
#include "PictureExport.h"
#include "PictureSources.h"
#include "Prompter.h"
#include "ScannerWindows.h"
#include "Twips.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using enum ImageOptionsChoices::PictureSource;
using PicturePlacement::BackgroundFitMode;
using PicturePlacement::LogoDisplayMode;

// The preview of a face: its colour, its background and its logo, a third of their size.
class FacePreview : public QWidget {
public:
    FacePreview(const ImageOptions& options, int face, QWidget* parent)
        : QWidget(parent), options_(options), face_(face)
    {
        const QSizeF twips = options.previewSize(face);
        const QPointF corner = Twips::toDevice(*this).map(QPointF(twips.width(), twips.height()));
        setFixedSize(int(corner.x()) + 1, int(corner.y()) + 1);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const ImageOptions::FaceOptions& face = options_.faces[std::size_t(face_)];
        QPainter painter(this);
        painter.setTransform(Twips::toDevice(*this));
        const QRectF area(QPointF(0, 0), options_.previewSize(face_));
        ElementPainter::box(painter, area, OleColors::toQColor(face.colour), true);
        if (!face.background.isNull())
            face.background.paint(painter, options_.backgroundPreview(face_));
        const QRectF logo = options_.logoPreview(face_);
        if (!face.logo.isNull() && face.logoMode != int(LogoDisplayMode::Hidden) &&
            logo.isValid()) {
            face.logo.paint(painter, logo);
            if (face.logoBorder != int(BorderStyle::None))
                ElementPainter::box(painter, logo, QColor(), true);
        }
    }

private:
    const ImageOptions& options_;
    int face_;
};

// Two spines, each with a sample of the vertical text where the chosen alignment puts it: at the
// start of its reading direction (the left one reads upward, from the bottom), at its end, or
// centred.
class SpinePreview : public QWidget {
public:
    SpinePreview(const ImageOptions& options, QWidget* parent) : QWidget(parent), options_(options)
    {
        setFixedSize(2 * spineWidth + gap + 2, spineHeight + 2);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QString sample = QStringLiteral("x x x");
        const int fromBottom = spineHeight - sampleLength - margin; // the left sample's place
        for (int spine = 0; spine < 2; ++spine) {
            const QRect strip(spine * (spineWidth + gap), 0, spineWidth, spineHeight);
            painter.setPen(Qt::black);
            painter.setBrush(Qt::white);
            painter.drawRect(strip);
            int top = spine == 0 ? fromBottom : margin;
            switch (options_.verticalAlignment) {
            case VerticalAlignment::End:
                top = spine == 0 ? margin : fromBottom;
                break;
            case VerticalAlignment::Centre:
                top = (spineHeight - sampleLength) / 2;
                break;
            case VerticalAlignment::Start:
                break;
            }
            painter.save();
            const QRectF cell(strip.left(), top, spineWidth, sampleLength);
            painter.translate(cell.center());
            painter.rotate(spine == 0 ? -90 : 90);
            painter.drawText(
                QRectF(-sampleLength / 2.0, -spineWidth / 2.0, sampleLength, spineWidth),
                Qt::AlignCenter, sample);
            painter.restore();
        }
    }

private:
    static constexpr int spineWidth = 22;
    static constexpr int spineHeight = 110;
    static constexpr int sampleLength = 40;
    static constexpr int margin = 4;
    static constexpr int gap = 40;
    const ImageOptions& options_;
};

QComboBox* list(QWidget* parent, const QStringList& entries)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(entries);
    return combo;
}

QString panelCaption(int face)
{
    switch (face) {
    case Face::Verso:
        return QStringLiteral("VERSO (Interieur)");
    case Face::Recto:
        return QStringLiteral("RECTO (Face avant)");
    default:
        return QStringLiteral("DOS (Face arrière)");
    }
}

QString faceName(int face)
{
    return face == Face::Verso   ? QStringLiteral("Verso")
           : face == Face::Recto ? QStringLiteral("Recto")
                                 : QStringLiteral("Dos");
}

const QStringList sources = {
    QStringLiteral("Pas d' Image"), QStringLiteral("Insérer à partir d'un fichier"),
    QStringLiteral("Insérer à partir du presse papier"), QStringLiteral("Image numérisée")};

} // namespace

ImageOptionsDialog::ImageOptionsDialog(CoverContext& context, QString& lastPicturePath,
                                       QWidget* parent, std::function<void()> showAbout)
    : QDialog(parent), context_(context), lastPicturePath_(lastPicturePath),
      options_(context.document)
{
    setObjectName(QStringLiteral("frmJCimgOpts"));
    setWindowTitle(QStringLiteral("Options d'affichage des images"));
    setModal(true);

    auto* faces = new QHBoxLayout;
    for (int face : {int(Face::Recto), int(Face::Verso), int(Face::Dos)})
        faces->addWidget(buildPanel(face));

    logoSource_ = list(this, sources);
    connect(logoSource_, &QComboBox::currentIndexChanged, this,
            &ImageOptionsDialog::logoSourceChosen);
    auto* scanner =
        new QPushButton(QStringLiteral("&Sélectionner la source de numérisation"), this);
    scanner->setToolTip(QStringLiteral("Sélectionne le scanner"));
    connect(scanner, &QPushButton::clicked, this,
            [this] { ScannerWindows::SelectScannerSource(this); });

    auto* alignmentFrame =
        new QGroupBox(QStringLiteral("Alignement des textes verticaux de la face arrière"), this);
    alignment_ =
        list(alignmentFrame, {QStringLiteral("Aligné à gauche"), QStringLiteral("Alligné à droite"),
                              QStringLiteral("Centré")});
    alignment_->setObjectName(QStringLiteral("cblLblAlign"));
    alignment_->setCurrentIndex(int(options_.verticalAlignment));
    auto* spines = new SpinePreview(options_, alignmentFrame);
    connect(alignment_, &QComboBox::currentIndexChanged, this, [this, spines](int index) {
        options_.verticalAlignment = VerticalAlignment(index);
        spines->update();
    });
    auto* alignmentRow = new QHBoxLayout(alignmentFrame);
    auto* alignmentLayout = new QVBoxLayout;
    alignmentRow->addLayout(alignmentLayout, 1);
    alignmentRow->addWidget(spines);
    alignmentLayout->addWidget(new QLabel(QStringLiteral("Alignement vertical"), alignmentFrame));
    alignmentLayout->addWidget(alignment_);
    auto* hint = new QLabel(QStringLiteral("Alignement des texte Gauche et Droite verticaux de la "
                                           "face arrière"),
                            alignmentFrame);
    hint->setWordWrap(true);
    alignmentLayout->addWidget(hint);
    auto* note = new QLabel(QStringLiteral("Les attributs des textes verticaux peuvent être "
                                           "modifiés lors de l'affichage de la face arrière."),
                            alignmentFrame);
    note->setWordWrap(true);
    alignmentLayout->addWidget(note);

    auto* validate = new QPushButton(QStringLiteral("&Valider && Fermer"), this);
    validate->setObjectName(QStringLiteral("cmdValidate"));
    auto* cancel = new QPushButton(QStringLiteral("&Annuler && Fermer"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(validate, &QPushButton::clicked, this, [this] { close(true); });
    connect(cancel, &QPushButton::clicked, this, [this] { close(false); });
    QToolButton* about = makeAboutPicture(this, std::move(showAbout));

    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(new QLabel(QStringLiteral("Choix du logo"), this));
    logoRow->addWidget(logoSource_, 1);
    logoRow->addWidget(scanner);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(alignmentFrame, 1);
    bottom->addWidget(about, 0, Qt::AlignBottom);
    bottom->addWidget(validate, 0, Qt::AlignBottom);
    bottom->addWidget(cancel, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(faces);
    layout->addLayout(logoRow);
    layout->addLayout(bottom);

    showLists();
}

QWidget* ImageOptionsDialog::buildPanel(int face)
{
    Panel& panel = panels_[std::size_t(face)];
    auto* box = new QGroupBox(panelCaption(face), this);
    panel.preview = new FacePreview(options_, face, box);
    panel.logoMode =
        list(box, {QStringLiteral("Cacher le Logo"),
                   QStringLiteral("Logo ajusté sur le ") + faceName(face),
                   QStringLiteral("Logo position libre"), QStringLiteral("Logo Haut Gauche"),
                   QStringLiteral("Logo Haut Droit"), QStringLiteral("Logo Bas Gauche"),
                   QStringLiteral("Logo Bas Droite"), QStringLiteral("Logo Centré")});
    panel.logoBorder =
        list(box, {QStringLiteral("Logo sans Bordure"), QStringLiteral("Logo avec Bordure")});
    panel.backgroundSource = list(box, sources);
    panel.backgroundMode = list(
        box, {QStringLiteral("Ajusté à la totalité"), QStringLiteral("Centré et proportionnel")});
    panel.colour = new QPushButton(QStringLiteral("Changer la couleur de fond"), box);

    ImageOptions::FaceOptions& options = options_.faces[std::size_t(face)];
    connect(panel.logoMode, &QComboBox::currentIndexChanged, this,
            [this, face, &options](int mode) {
                options.logoMode = mode;
                if (!settingLists_)
                    options.logoTrueSize = false;
                panels_[std::size_t(face)].preview->update();
            });
    connect(panel.logoBorder, &QComboBox::currentIndexChanged, this,
            [this, face, &options](int border) {
                options.logoBorder = border;
                panels_[std::size_t(face)].preview->update();
            });
    connect(panel.backgroundMode, &QComboBox::currentIndexChanged, this,
            [this, face, &options](int mode) {
                options.backgroundMode = mode;
                if (!settingLists_)
                    options.backgroundTrueSize = false;
                panels_[std::size_t(face)].preview->update();
            });
    connect(panel.backgroundSource, &QComboBox::currentIndexChanged, this,
            [this, face](int source) { backgroundSourceChosen(face, source); });
    connect(panel.colour, &QPushButton::clicked, this, [this, face, &options] {
        if (const std::optional<OleColor> colour = context_.prompter.getColor(options.colour))
            options.colour = *colour;
        panels_[std::size_t(face)].preview->update();
    });

    auto* grid = new QGridLayout(box);
    grid->addWidget(panel.preview, 0, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Options d'affichage du Logo"), box), 1, 0);
    grid->addWidget(panel.logoMode, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Options de Bordure du Logo"), box), 2, 0);
    grid->addWidget(panel.logoBorder, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Image de fond"), box), 3, 0);
    grid->addWidget(panel.backgroundSource, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Options Image de fond"), box), 4, 0);
    grid->addWidget(panel.backgroundMode, 4, 1);
    grid->addWidget(panel.colour, 5, 0, 1, 2);
    return box;
}

void ImageOptionsDialog::showLists()
{
    settingLists_ = true;
    for (int face = 0; face < Face::count; ++face) {
        const ImageOptions::FaceOptions& options = options_.faces[std::size_t(face)];
        Panel& panel = panels_[std::size_t(face)];
        const bool hasLogo = !options.logo.isNull();
        panel.logoMode->setCurrentIndex(options.logoMode);
        panel.logoBorder->setCurrentIndex(options.logoBorder);
        panel.logoMode->setEnabled(hasLogo);
        panel.logoBorder->setEnabled(hasLogo);
        panel.shownSource = options.background.isNull() ? NoPicture : FromFile;
        showSource(panel.backgroundSource, panel.shownSource);
        panel.backgroundMode->setCurrentIndex(options.backgroundMode);
        panel.backgroundMode->setEnabled(!options.background.isNull());
    }
    showSource(logoSource_, options_.logoSource);
    settingLists_ = false;
}

void ImageOptionsDialog::showSource(QComboBox* list, int source)
{
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(source);
}

std::optional<ImageOptionsDialog::Acquired> ImageOptionsDialog::acquire(int source, int exportEntry,
                                                                        const ScanHandler& scanned)
{
    // A picture from the clipboard has no file of its own; a scanned one has the file it is
    // saved to. (The last file opened is some other picture: the cover must not name it.)
    QString path = JewelCaseDocument::noPicture;
    if (source == Scanned) {
        if (const std::optional<Picture> scan = ScannerWindows::AcquireScannedPicture(this)) {
            scanned(*scan);
            if (PictureExport::SavePictureAsBmp(context_.document, exportEntry, *scan,
                                                context_.prompter, lastPicturePath_))
                path = lastPicturePath_;
        }
    }
    // The scanned page is still on the clipboard; after a failed scan the clipboard is empty
    // and says so.
    std::optional<Picture> picture =
        PictureSources::AcquirePicture(source != FromFile, context_.prompter, lastPicturePath_);
    if (!picture)
        return std::nullopt;
    if (source == FromFile)
        path = lastPicturePath_;
    return Acquired{*picture, path};
}

void ImageOptionsDialog::logoSourceChosen(int source)
{
    if (source == NoPicture) {
        options_.logoSource = NoPicture;
        options_.logoPath = JewelCaseDocument::noPicture;
        for (int face = 0; face < Face::count; ++face) {
            options_.faces[std::size_t(face)].logo = Picture();
            panels_[std::size_t(face)].logoMode->setEnabled(false);
            panels_[std::size_t(face)].logoBorder->setEnabled(false);
            panels_[std::size_t(face)].preview->update();
        }
        return;
    }
    // A scanned logo is shown fitted to every face.
    const auto showFitted = [this](const Picture&) {
        for (Panel& panel : panels_)
            panel.logoMode->setCurrentIndex(int(LogoDisplayMode::FittedToFace));
    };
    const std::optional<Acquired> acquired = acquire(source, PictureExport::logoEntry, showFitted);
    if (!acquired) {
        // No picture came: the list says again where the logo came from.
        showSource(logoSource_, options_.logoSource);
        return;
    }
    options_.chooseLogo(source, acquired->picture, acquired->path);
    for (int face = 0; face < Face::count; ++face) {
        Panel& panel = panels_[std::size_t(face)];
        panel.logoMode->setEnabled(true);
        panel.logoBorder->setEnabled(true);
        panel.logoMode->setCurrentIndex(options_.faces[std::size_t(face)].logoMode);
        panel.preview->update();
    }
}

void ImageOptionsDialog::backgroundSourceChosen(int face, int source)
{
    ImageOptions::FaceOptions& options = options_.faces[std::size_t(face)];
    Panel& panel = panels_[std::size_t(face)];
    if (source == NoPicture) {
        options.background = Picture();
        options.backgroundPath = JewelCaseDocument::noPicture;
        panel.backgroundMode->setEnabled(false);
        panel.preview->update();
        panel.shownSource = NoPicture;
        return;
    }
    // A scanned background goes onto the face at once, whichever button closes the dialog.
    const auto putOnFace = [this, face](const Picture& scan) {
        context_.document.faces[std::size_t(face)].background.setPicture(scan);
    };
    const std::optional<Acquired> acquired = acquire(source, face, putOnFace);
    if (!acquired) {
        showSource(panel.backgroundSource, panel.shownSource);
        return;
    }
    panel.shownSource = source;
    options_.chooseBackground(face, acquired->picture, acquired->path);
    // The scanned picture is on the face already: the cover names its file at once too.
    if (source == Scanned)
        context_.document.picturePath(face) = acquired->path;
    panel.backgroundMode->setCurrentIndex(options.backgroundMode);
    panel.backgroundMode->setEnabled(true);
    panel.preview->update();
}

void ImageOptionsDialog::close(bool apply)
{
    if (apply)
        options_.apply(context_.document);
    options_.remember(context_.document);
    if (apply) {
        accept();
    } else {
        // Cancelled, the cover still counts as modified, as it always has.
        context_.history.markModified();
        reject();
    }
}
