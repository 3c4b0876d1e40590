#include "CdDrives.h"
#include "DiscToc.h"
#include "GivenTocReader.h"
#include "LibDiscidReader.h"
#include "clsCdInfo.h"

#include <QTemporaryDir>
#include <QtTest>
#include <discid/discid.h>
#include <memory>

namespace {

constexpr int fps = DiscToc::framesPerSecond;

// libdiscid's own FreeDB id and TOC string of the same table, as a second opinion.
QStringList libdiscidView(const DiscToc& toc)
{
    const std::unique_ptr<DiscId, decltype(&discid_free)> disc(discid_new(), &discid_free);
    int offsets[100] = {toc.leadOut()};
    for (int i = 0; i < toc.trackCount(); ++i)
        offsets[toc.firstTrack() + i] = toc.offsets()[i];
    if (!discid_put(disc.get(), toc.firstTrack(), toc.lastTrack(), offsets))
        return {discid_get_error_msg(disc.get())};
    return {discid_get_freedb_id(disc.get()), discid_get_toc_string(disc.get())};
}

// A drive this user may not open, as the system words it.
class RefusingReader : public DiscReader {
    DiscRead read(const QString&) override { return {std::nullopt, false, 13, "Accès refusé"}; }
};

// The readers of the rows without a query.
constexpr int Libdiscid = 0, NoDisc = 1, Refusing = 2;

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
    }
    void vectors()
    {
        QFETCH(QString, id);
        QFETCH(QString, toc);
        GivenTocReader reader(DiscToc::fromString(toc));
        clsCdInfo info(reader);
        info.Init("/dev/sr0");
        QVERIFY(info.toc());
        QCOMPARE(info.DiscID(), id);
        QCOMPARE(libdiscidView(*info.toc()), QStringList({id, toc}));
        const QString query =
            QString("cddb+query+%1+%2+%3+%4")
                .arg(id, toc.section(' ', 1, 1), toc.section(' ', 3).replace(' ', '+'))
                .arg(info.toc()->leadOut() / fps);
        QCOMPARE(info.QueryString().command, query);
        QVERIFY(!info.QueryString().message);
    }

    void checksumAndPadding_data()
    {
        QTest::addColumn<QList<int>>("startSeconds");
        QTest::addColumn<int>("leadOutSeconds");
        QTest::addColumn<QString>("id");
        // The digits of each of these starts add up to 17: 14 of them make 238.
        const QList<int> s{89, 98, 179, 188, 197, 269, 278, 287, 296, 359, 368, 377, 386, 395};
        QTest::newRow("0 s adds 0, 2:00 adds 3; 2607 s")
            << QList<int>{0, 120} << 2607 << "030a2f02";
        QTest::newRow("checksum 254") << s + QList<int>{448} << 500 << "fe019b0f";
        QTest::newRow("checksum 255 is 00") << s + QList<int>{449} << 500 << "00019b0f";
        QTest::newRow("checksum 256 is 01") << s + QList<int>{459} << 500 << "01019b0f";
        QTest::newRow("12 tracks")
            << QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << 100 << "3600620c";
    }
    void checksumAndPadding()
    {
        QFETCH(QList<int>, startSeconds);
        QFETCH(int, leadOutSeconds);
        QFETCH(QString, id);
        QList<int> offsets;
        for (int seconds : startSeconds)
            offsets.append(seconds * fps + 74); // the frames within a second never count
        const auto toc = DiscToc::create(1, int(offsets.size()), leadOutSeconds * fps, offsets);
        QVERIFY(toc);
        QCOMPARE(clsCdInfo::discIdOf(*toc), id);
        QCOMPARE(libdiscidView(*toc).value(0), id);
    }

    void noQuery_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("drive"); // none: Init is never called
        QTest::addColumn<QString>("text");
        const QString notReady = "Le lecteur n'est pas prêt. Essayez plus tard.";
        QTest::newRow("never read") << Libdiscid << QString() << notReady;
        QTest::newRow("no disc given") << NoDisc << QString("/dev/sr0") << notReady;
        QTest::newRow("no drive named") << Libdiscid << QString("") << notReady;
        QTest::newRow("no such drive") << Libdiscid << QString("/nonexistent/sr9") << notReady;
        QTest::newRow("not a drive") << Libdiscid << QString(DISC_ID_VECTORS) << notReady;
        QTest::newRow("refused") << Refusing << QString("/dev/sr0") << "Erreur : 13\rAccès refusé";
    }
    void noQuery()
    {
        QFETCH(int, reader);
        QFETCH(QString, drive);
        QFETCH(QString, text);
        LibDiscidReader libdiscid;
        GivenTocReader noDisc(std::nullopt);
        RefusingReader refusing;
        DiscReader* readers[] = {&libdiscid, &noDisc, &refusing};
        clsCdInfo info(*readers[reader]);
        if (!drive.isNull())
            info.Init(drive);
        QCOMPARE(info.DiscID(), "(unavailable)");
        const clsCdInfo::Query query = info.QueryString();
        QCOMPARE(query.command, QString());
        QVERIFY(query.message);
        QCOMPARE(query.message->text, text);
        QCOMPARE(query.message->title, Prompter::programTitle());
        QCOMPARE(query.message->buttons, int(Prompter::Ok));
    }

    void tocStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("as libdiscid writes it") << "1 3 45900 150 18965 35170" << true;
        QTest::newRow("any blanks") << " 1\t3  45900 150 18965 35170\n" << true;
        QTest::newRow("first track 2, a start at 0") << "2 3 45900 0 35170" << true;
        QTest::newRow("99 tracks, lead-out at 99:59:74") << tracks(99) << true;
        QTest::newRow("100 tracks") << tracks(100) << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("a word") << "1 3 45900 150 18965 x" << false;
        QTest::newRow("hexadecimal") << "1 3 0x10 150 18965 35170" << false;
        QTest::newRow("no track") << "1 0 45900" << false;
        QTest::newRow("track 0") << "0 1 45900 150" << false;
        QTest::newRow("out of order") << "1 3 45900 150 35170 18965" << false;
        QTest::newRow("two tracks at once") << "1 3 45900 150 150 35170" << false;
        QTest::newRow("lead-out at the last start") << "1 3 35170 150 18965 35170" << false;
        QTest::newRow("a start missing") << "1 3 45900 150 18965" << false;
        QTest::newRow("a start too many") << "1 3 45900 150 18965 35170 40000" << false;
        QTest::newRow("negative") << "1 3 45900 -150 18965 35170" << false;
        QTest::newRow("lead-out past 99:59:74") << "1 3 450000 150 18965 35170" << false;
        QTest::newRow("beyond an int") << "1 3 99999999999 150 18965 35170" << false;
    }
    void tocStrings()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        const std::optional<DiscToc> toc = DiscToc::fromString(text);
        QCOMPARE(toc.has_value(), valid);
        if (toc)
            QCOMPARE(toc->toString(), text.simplified());
    }

    void drives()
    {
        QTemporaryDir root;
        QCOMPARE(cdDrives(root.path()), QStringList());
        for (const char* name : {"sr10", "sda", "sr1", "loop0", "sr0", "srx", "sr2"})
            QVERIFY(QDir(root.path()).mkpath(QString("block/") + name));
        QCOMPARE(cdDrives(root.path()),
                 QStringList({"/dev/sr0", "/dev/sr1", "/dev/sr2", "/dev/sr10"}));
        QCOMPARE(cdDrives(root.filePath("none")), QStringList());
    }
};

QTEST_MAIN(TestDiscId)
#include "tst_discid.moc"
