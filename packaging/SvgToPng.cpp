// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the application icon's SVG at the hicolor theme's PNG sizes, with Qt's own SVG
// renderer, so that the build needs no drawing program.
// Usage: jaskel_svgtopng ICON.svg FOLDER NAME.png SIZE...   (writes FOLDER/SIZExSIZE/NAME.png)

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Nothing is shown: the renderer only needs a GUI application, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 5) {
        std::fprintf(stderr, "usage: jaskel_svgtopng ICON.svg FOLDER NAME.png SIZE...\n");
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: not a readable SVG file\n", qPrintable(arguments[1]));
        return 1;
    }
    for (const QString& argument : arguments.mid(4)) {
        bool isNumber = false;
        const int size = argument.toInt(&isNumber);
        if (!isNumber || size <= 0) {
            std::fprintf(stderr, "%s: not a size\n", qPrintable(argument));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2").arg(arguments[2]).arg(size);
        const QString path = folder + QLatin1Char('/') + arguments[3];
        if (!QDir().mkpath(folder) ||
            !image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
