#pragma once

#include "CoverSelection.h"
#include "EditingCommands.h"
#include "FaceViews.h"
#include "JewelCaseDocument.h"
#include "QtPrompter.h"

#include <QMainWindow>
#include <array>

class CoverView;
class QActionGroup;
class QMenu;
class QToolBar;

// The cover window: it holds the cover and builds its menus and toolbar; the commands live in
// the subsystems' own objects.
class frmJewelCase : public QMainWindow {
    Q_OBJECT
public:
    // A null prompter means Qt's own dialogs.
    explicit frmJewelCase(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~frmJewelCase() override;

    JewelCaseDocument& document() { return document_; }
    CoverSelection& selection() { return selection_; }
    CoverView* coverView() const { return view_; }
    QToolBar* toolBar() const { return toolBar_; }
    Prompter& prompter() { return *prompter_; }
    EditingCommands& editing() { return *editing_; }
    // The menu entry or toolbar command with this object name.
    QAction* action(const QString& name) const;
    // Toolbar position 1 to 17, separators included.
    QAction* toolbarPosition(int position) const;

    // Lays out the cover, shows the first view, sizes the window and takes the cover file
    // named on the command line, if any.
    void startUp(const QString& commandLinePath = QString());
    QString commandLinePath() const { return commandLinePath_; }

    void ShowView(int entry);
    void refreshCover();
    double pixelsPerTwip() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void applyView(const ViewState& state);
    void centreOnScreen();
    void showAbout();
    void openCommandLineFile(const QString& path);

    JewelCaseDocument document_;
    CoverSelection selection_;
    QtPrompter qtPrompter_;
    Prompter* prompter_;
    CoverView* view_ = nullptr;
    EditingCommands* editing_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::array<QAction*, 17> toolbarPositions_{};
    QString commandLinePath_;
    bool started_ = false;
};
