// SPDX-License-Identifier: GPL-3.0-or-later
#include "Application.h"

#include "AboutBox.h"

#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Application {

void configure(QGuiApplication& application)
{
    QGuiApplication::setApplicationName(AboutBox::programName());
    QGuiApplication::setApplicationVersion(AboutBox::version());
    QGuiApplication::setOrganizationName(QStringLiteral("jaskelcd"));
    // The desktop entry's name (resources/desktop), by which the desktop knows the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("fr.jaskel.jaskelcd"));

    // The interface is French whatever the user's locale, Qt's own buttons included.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QGuiApplication::installTranslator(translator);

    // fontconfig maps "Times New Roman" and "Comic Sans MS" to metric-compatible faces;
    // "MS Sans Serif" has no such alias.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace Application
