// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"
#include "Application.h"
#include "CommandLine.h"
#include "CoverWindow.h"
#include "FileContents.h"
#include "ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>
#include <algorithm>

namespace {

const QString resources = QStringLiteral(RESOURCES_DIR);

struct XmlElement {
    QString text;
    QXmlStreamAttributes attributes;
};

// Every element of a name, in the order of the file.
QList<XmlElement> xmlElements(const QString& path, const QString& name)
{
    QList<XmlElement> found;
    QXmlStreamReader xml(readAll(path));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name) {
            const QXmlStreamAttributes attributes = xml.attributes();
            found << XmlElement{
                xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed(), attributes};
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    return found;
}

// How many pixels of a picture are coloured rather than grey.
int colouredPixels(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            const auto [low, high] = std::minmax({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            count += qAlpha(pixel) >= 16 && high - low >= 40 ? 1 : 0;
        }
    }
    return count;
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    // One name wherever the desktop looks the program up: the window's, the entry's file and
    // its icon, the AppStream file and its icon (the rest of the AppStream file is checked by
    // appstreamcli in tst_packaging.sh).
    void entryAndMetainfoMatchTheProgram()
    {
        const QString id = QGuiApplication::desktopFileName();
        const QString metainfo = resources + QStringLiteral("/desktop/%1.metainfo.xml").arg(id);
        const QList<QByteArray> entry =
            readAll(resources + QStringLiteral("/desktop/%1.desktop").arg(id)).split('\n');
        QVERIFY(entry.contains("Icon=" + id.toUtf8()));
        QVERIFY(entry.contains("Exec=jaskelcd %F")); // several files at once, see commandLine
        QCOMPARE(xmlElements(metainfo, QStringLiteral("icon")).value(0).text, id);
        QCOMPARE(xmlElements(metainfo, QStringLiteral("binary")).value(0).text, "jaskelcd");

        const QList<XmlElement> releases = xmlElements(metainfo, QStringLiteral("release"));
        QVERIFY(!releases.isEmpty());
        QCOMPARE(releases.first().attributes.value("version").toString(), AboutBox::version());
        // Each screenshot, a published copy of a picture kept with the sources, at its size.
        const QList<XmlElement> images = xmlElements(metainfo, QStringLiteral("image"));
        QVERIFY(!images.isEmpty());
        for (const XmlElement& image : images) {
            const QUrl url(image.text);
            QCOMPARE(url.scheme(), QStringLiteral("https"));
            const QImage picture(resources + QStringLiteral("/screenshots/") + url.fileName());
            QVERIFY2(!picture.isNull(), qPrintable(url.fileName()));
            QCOMPARE(picture.size(), QSize(image.attributes.value("width").toInt(),
                                           image.attributes.value("height").toInt()));
        }
    }

    // The licence as the software centre and the about box name it (the package's copyright
    // file is read in tst_packaging.sh).
    void licenceIsNamed()
    {
        const QString metainfo =
            resources +
            QStringLiteral("/desktop/%1.metainfo.xml").arg(QGuiApplication::desktopFileName());
        QCOMPARE(xmlElements(metainfo, QStringLiteral("project_license")).value(0).text,
                 "GPL-3.0-or-later");

        AboutBox about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const auto* licence = about.findChild<QLabel*>(QStringLiteral("programLicence"));
        QVERIFY(licence && licence->isVisible());
        QCOMPARE(licence->text(), "Logiciel libre sous licence GNU GPL version 3 ou ultérieure.");
        // Whole, unclipped, and in a place of its own in the box.
        QVERIFY(about.rect().contains(licence->geometry()));
        QVERIFY(licence->width() >= licence->minimumSizeHint().width());
        QVERIFY(licence->height() >= licence->heightForWidth(licence->width()));
        for (const QLabel* other : about.findChildren<QLabel*>())
            QVERIFY(other == licence || !other->geometry().intersects(licence->geometry()));
    }

    void commandLine()
    {
        QTemporaryDir dir;
        const QString here = dir.path();
        const QString spaced = dir.filePath(QStringLiteral("Ma jaquette.jkcd"));
        QFile file(spaced);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        using CommandLine::documentPaths;
        // A path with spaces typed without quotes is still one file.
        QCOMPARE(documentPaths({"Ma", "jaquette.jkcd"}, here), QStringList{spaced});
        QCOMPARE(documentPaths({spaced, "b.jket", "/c/d.jkcd"}, here),
                 (QStringList{spaced, here + "/b.jket", "/c/d.jkcd"}));
        // Addresses, as some launchers pass them.
        QCOMPARE(documentPaths({QUrl::fromLocalFile(spaced).toString(),
                                QStringLiteral("file:///tmp/%C3%89t%C3%A9.jket")},
                               here),
                 (QStringList{spaced, QStringLiteral("/tmp/Été.jket")}));

        using CommandLine::isLabelFile;
        QVERIFY(isLabelFile("/tmp/disque.jket") && isLabelFile("/tmp/DISQUE.JKET"));
        QVERIFY(!isLabelFile("/tmp/disque.jkcd") && !isLabelFile("/tmp/jket"));
    }

    // The desktop's icon theme gives the toolbar its standard icons, the program's own stand in
    // for those it lacks; disabled, every button is grey.
    void toolbarIconsFollowTheThemeAndGreyOut()
    {
        QTemporaryDir themes;
        const QString folder = themes.filePath(QStringLiteral("essai/22x22/actions"));
        QVERIFY(QDir().mkpath(folder));
        QFile index(themes.filePath(QStringLiteral("essai/index.theme")));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Essai\nDirectories=22x22/actions\n\n[22x22/actions]\n"
                    "Size=22\nContext=Actions\nType=Scalable\nMinSize=8\nMaxSize=256\n");
        index.close();
        const QColor green(0x20, 0xc0, 0x40);
        QImage image(22, 22, QImage::Format_ARGB32);
        image.fill(green);
        QVERIFY(image.save(folder + "/document-new.png") &&
                image.save(folder + "/document-print.png"));
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName(QStringLiteral("essai"));
        ScriptedPrompter prompter;
        CoverWindow window(&prompter);
        const FileActions& file = window.menus().file;
        const OutputActions& output = window.menus().output;

        QCOMPARE(file.newButton->icon().pixmap(20).toImage().pixelColor(10, 10), green);
        const QIcon own(QStringLiteral(":/icons/actions/document-open.svg"));
        QVERIFY(!own.isNull());
        QCOMPARE(file.openButton->icon().pixmap(20).toImage(), own.pixmap(20).toImage());
        // The print buttons: the theme's printer, marked with the sheet they print.
        for (QAction* print : {output.printRectoVersoButton, output.printDosButton}) {
            const QImage printer = print->icon().pixmap(20).toImage();
            QCOMPARE(printer.pixelColor(2, 2), green);
            QVERIFY(printer.pixelColor(15, 15) != green);
        }

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QToolBar* toolBar = window.toolBar();
        const auto painted = [&](QAction* action) {
            return colouredPixels(
                toolBar->grab(toolBar->widgetForAction(action)->geometry()).toImage());
        };
        for (QAction* button : {file.newButton, file.openButton, file.saveButton, file.quitButton,
                                output.printRectoVersoButton, output.printDosButton}) {
            button->setEnabled(true);
            QVERIFY2(painted(button) > 20, qPrintable(button->toolTip()));
            button->setEnabled(false);
            QVERIFY2(painted(button) == 0, qPrintable(button->toolTip()));
        }
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
