#include "Application.h"

#include "AboutBox.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Application {

void configure(QApplication& application)
{
    QApplication::setApplicationName(AboutBox::programName());
    QApplication::setApplicationVersion(AboutBox::version());
    QApplication::setOrganizationName(QStringLiteral("jaskelcd"));
    QApplication::setDesktopFileName(QStringLiteral("jaskelcd"));

    // The interface is French whatever the user's locale, Qt's own buttons included.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_fr"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    // fontconfig maps "Times New Roman" and "Comic Sans MS" to metric-compatible faces;
    // "MS Sans Serif" has no such alias.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace Application
