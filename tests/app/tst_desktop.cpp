#include "AboutBox.h"
#include "Application.h"
#include "CommandLine.h"
#include "ScriptedPrompter.h"
#include "frmJewelCase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMimeDatabase>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>
#include <map>

namespace {

const QString resources = QStringLiteral(RESOURCES_DIR);
const QStringList standardNames = {QStringLiteral("document-new"), QStringLiteral("document-open"),
                                   QStringLiteral("document-save"),
                                   QStringLiteral("application-exit")};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// The keys of a desktop entry's main group.
std::map<QString, QString> desktopEntry(const QString& path)
{
    std::map<QString, QString> keys;
    bool inMainGroup = false;
    for (const QByteArray& raw : readAll(path).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        else if (inMainGroup && line.contains(QLatin1Char('=')))
            keys[line.section(QLatin1Char('='), 0, 0)] = line.section(QLatin1Char('='), 1);
    }
    return keys;
}

// The text of every element of a name, and its attributes, in the order of the file.
struct XmlElement {
    QString text;
    QXmlStreamAttributes attributes;
};

QList<XmlElement> xmlElements(const QString& path, const QString& name)
{
    QList<XmlElement> found;
    QXmlStreamReader xml(readAll(path));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name) {
            XmlElement element{{}, xml.attributes()};
            element.text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            found << element;
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return found;
}

QStringList texts(const QList<XmlElement>& elements)
{
    QStringList list;
    for (const XmlElement& element : elements)
        list << element.text;
    return list;
}

// The program's desktop files, named after the name it gives Qt.
QString desktopFile(const QString& suffix)
{
    Application::configure(*qApp);
    return resources + QStringLiteral("/desktop/") + QGuiApplication::desktopFileName() + suffix;
}

QStringList mimeTypesDeclared()
{
    QStringList types;
    for (const XmlElement& type :
         xmlElements(resources + QStringLiteral("/mime/jaskelcd.xml"), QStringLiteral("mime-type")))
        types << type.attributes.value(QStringLiteral("type")).toString();
    return types;
}

bool isGrey(QRgb pixel)
{
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return qAlpha(pixel) < 16 || high - low < 40;
}

// How many pixels of a picture are coloured rather than grey.
int colouredPixels(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isGrey(image.pixel(x, y)) ? 0 : 1;
    return count;
}

// A picture of one colour for an icon theme.
void writeIcon(const QString& path, const QColor& colour)
{
    QImage image(22, 22, QImage::Format_ARGB32);
    image.fill(colour);
    QVERIFY(image.save(path));
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir data_;

    // The window's standard buttons, by their icon names.
    static std::map<QString, QAction*> standardButtons(const frmJewelCase& window)
    {
        const FileActions& file = window.menus().file;
        return {{QStringLiteral("document-new"), file.newButton},
                {QStringLiteral("document-open"), file.openButton},
                {QStringLiteral("document-save"), file.saveButton},
                {QStringLiteral("application-exit"), file.quitButton}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(data_.isValid());
        // The file types as a desktop knows them once the package is installed: compiled by
        // update-mime-database over the base types, and the only ones Qt reads here.
        const QString mime = data_.filePath(QStringLiteral("mime"));
        QVERIFY(QDir().mkpath(mime + QStringLiteral("/packages")));
        QVERIFY(QFile::copy(resources + QStringLiteral("/mime/jaskelcd.xml"),
                            mime + QStringLiteral("/packages/jaskelcd.xml")));
        QVERIFY(QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                            mime + QStringLiteral("/packages/freedesktop.org.xml")));
        QProcess update;
        update.start(QStringLiteral("update-mime-database"), {mime});
        QVERIFY(update.waitForFinished(60000));
        QCOMPARE(update.exitCode(), 0);
        qputenv("XDG_DATA_DIRS", data_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data_.filePath(QStringLiteral("home")).toLocal8Bit());
    }

    // One name for the program everywhere the desktop looks it up: the window's, the entry's
    // file, the AppStream id and what it launches, the icon.
    void oneName()
    {
        const QString entryPath = desktopFile(QStringLiteral(".desktop"));
        QVERIFY2(QFile::exists(entryPath), qPrintable(entryPath));
        const QString id = QGuiApplication::desktopFileName();
        const QString metainfo = desktopFile(QStringLiteral(".metainfo.xml"));
        QVERIFY2(QFile::exists(metainfo), qPrintable(metainfo));
        QCOMPARE(texts(xmlElements(metainfo, QStringLiteral("id"))), QStringList{id});
        QCOMPARE(texts(xmlElements(metainfo, QStringLiteral("launchable"))),
                 QStringList{id + QStringLiteral(".desktop")});
        QCOMPARE(texts(xmlElements(metainfo, QStringLiteral("icon"))), QStringList{id});
        QCOMPARE(desktopEntry(entryPath)[QStringLiteral("Icon")], id);
        QCOMPARE(texts(xmlElements(metainfo, QStringLiteral("name"))),
                 QStringList{AboutBox::programName()});
    }

    void desktopEntryOpensBothFiles()
    {
        std::map<QString, QString> entry = desktopEntry(desktopFile(QStringLiteral(".desktop")));
        QCOMPARE(entry[QStringLiteral("Type")], QStringLiteral("Application"));
        QCOMPARE(entry[QStringLiteral("Name")], AboutBox::programName());
        QCOMPARE(entry[QStringLiteral("GenericName")],
                 QStringLiteral("Jaquettes et étiquettes de CD"));
        // Several files may be given at once: the program opens each (see commandLine).
        QCOMPARE(entry[QStringLiteral("Exec")], QStringLiteral("jaskelcd %F"));
        QStringList types =
            entry[QStringLiteral("MimeType")].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        types.sort();
        QStringList declared = mimeTypesDeclared();
        declared.sort();
        QCOMPARE(types, declared);
        QCOMPARE(declared, (QStringList{QStringLiteral("application/x-jaskelcd-cover"),
                                        QStringLiteral("application/x-jaskelcd-label")}));
        // The same words for the program in the menu and in a software centre.
        const QString metainfo = desktopFile(QStringLiteral(".metainfo.xml"));
        QCOMPARE(texts(xmlElements(metainfo, QStringLiteral("summary"))),
                 QStringList{entry[QStringLiteral("Comment")]});
        QStringList provided = texts(xmlElements(metainfo, QStringLiteral("mediatype")));
        provided.sort();
        QCOMPARE(provided, declared);
        QCOMPARE(texts(xmlElements(metainfo, QStringLiteral("binary"))),
                 QStringList{QStringLiteral("jaskelcd")});
    }

    void metainfoShowsThisVersionAndItsScreenshots()
    {
        const QString metainfo = desktopFile(QStringLiteral(".metainfo.xml"));
        const QList<XmlElement> releases = xmlElements(metainfo, QStringLiteral("release"));
        QVERIFY(!releases.isEmpty());
        QCOMPARE(releases.first().attributes.value(QStringLiteral("version")).toString(),
                 AboutBox::version());

        const QList<XmlElement> images = xmlElements(metainfo, QStringLiteral("image"));
        QVERIFY(!images.isEmpty());
        for (const XmlElement& image : images) {
            const QUrl url(image.text);
            QCOMPARE(url.scheme(), QStringLiteral("https"));
            // The published copy of a picture kept with the sources, at the size declared.
            const QImage picture(resources + QStringLiteral("/screenshots/") + url.fileName());
            QVERIFY2(!picture.isNull(), qPrintable(url.fileName()));
            QCOMPARE(picture.width(), image.attributes.value(QStringLiteral("width")).toInt());
            QCOMPARE(picture.height(), image.attributes.value(QStringLiteral("height")).toInt());
        }
    }

    void fileTypesGoByName()
    {
        const QMimeDatabase mime;
        const QMimeType cover = mime.mimeTypeForFile(QStringLiteral("/tmp/Été 1998.jkcd"),
                                                     QMimeDatabase::MatchExtension);
        QCOMPARE(cover.name(), QStringLiteral("application/x-jaskelcd-cover"));
        QCOMPARE(cover.comment(), QStringLiteral("Jaquette de CD Jaskel"));
        QVERIFY(cover.inherits(QStringLiteral("text/plain")));
        const QMimeType label =
            mime.mimeTypeForFile(QStringLiteral("/tmp/DISQUE.JKET"), QMimeDatabase::MatchExtension);
        QCOMPARE(label.name(), QStringLiteral("application/x-jaskelcd-label"));
        QCOMPARE(label.comment(), QStringLiteral("Étiquette de CD Jaskel"));
        QVERIFY(label.inherits(QStringLiteral("text/plain")));

        // No magic: the start of a cover is text like any other, so only its name tells.
        const QByteArray coverStart(" 16777215 \r\n 16777215 \r\n 16777215 \r\nAucun\r\n");
        QCOMPARE(mime.mimeTypeForData(coverStart).name(), QStringLiteral("text/plain"));
        QTemporaryDir dir;
        const QString named = dir.filePath(QStringLiteral("pochette.jkcd"));
        QFile file(named);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(coverStart);
        file.close();
        QCOMPARE(mime.mimeTypeForFile(named).name(),
                 QStringLiteral("application/x-jaskelcd-cover"));
    }

    void commandLine()
    {
        QTemporaryDir dir;
        const QString spaced = dir.filePath(QStringLiteral("Ma jaquette.jkcd"));
        QFile file(spaced);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString here = dir.path();
        using CommandLine::documentPaths;
        QCOMPARE(documentPaths({}, here), QStringList{});
        QCOMPARE(documentPaths({QStringLiteral("\"\"")}, here), QStringList{});
        // A path with spaces typed without quotes is still one file.
        QCOMPARE(documentPaths({QStringLiteral("Ma"), QStringLiteral("jaquette.jkcd")}, here),
                 QStringList{spaced});
        // A file manager's several files (the entry's %F).
        QCOMPARE(
            documentPaths({spaced, QStringLiteral("b.jket"), QStringLiteral("/c/d.jkcd")}, here),
            (QStringList{spaced, here + QStringLiteral("/b.jket"), QStringLiteral("/c/d.jkcd")}));
        QCOMPARE(documentPaths({QStringLiteral("a.jkcd"), QStringLiteral("b.jkcd")}, here),
                 (QStringList{here + QStringLiteral("/a.jkcd"), here + QStringLiteral("/b.jkcd")}));
        // Addresses, as some launchers pass them.
        QCOMPARE(documentPaths({QUrl::fromLocalFile(spaced).toString(),
                                QStringLiteral("file:///tmp/%C3%89t%C3%A9.jket")},
                               here),
                 (QStringList{spaced, QStringLiteral("/tmp/Été.jket")}));
        QCOMPARE(documentPaths({QStringLiteral("\"/home/marie/Mes jaquettes/Été.jkcd\"")}, here),
                 QStringList{QStringLiteral("/home/marie/Mes jaquettes/Été.jkcd")});

        QVERIFY(CommandLine::isLabelFile(QStringLiteral("/tmp/disque.jket")));
        QVERIFY(CommandLine::isLabelFile(QStringLiteral("/tmp/DISQUE.JKET")));
        QVERIFY(!CommandLine::isLabelFile(QStringLiteral("/tmp/disque.jkcd")));
        QVERIFY(!CommandLine::isLabelFile(QStringLiteral("/tmp/jket")));
    }

    // A desktop whose theme has the standard icons gives them to the toolbar.
    void standardButtonsTakeTheIconTheme()
    {
        QTemporaryDir themes;
        const QString folder = themes.filePath(QStringLiteral("essai/22x22/actions"));
        QVERIFY(QDir().mkpath(folder));
        QFile index(themes.filePath(QStringLiteral("essai/index.theme")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Essai\nDirectories=22x22/actions\n\n"
                    "[22x22/actions]\nSize=22\nContext=Actions\nType=Scalable\n"
                    "MinSize=8\nMaxSize=256\n");
        index.close();
        const QColor themeGreen(0x20, 0xc0, 0x40);
        for (const QString& name : standardNames + QStringList{QStringLiteral("document-print")})
            writeIcon(folder + QLatin1Char('/') + name + QStringLiteral(".png"), themeGreen);

        // Theme icons follow the theme as long as they live: it stays until the test ends.
        const auto restore =
            qScopeGuard([searchPaths = QIcon::themeSearchPaths(), themeName = QIcon::themeName()] {
                QIcon::setThemeSearchPaths(searchPaths);
                QIcon::setThemeName(themeName);
            });
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("essai"));
        ScriptedPrompter prompter;
        frmJewelCase window(&prompter);

        for (const auto& [name, button] : standardButtons(window)) {
            QCOMPARE(button->icon().name(), name);
            QCOMPARE(button->icon().pixmap(20).toImage().pixelColor(10, 10), themeGreen);
        }
        // The print buttons: the theme's printer, marked with the sheet they print.
        const OutputActions& output = window.menus().output;
        for (QAction* print : {output.printRectoVersoButton, output.printDosButton}) {
            const QImage image = print->icon().pixmap(20).toImage();
            QCOMPARE(image.pixelColor(2, 2), themeGreen);
            QVERIFY(image.pixelColor(15, 15) != themeGreen);
        }
    }

    // Without the standard icons in the theme, the program's own; disabled, they are grey.
    void ownIconsLookDisabledWhenDisabled()
    {
        QTemporaryDir noThemes;
        const auto restore =
            qScopeGuard([searchPaths = QIcon::themeSearchPaths(), themeName = QIcon::themeName()] {
                QIcon::setThemeSearchPaths(searchPaths);
                QIcon::setThemeName(themeName);
            });
        QIcon::setThemeSearchPaths({noThemes.path()});
        QIcon::setThemeName(QStringLiteral("absent"));
        ScriptedPrompter prompter;
        frmJewelCase window(&prompter);

        const OutputActions& output = window.menus().output;
        std::map<QString, QAction*> buttons = standardButtons(window);
        for (const auto& [name, button] : buttons) {
            const QImage own =
                QIcon(QStringLiteral(":/icons/actions/%1.svg").arg(name)).pixmap(20).toImage();
            QVERIFY2(!own.isNull(), qPrintable(name));
            QCOMPARE(button->icon().pixmap(20).toImage(), own);
        }
        buttons[QStringLiteral("print R")] = output.printRectoVersoButton;
        buttons[QStringLiteral("print D")] = output.printDosButton;
        for (const auto& [name, button] : buttons) {
            const QIcon icon = button->icon();
            QVERIFY2(colouredPixels(icon.pixmap(20).toImage()) > 20, qPrintable(name));
            QVERIFY2(colouredPixels(icon.pixmap(20, QIcon::Disabled).toImage()) == 0,
                     qPrintable(name));
        }

        // As the toolbar paints them: coloured, then grey once disabled.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QToolBar* toolBar = window.toolBar();
        const auto buttonPicture = [&](QAction* action) {
            QWidget* button = toolBar->widgetForAction(action);
            return toolBar->grab(button->geometry()).toImage();
        };
        for (const auto& [name, button] : buttons) {
            button->setEnabled(true);
            QVERIFY2(colouredPixels(buttonPicture(button)) > 20, qPrintable(name));
            button->setEnabled(false);
            QVERIFY2(colouredPixels(buttonPicture(button)) == 0, qPrintable(name));
        }
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
