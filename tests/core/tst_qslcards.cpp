// The card rule, the QSL out list, the marks, the QSL-in inputs and the card files.
#include "daluerror.h"
#include "logbuilder.h"
#include "logfile.h"
#include "qslcardfile.h"
#include "qslcards.h"
#include "qslin.h"
#include "tempprogramdir.h"
#include "testdata.h"

#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace QslCards;

namespace {

// "CALL band mode date", the QSOs separated by ",".
QList<CompactQso> qsos(const QString& spec) {
    QList<CompactQso> out;
    for (const QString& item : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList p = item.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        out.append(CompactQso(LogBuilder::record({{"Call", p[0].toLatin1()},
                                                  {"Band", p[1].toLatin1()},
                                                  {"Mode", p[2].toLatin1()},
                                                  {"Date", p[3].toLatin1()}})));
    }
    return out;
}

// "f b m d y" letters switch the rule's parts on.
CardRule rule(const QString& letters) {
    return {letters.contains('f'), letters.contains('b'), letters.contains('m'),
            letters.contains('d'), letters.contains('y')};
}

} // namespace

class TestQslCards : public QObject {
    Q_OBJECT
private slots:
    void cardRule_data() {
        columns<QString, QString, QString, bool>("rule", "earlier", "qso", "needed");
        const QString q = "QX1A 20m CW 01.02.2024";
        const auto row = [&q](const char* name, const char* rule, const QString& earlier,
                              bool needed) {
            QTest::newRow(name) << rule << earlier << q << needed;
        };
        row("first, nothing before", "f", "", true);
        row("first, call known", "f", "QX1A 40m SSB 03.03.2020", false);
        row("call case matters", "f", "qx1a 20m CW 01.02.2024", true);
        row("band: same band", "fb", "QX1A 20m SSB 05.05.2020", false);
        row("band: other band", "fb", "QX1A 40m CW 01.02.2024", true);
        // Any earlier match is enough: the 40m QSO between does not make 20m new again.
        row("band: 20m, 40m, 20m", "fb", "QX1A 20m CW 01.01.2024,QX1A 40m CW 01.01.2024", false);
        row("mode: other mode", "fm", "QX1A 20m SSB 01.02.2024", true);
        row("band+mode: one differs", "fbm", "QX1A 20m SSB 01.02.2024", true);
        row("day: same day", "fd", "QX1A 40m SSB 01.02.2024", false);
        row("day: written short", "fd", "QX1A 40m SSB 1.2.24", false);
        row("day: next day", "fd", "QX1A 20m CW 02.02.2024", true);
        row("year: same year", "fy", "QX1A 20m CW 31.12.2024", false);
        row("year: other year", "fy", "QX1A 20m CW 01.02.2023", true);
        row("boxes without first", "bmdy", q, true);
    }
    void cardRule() {
        QFETCH(QString, earlier);
        QFETCH(QString, qso);
        const CardRule r = rule(fetched<QString>("rule"));
        QTEST(cardNeeded(r, qsos(qso).first(), qsos(earlier)), "needed");
        // The list's index must agree with the rule.
        const QList<CompactQso> all = qsos(earlier) + qsos(qso);
        QTEST(QslCards::outList(all, r).contains(int(all.size())), "needed");
    }

    // A mark rewrites the QSO listed, and nothing where another QSO stands now.
    void marksInTheLog() {
        TempProgramDir dir;
        QList<TQsoRecord> records = {LogBuilder::qso(1), LogBuilder::qso(2), LogBuilder::qso(3)};
        records[2][QsoField::Comments] = "tnx";
        LogBuilder::writeLog(dir.file("a.log"), records);
        TLogFile log(dir.file("a.log"));
        const QList<TQsoRecord> listed = records;
        markInLog(log, 2, CompactQso(listed[1]), Mark::Sent, QDate(2026, 12, 7));
        markInLog(log, 1, CompactQso(listed[0]), Mark::NoCard, QDate());
        markInLog(log, 3, CompactQso(listed[2]), Mark::NoCard, QDate());
        records[1][QsoField::QslOut] = "07.12.2026";
        records[0][QsoField::Comments] = "no QSL";
        records[2][QsoField::Comments] = "tnx / no QSL";
        QCOMPARE(dir.readFile("a.log"), LogBuilder::logContent(records));
        for (int n : {3, 4})
            QVERIFY_THROWS_EXCEPTION(DaluError,
                                     markInLog(log, n, CompactQso(listed[1]), Mark::Sent, {}));
        QCOMPARE(dir.readFile("a.log"), LogBuilder::logContent(records));
    }

    // A child reports each returned mark and is killed after the tenth, amid the next marks.
    void killedMarkingKeepsEveryReturnedMark() {
        TempProgramDir dir;
        QList<TQsoRecord> records;
        for (int n = 1; n <= 2000; ++n)
            records.append(LogBuilder::qso(n));
        LogBuilder::writeLog(dir.file("a.log"), records);
        int pipeFds[2];
        QVERIFY(pipe(pipeFds) == 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            try {
                TLogFile log(dir.file("a.log"));
                for (int n = 1; n <= records.size(); ++n) {
                    markInLog(log, n, CompactQso(records[n - 1]), Mark::Sent, QDate(2026, 12, 7));
                    if (write(pipeFds[1], "m", 1) != 1)
                        _exit(1);
                }
            } catch (...) {
                _exit(1);
            }
            _exit(0);
        }
        close(pipeFds[1]);
        char report;
        for (int got = 0; got < 10; ++got)
            QVERIFY(read(pipeFds[0], &report, 1) == 1);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(pipeFds[0]);
        int count = 0, markedCount = 0;
        TLogFile(dir.file("a.log")).forEachRecord([&](const TQsoRecord& r) {
            TQsoRecord expected = records[count++];
            if (!r[QsoField::QslOut].isEmpty() && ++markedCount)
                expected[QsoField::QslOut] = "07.12.2026";
            QCOMPARE(r, expected);
        });
        QCOMPARE(count, int(records.size()));
        QVERIFY(markedCount >= 10);
    }

    void completion_data() {
        columns<bool, QString, int, QString>("isDate", "typed", "state", "text");
        QTest::newRow("ddmm") << true << "0512" << int(QslIn::Input::Valid) << "05.12.2026";
        QTest::newRow("ddmmyy") << true << "051224" << int(QslIn::Input::Valid) << "05.12.2024";
        QTest::newRow("ddmmyyyy") << true << "05122024" << int(QslIn::Input::Valid) << "05.12.2024";
        QTest::newRow("dotted") << true << "5.12.24" << int(QslIn::Input::Valid) << "05.12.2024";
        QTest::newRow("3 digits off") << true << "123" << int(QslIn::Input::Off) << "";
        QTest::newRow("5 digits") << true << "05122" << int(QslIn::Input::Invalid) << "05122";
        QTest::newRow("hh") << false << "14" << int(QslIn::Input::Valid) << "14:00:00";
        QTest::newRow("hhmm") << false << "1423" << int(QslIn::Input::Valid) << "14:23:00";
        QTest::newRow("hhmmss") << false << "142305" << int(QslIn::Input::Valid) << "14:23:05";
        QTest::newRow("1 digit off") << false << "1" << int(QslIn::Input::Off) << "";
        QTest::newRow("hour 25") << false << "25" << int(QslIn::Input::Invalid) << "25:00";
    }
    void completion() {
        QFETCH(bool, isDate);
        QFETCH(QString, typed);
        const QslIn::Input in =
            isDate ? QslIn::completeDate(typed, 2026) : QslIn::completeTime(typed);
        QTEST(int(in.state), "state");
        QTEST(in.text, "text");
    }

    void cardFileName_data() {
        columns<QString, QString, QString>("stored", "call", "expected");
        const auto row = [](const char* name, const char* stored, const char* call,
                            const char* expected) {
            QTest::newRow(name) << stored << call << expected;
        };
        row("portable", "/home/op/QSL/", "QX1ABC/P", "/home/op/QSL/qx1abc-p-050604173100.jpg");
        row("prefix and mobile", "/q", "9A/QX1ABC/M", "/q/9a-qx1abc-m-050604173100.jpg");
        row("stored on Windows", "/q\\", "QX1ABC", "/q/qx1abc-050604173100.jpg");
        row("not set", "", "QX1ABC", "/prog/qx1abc-050604173100.jpg");
    }
    void cardFileName() {
        const QString folder = QslCardFile::folder(fetched<QString>("stored"), "/prog/");
        QTEST(QslCardFile::eQslInFileName(folder, fetched<QString>("call"), QDate(2004, 6, 5),
                                          QTime(17, 31)),
              "expected");
    }

    void moveNeverReplaces() {
        TempProgramDir dir;
        dir.writeFile("scan.png", "new");
        dir.writeFile("card.jpg", "old");
        QVERIFY_THROWS_EXCEPTION(DaluError,
                                 QslCardFile::moveCard(dir.file("scan.png"), dir.file("card.jpg")));
        QCOMPARE(dir.readFile("card.jpg") + dir.readFile("scan.png"), "oldnew");
        QslCardFile::moveCard(dir.file("scan.png"), dir.file("other.jpg"));
        QCOMPARE(dir.readFile("other.jpg"), QByteArray("new"));
        QVERIFY(!QFile::exists(dir.file("scan.png")));
    }

    void moveAcrossFileSystems() {
        QTemporaryDir shm("/dev/shm/dalu-XXXXXX");
        if (!shm.isValid())
            QSKIP("no /dev/shm");
        TempProgramDir dir;
        const QByteArray image(300000, 'x');
        QFile source(shm.filePath("scan.jpg"));
        QVERIFY(source.open(QIODevice::WriteOnly) && source.write(image) == image.size());
        source.close();
        QslCardFile::moveCard(source.fileName(), dir.file("card.jpg"));
        QCOMPARE(dir.readFile("card.jpg"), image);
        QVERIFY(!source.exists() && !QFile::exists(dir.file("card.jpg.part")));
    }
};

QTEST_GUILESS_MAIN(TestQslCards)
#include "tst_qslcards.moc"
