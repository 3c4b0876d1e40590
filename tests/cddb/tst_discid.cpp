// SPDX-License-Identifier: GPL-3.0-or-later
#include "CdDrives.h"
#include "DiscInfo.h"
#include "DiscToc.h"
#include "GivenTocReader.h"
#include "LibDiscidReader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int fps = DiscToc::framesPerSecond;

// A drive this user may not open, as the system words it.
class RefusingReader : public DiscReader {
    DiscRead read(const QString&) override { return {std::nullopt, false, 13, "Accès refusé"}; }
};

// "1 n 449999" and n starts 150 frames apart.
QString tracks(int n)
{
    QString text = QString("1 %1 449999").arg(n);
    for (int track = 1; track <= n; ++track)
        text += QString(" %1").arg(track * 150);
    return text;
}

} // namespace

class TestDiscId : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "ID; N tracks; STARTS; disc length S s" (any lead-out in that second gives the same id and
    // query: take its first frame) or "…; lead-out frame F".
    void vectors_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("toc");
        QFile file(DISC_ID_VECTORS);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int rows = 0;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            const QStringList f = line.split("; ");
            if (f.size() != 4 || f[0].startsWith('#'))
                continue;
            const int end = f[3].section(' ', 2, 2).toInt();
            const int leadOut = f[3].startsWith("disc length") ? end * fps : end;
            const QString count = f[1].section(' ', 0, 0);
            QTest::newRow(qPrintable(f[0]))
                << f[0] << QString("1 %1 %2 %3").arg(count).arg(leadOut).arg(f[2]);
            ++rows;
        }
        QCOMPARE(rows, 5);

        // Starts in seconds: the frames within a second never count.
        const auto row = [](const char* name, const char* id, const QList<int>& starts,
                            int seconds) {
            QString toc = QString("1 %1 %2").arg(starts.size()).arg(seconds * fps);
            for (int start : starts)
                toc += QString(" %1").arg(start * fps + 74);
            QTest::newRow(name) << QString(id) << toc;
        };
        // The digits of each of these starts add up to 17: 14 of them make 238.
        const QList<int> s{89, 98, 179, 188, 197, 269, 278, 287, 296, 359, 368, 377, 386, 395};
        row("0 s adds 0, 2:00 adds 3; 2607 s", "030a2f02", {0, 120}, 2607);
        row("checksum 254", "fe019b0f", s + QList<int>{448}, 500);
        row("checksum 255 is 00", "00019b0f", s + QList<int>{449}, 500);
        row("checksum 256 is 01", "01019b0f", s + QList<int>{459}, 500);
    }
    void vectors()
    {
        QFETCH(QString, id);
        QFETCH(QString, toc);
        GivenTocReader reader(DiscToc::fromString(toc));
        DiscInfo info(reader);
        info.Init("/dev/sr0");
        QCOMPARE(info.DiscID(), id);
        const QString query =
            QString("cddb+query+%1+%2+%3+%4")
                .arg(id, toc.section(' ', 1, 1), toc.section(' ', 3).replace(' ', '+'))
                .arg(toc.section(' ', 2, 2).toInt() / fps);
        QCOMPARE(info.QueryString().command, query);
    }

    // Never read, no disc, not a drive, no access: no query, and why.
    void noQuery()
    {
        LibDiscidReader libdiscid;
        GivenTocReader noDisc(std::nullopt);
        RefusingReader refusing;
        const QString notReady = "Le lecteur n'est pas prêt. Essayez plus tard.";
        const std::tuple<DiscReader*, QString, QString> cases[] = {
            {&libdiscid, QString(), notReady},
            {&noDisc, "/dev/sr0", notReady},
            {&libdiscid, DISC_ID_VECTORS, notReady},
            {&refusing, "/dev/sr0", "Erreur : 13\rAccès refusé"}};
        for (const auto& [reader, drive, text] : cases) {
            DiscInfo info(*reader);
            if (!drive.isNull())
                info.Init(drive);
            QCOMPARE(info.DiscID(), "(unavailable)");
            const DiscInfo::Query query = info.QueryString();
            QVERIFY(query.command.isEmpty() && query.message);
            QCOMPARE(query.message->text, text);
        }
    }

    void tocStrings()
    {
        // As libdiscid writes it, with any blanks; first track 2 with a start at 0; 99 tracks
        // with the lead-out at 99:59:74.
        for (const QString& text :
             QStringList{" 1\t3  45900 150 18965 35170\n", "2 3 45900 0 35170", tracks(99)}) {
            const std::optional<DiscToc> toc = DiscToc::fromString(text);
            QVERIFY2(toc && toc->toString() == text.simplified(), qPrintable(text));
        }
        // Past either limit, malformed, or starts out of order, missing or too many: each with
        // its reason, in one line.
        for (const QString& text :
             QStringList{tracks(100), QString(), "1 3 45900 150 18965 x", "1 0 45900",
                         "0 1 45900 150", "1 3 45900 150 35170 18965", "1 3 45900 150 150 35170",
                         "1 3 35170 150 18965 35170", "1 3 45900 150 18965",
                         "1 3 45900 150 18965 35170 40000", "1 3 450000 150 18965 35170",
                         "1 3 99999999999 150 18965 35170"}) {
            QString refusal;
            QVERIFY2(!DiscToc::fromString(text, &refusal) && !refusal.isEmpty() &&
                         !refusal.contains('\n'),
                     qPrintable(text));
        }
    }

    void drives()
    {
        QTemporaryDir root;
        for (const char* name : {"sr10", "sda", "sr1", "srx", "sr0"})
            QVERIFY(QDir(root.path()).mkpath(QString("block/") + name));
        QCOMPARE(cdDrives(root.path()), QStringList({"/dev/sr0", "/dev/sr1", "/dev/sr10"}));
        QCOMPARE(cdDrives(root.filePath("none")), QStringList());
    }
};

QTEST_MAIN(TestDiscId)
#include "tst_discid.moc"
