#include "frmJewelCase.h"

#include "AboutBox.h"
#include "CoverView.h"
#include "MainMenus.h"
#include "SheetWidget.h"
#include "VerticalTextDrawing.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <cmath>

frmJewelCase::frmJewelCase(Prompter* prompter, QWidget* parent)
    : QMainWindow(parent), selection_(document_), qtPrompter_(this),
      prompter_(prompter ? prompter : &qtPrompter_)
{
    setWindowTitle(QStringLiteral("Jaskel CD : Nouveau"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/jaskelcd.svg")));
    view_ = new CoverView(document_, selection_, this);
    setCentralWidget(view_);
    buildMenus();
    buildToolBar();

    editing_ =
        new EditingCommands(this, {document_, selection_, *prompter_}, [this] { showAbout(); });
    connect(editing_, &EditingCommands::coverChanged, this, &frmJewelCase::refreshCover);
    for (int sheet = 0; sheet < JewelCaseDocument::sheetCount; ++sheet) {
        SheetWidget* widget = view_->sheet(sheet);
        connect(widget, &SheetWidget::elementDoubleClicked, this,
                [this](const ElementRef& element) {
                    editing_->texts().doubleClick(element);
                    refreshCover();
                });
        connect(widget, &SheetWidget::contextMenuRequested, this, [this](const QPoint& at) {
            findChild<QMenu*>(QStringLiteral("mnuText"))->popup(at);
        });
    }
}

frmJewelCase::~frmJewelCase() = default;

QAction* frmJewelCase::action(const QString& name) const
{
    return findChild<QAction*>(name);
}

QAction* frmJewelCase::toolbarPosition(int position) const
{
    if (position < 1 || position > int(toolbarPositions_.size()))
        return nullptr;
    return toolbarPositions_[std::size_t(position - 1)];
}

double frmJewelCase::pixelsPerTwip() const
{
    return view_->pixelsPerTwip();
}

void frmJewelCase::buildMenus()
{
    MainMenus::build(menuBar());
    connect(action(QStringLiteral("mnuViewRectoVerso")), &QAction::triggered, this,
            [this] { ShowView(FaceViews::RectoVerso); });
    connect(action(QStringLiteral("mnuViewVerso")), &QAction::triggered, this,
            [this] { ShowView(FaceViews::Verso); });
    connect(action(QStringLiteral("mnuViewDos")), &QAction::triggered, this,
            [this] { ShowView(FaceViews::Dos); });
    connect(action(QStringLiteral("mnuAbout")), &QAction::triggered, this,
            &frmJewelCase::showAbout);

    // Ctrl+A aligns the selection on the bar; it is no menu entry's shortcut.
    auto* alignKey = new QAction(this);
    alignKey->setObjectName(QStringLiteral("mnuAlignKey"));
    alignKey->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    addAction(alignKey);
}

void frmJewelCase::buildToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Barre d'outils"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(20, 20));
    toolbarPositions_ = MainMenus::buildToolBar(toolBar_);
    connect(toolbarPosition(8), &QAction::triggered, this,
            [this] { ShowView(FaceViews::RectoVerso); });
    connect(toolbarPosition(9), &QAction::triggered, this, [this] { ShowView(FaceViews::Dos); });
}

void frmJewelCase::startUp(const QString& commandLinePath)
{
    const double toolbarTwips =
        (menuBar()->sizeHint().height() + toolBar_->sizeHint().height()) / pixelsPerTwip();
    document_.layOut(float(toolbarTwips));
    const bool barShown = action(QStringLiteral("mnuShowBar"))->isChecked();
    for (Sheet& sheet : document_.sheets)
        sheet.barVisible = barShown;

    ShowView(FaceViews::RectoVerso);
    // With no catalogue record waiting, the spines read "Votre texte".
    DrawRotatedText(document_, QStringLiteral("Votre texte"));
    document_.currentView = 0;
    action(QStringLiteral("mnuQualityHigh"))->setChecked(true);

    const int height = int(std::lround((toolbarTwips + 8100) * pixelsPerTwip()));
    resize(width(), height);
    started_ = true;
    centreOnScreen();
    refreshCover();

    if (!commandLinePath.isEmpty())
        openCommandLineFile(commandLinePath);
}

void frmJewelCase::openCommandLineFile(const QString& path)
{
    commandLinePath_ = path;
    document_.loadingDocument = 1;
    // The cover reader takes over from here once it exists; until then the path is kept.
    document_.loadingDocument = 0;
}

void frmJewelCase::ShowView(int entry)
{
    applyView(FaceViews::ShowView(document_, selection_, entry));
}

void frmJewelCase::applyView(const ViewState& state)
{
    toolbarPosition(8)->setChecked(state.rectoVersoPressed);
    toolbarPosition(9)->setChecked(state.dosPressed);
    toolbarPosition(11)->setEnabled(state.insertRectoEnabled);
    toolbarPosition(12)->setEnabled(state.insertVersoEnabled);
    toolbarPosition(13)->setEnabled(state.insertDosEnabled);

    action(QStringLiteral("mnuInsert0"))->setText(state.insertEntry0);
    action(QStringLiteral("mnuAlign0"))->setText(state.alignEntry0);
    action(QStringLiteral("mnuSpace0"))->setText(state.spaceEntry0);
    for (const char* name : {"mnuInsert1", "mnuAlign1", "mnuSpace1"})
        action(QString::fromLatin1(name))->setVisible(state.entry1Visible);

    if (state.sheetSwitched)
        resize(int(std::lround(state.windowWidth * pixelsPerTwip())), height());
    refreshCover();
}

void frmJewelCase::refreshCover()
{
    view_->refresh();
}

void frmJewelCase::centreOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen || !started_)
        return;
    const QRect available = screen->geometry();
    const QSize frame = frameGeometry().size().expandedTo(size());
    move(available.left() + (available.width() - frame.width()) / 2,
         available.top() + (available.height() - frame.height()) / 2);
}

void frmJewelCase::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    centreOnScreen();
}

void frmJewelCase::closeEvent(QCloseEvent* event)
{
    for (Face& face : document_.faces)
        face.unloadTexts();
    selection_.currentSelection = ElementRef();
    event->accept();
    // Closing the cover window ends the program, with every other window.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this)
            window->close();
    }
}

void frmJewelCase::showAbout()
{
    AboutBox about(this);
    about.exec();
}
