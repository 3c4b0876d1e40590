#pragma once

#include "CoverContext.h"
#include "EditingCommands.h"
#include "FaceViews.h"
#include "ImageOptions.h"
#include "JewelCaseDocument.h"
#include "MainMenus.h"
#include "QtPrompter.h"

#include <QMainWindow>
#include <memory>

class CoverView;
class QToolBar;

// The cover window: it holds the cover, lays out its menus and toolbar, and wires the commands
// of each subsystem to them.
class frmJewelCase : public QMainWindow {
    Q_OBJECT
public:
    // A null prompter means Qt's own dialogs.
    explicit frmJewelCase(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~frmJewelCase() override;

    JewelCaseDocument& document() { return document_; }
    CoverContext& context() { return *context_; }
    SelectionController& selection() { return context_->selection; }
    CoverView* coverView() const { return view_; }
    QToolBar* toolBar() const { return toolBar_; }
    const MainMenus& menus() const { return *menus_; }
    Prompter& prompter() { return *prompter_; }
    EditingCommands& editing() { return *editing_; }

    // Shows the first view, sizes the window and takes the cover file named on the command
    // line, if any.
    void startUp(const QString& commandLinePath = QString());
    QString commandLinePath() const { return commandLinePath_; }

    void ShowView(int entry);
    // "Options &Images": the modal image options; the cover is painted again after it.
    void showImageOptions();
    const ImageOptionsChoices& imageChoices() const { return imageChoices_; }
    void refreshCover();
    double pixelsPerTwip() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wireViews();
    void wirePictureExports();
    void applyView(const ViewState& state);
    void centreOnScreen();
    void showAbout();
    void openCommandLineFile(const QString& path);

    JewelCaseDocument document_;
    QtPrompter qtPrompter_;
    Prompter* prompter_;
    std::unique_ptr<CoverContext> context_;
    std::unique_ptr<MainMenus> menus_;
    CoverView* view_ = nullptr;
    EditingCommands* editing_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QString commandLinePath_;
    ImageOptionsChoices imageChoices_;
    QString lastPicturePath_; // the picture last opened or exported
    bool started_ = false;
};
