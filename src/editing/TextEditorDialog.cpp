// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEditorDialog.h"

#include "AboutPicture.h"
#include "Prompter.h"
#include "TextEncoding.h"
#include "TextFileLoader.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

TextEditorDialog::TextEditorDialog(const QString& caption, bool labelTextEditing,
                                   Prompter& prompter, QWidget* parent,
                                   std::function<void()> showAbout)
    : QDialog(parent), prompter_(prompter), labelTextEditing_(labelTextEditing)
{
    setObjectName(QStringLiteral("frmTextEdit"));
    setWindowTitle(QStringLiteral("Editeur de texte"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Edition/Modification du texte"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    textBox_ = new QPlainTextEdit(this);
    textBox_->setObjectName(QStringLiteral("txtNew"));
    textBox_->setPlainText(TextEncoding::withLf(caption));
    textBox_->selectAll();
    textBox_->setTabChangesFocus(true);

    auto makeButton = [this](const char* name, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    QPushButton* atStart =
        makeButton("cmdLineAtStart", QStringLiteral("Insérer une ligne au début"));
    QPushButton* atEnd = makeButton("cmdLineAtEnd", QStringLiteral("Insérer une ligne a la suite"));
    QPushButton* fromFile =
        makeButton("cmdFromFile", QStringLiteral("Insérer à partir d'un fichier texte .TXT"));
    QPushButton* ok = makeButton("cmdOk", QStringLiteral("&Ok"));
    QPushButton* cancel = makeButton("cmdCancel", QStringLiteral("&Annuler"));
    connect(atStart, &QPushButton::clicked, this, &TextEditorDialog::insertLineAtStart);
    connect(atEnd, &QPushButton::clicked, this, &TextEditorDialog::insertLineAtEnd);
    connect(fromFile, &QPushButton::clicked, this, &TextEditorDialog::insertFromFile);
    connect(ok, &QPushButton::clicked, this, &TextEditorDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* lines = new QHBoxLayout;
    lines->addWidget(atStart);
    lines->addWidget(atEnd);
    lines->addWidget(fromFile);
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ok);
    closing->addWidget(cancel);

    QToolButton* about = makeAboutPicture(this, std::move(showAbout));
    about->setObjectName(QStringLiteral("imgAbout"));
    auto* top = new QHBoxLayout;
    top->addWidget(heading, 1);
    top->addWidget(about);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(textBox_, 1);
    layout->addLayout(lines);
    layout->addLayout(closing);
    resize(560, 360);
    textBox_->setFocus();
}

std::optional<QString> TextEditorDialog::edit(const QString& caption, bool labelTextEditing,
                                              Prompter& prompter, QWidget* parent,
                                              std::function<void()> showAbout)
{
    TextEditorDialog editor(caption, labelTextEditing, prompter, parent, std::move(showAbout));
    editor.exec();
    return editor.result();
}

void TextEditorDialog::insertLineAtStart()
{
    textBox_->setPlainText(QLatin1Char('\n') + textBox_->toPlainText());
    textBox_->setFocus();
    QTextCursor cursor = textBox_->textCursor();
    cursor.setPosition(0); // on the new, empty first line
    textBox_->setTextCursor(cursor);
}

void TextEditorDialog::insertLineAtEnd()
{
    textBox_->setPlainText(textBox_->toPlainText() + QLatin1Char('\n'));
    textBox_->setFocus();
    textBox_->moveCursor(QTextCursor::End);
}

void TextEditorDialog::insertFromFile()
{
    const auto path = prompter_.getOpenFileName(
        {QStringLiteral("Ouvrir un fichier texte .HEX ou .TXT"),
         QString(),
         {QStringLiteral("Fichier texte  (*.TXT *.txt)"), QStringLiteral("Tous les fichiers  (*)")},
         QString()});
    if (!path)
        return;
    setWindowTitle(*path);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const TextFileLoader::Result loaded = TextFileLoader::load(*path);
    QGuiApplication::restoreOverrideCursor();
    switch (loaded.status) {
    case TextFileLoader::Result::Status::Loaded:
        textBox_->setPlainText(TextEncoding::withLf(loaded.text));
        break;
    case TextFileLoader::Result::Status::TooLarge:
        reject();
        prompter_.inform(TextFileLoader::tooLargeMessage(*path), QStringLiteral("Message"));
        break;
    case TextFileLoader::Result::Status::Unreadable:
        prompter_.inform(QStringLiteral("Le fichier ") + *path +
                             QStringLiteral(" ne peut pas être lu."),
                         QStringLiteral("Erreur"), Prompter::Icon::Exclamation);
        break;
    }
}

void TextEditorDialog::accept()
{
    result_ = TextEncoding::withCrLf(textBox_->toPlainText());
    QDialog::accept();
}
