#include "Application.h"
#include "OleColor.h"
#include "TextMetrics.h"

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestTextMetrics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Application::configure(*qApp); }

    void coverFontsResolveToMetricCompatibleFaces()
    {
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(),
                 QStringLiteral("Liberation Serif"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Comic Sans MS"))).family(),
                 QStringLiteral("Comic Neue"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family(),
                 QStringLiteral("Liberation Sans"));
        // The font keeps the name the user chose.
        TextFont font;
        font.name = QStringLiteral("MS Sans Serif");
        QCOMPARE(TextMetrics::twipFont(font).family(), QStringLiteral("MS Sans Serif"));
    }

    void captionsMeasureInTwips()
    {
        TextFont font; // Times New Roman 11.25 pt
        const QSizeF word = TextMetrics::captionSize(font, QStringLiteral("Texte"));
        // The design size of "Texte" in that font is 510 × 255 twips.
        QVERIFY2(qAbs(word.width() - 510) < 90, qPrintable(QString::number(word.width())));
        QVERIFY2(qAbs(word.height() - 255) < 30, qPrintable(QString::number(word.height())));

        const QSizeF twoLines =
            TextMetrics::captionSize(font, QStringLiteral("Texte\r\nTexte plus long"));
        QCOMPARE(twoLines.height(),
                 std::ceil(2 * QFontMetricsF(TextMetrics::twipFont(font)).height()));
        QVERIFY(twoLines.width() > word.width());

        TextFont twice = font;
        twice.size = 22.5f;
        const QSizeF big = TextMetrics::captionSize(twice, QStringLiteral("Texte"));
        QVERIFY(qAbs(big.width() - 2 * word.width()) < 4);
    }

    void coloursKeepTheirStoredValue()
    {
        QCOMPARE(OleColors::toQColor(0x000000FF), QColor(255, 0, 0));
        QCOMPARE(OleColors::toQColor(0x00C00000), QColor(0, 0, 0xC0));
        QCOMPARE(OleColors::fromQColor(QColor(0x12, 0x34, 0x56)), OleColor(0x00563412));
        QCOMPARE(OleColors::toQColor(OleColors::systemWindowText),
                 QApplication::palette().color(QPalette::Text));
        QVERIFY(OleColors::isSystem(OleColors::systemWindow));
        QVERIFY(!OleColors::isSystem(OleColors::white));
    }

    void standardButtonsSpeakFrench()
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        auto plain = [&](QMessageBox::StandardButton which) {
            return box.button(which)->text().remove(QLatin1Char('&'));
        };
        QCOMPARE(plain(QMessageBox::Yes), QStringLiteral("Oui"));
        QCOMPARE(plain(QMessageBox::No), QStringLiteral("Non"));
        QCOMPARE(plain(QMessageBox::Cancel), QStringLiteral("Annuler"));
    }
};

QTEST_MAIN(TestTextMetrics)
#include "tst_textmetrics.moc"
