// Confirmation reports of LoTW and eQSL matched against the log, and the side file that
// keeps them beside the log through repairs and killed writers.
#include "confirmreport.h"
#include "coretest.h"
#include "daluerror.h"
#include "killpoints.h"
#include "logbuilder.h"
#include "logfile.h"
#include "tempprogramdir.h"

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray tag(const char* name, const QByteArray& value) {
    return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value;
}

// A report as LoTW sends it: a text preamble, a header, then one record per QSO with the
// comments LoTW puts after some values. fields: call, band, mode, submode, date, time.
QByteArray lotwReport(const QList<QList<QByteArray>>& qsos) {
    QByteArray out = "ARRL Logbook of the World Status Report\n"
                     "Generated at 2026-03-02 10:11:12\n"
                     "for dl9xyz\n"
                     "Query:\n"
                     "    QSL ONLY: YES\n"
                     "  QSL RX SINCE: 2026-01-01 00:00:00 (user supplied value)\n\n"
                     "<PROGRAMID:4>LoTW\n"
                     "<APP_LoTW_LASTQSL:19>2026-03-01 09:00:00\n\n"
                     "<APP_LoTW_NUMREC:2>" +
                     QByteArray::number(qsos.size()).rightJustified(2, '0') + "\n\n<eoh>\n";
    for (const QList<QByteArray>& q : qsos) {
        out += tag("APP_LoTW_OWNCALL", "DL9XYZ") + '\n' + tag("STATION_CALLSIGN", "DL9XYZ") + '\n' +
               tag("CALL", q[0]) + '\n' + tag("BAND", q[1]) + '\n' + tag("MODE", q[2]) + '\n';
        if (!q[3].isEmpty())
            out += tag("SUBMODE", q[3]) + '\n';
        out += tag("APP_LoTW_MODEGROUP", q[2] == "SSB" ? "PHONE" : "DATA") + '\n' +
               tag("QSO_DATE", q[4]) + '\n' + tag("APP_LoTW_RXQSO", "2026-02-01 10:00:00") +
               " // QSO record inserted/modified at LoTW\n" + tag("TIME_ON", q[5]) + '\n' +
               tag("QSL_RCVD", "Y") + '\n' + tag("QSLRDATE", "20260215") + '\n' +
               tag("APP_LoTW_RXQSL", "2026-02-15 08:00:00") +
               " // QSL record matched/modified at LoTW\n" + tag("DXCC", "230") + '\n' +
               "<eor>\n\n";
    }
    return out;
}

TQsoRecord logged(int n, const QByteArray& call, const QByteArray& band, const QByteArray& mode,
                  const QByteArray& date, const QByteArray& utc) {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Band] = band;
    r[QsoField::Mode] = mode;
    r[QsoField::Date] = date;
    r[QsoField::Utc] = utc;
    r[QsoField::QslIn] = {};
    return r;
}

} // namespace

class TestConfirmations : public QObject {
    Q_OBJECT
private slots:
    void matchesReportQsos_data() {
        QTest::addColumn<QList<TQsoRecord>>("log");
        QTest::addColumn<QList<QByteArray>>("reported");
        QTest::addColumn<int>("confirmed"); // the QSO confirmed, 0: none
        QTest::addColumn<bool>("ambiguous");
        const QByteArray d = "01.02.2026";
        const QList<TQsoRecord> ft8 = {logged(1, "K1ABC", "20m", "FT8", d, "12:00:00")};
        QTest::newRow("29 minutes later")
            << ft8 << QList<QByteArray>{"K1ABC", "20M", "FT8", "", "20260201", "122900"} << 1
            << false;
        QTest::newRow("31 minutes later")
            << ft8 << QList<QByteArray>{"K1ABC", "20M", "FT8", "", "20260201", "123100"} << 0
            << false;
        QTest::newRow("29 minutes earlier")
            << ft8 << QList<QByteArray>{"K1ABC", "20M", "FT8", "", "20260201", "1131"} << 1
            << false;
        QTest::newRow("other band")
            << ft8 << QList<QByteArray>{"K1ABC", "30M", "FT8", "", "20260201", "1200"} << 0
            << false;
        QTest::newRow("other date within 30 minutes")
            << QList<TQsoRecord>{logged(1, "K1ABC", "20m", "FT8", d, "23:50:00")}
            << QList<QByteArray>{"K1ABC", "20M", "FT8", "", "20260202", "0005"} << 0 << false;
        QTest::newRow("band case")
            << QList<TQsoRecord>{logged(1, "K1ABC", "30m", "CW", d, "12:00:00")}
            << QList<QByteArray>{"K1ABC", "30M", "CW", "", "20260201", "1200"} << 1 << false;
        QTest::newRow("FT4 against MFSK/FT4")
            << QList<TQsoRecord>{logged(1, "K1ABC", "20m", "FT4", d, "12:00:00")}
            << QList<QByteArray>{"K1ABC", "20M", "MFSK", "FT4", "20260201", "120015"} << 1 << false;
        QTest::newRow("same mode group")
            << QList<TQsoRecord>{logged(1, "K1ABC", "20m", "USB", d, "12:00:00")}
            << QList<QByteArray>{"K1ABC", "20M", "SSB", "", "20260201", "1200"} << 1 << false;
        QTest::newRow("other mode group")
            << QList<TQsoRecord>{logged(1, "K1ABC", "20m", "CW", d, "12:00:00")}
            << QList<QByteArray>{"K1ABC", "20M", "SSB", "", "20260201", "1200"} << 0 << false;
        QTest::newRow("portable suffix in the report")
            << QList<TQsoRecord>{logged(1, "DL1ABC", "40m", "SSB", d, "12:00:00")}
            << QList<QByteArray>{"DL1ABC/P", "40M", "SSB", "", "20260201", "1200"} << 1 << false;
        QTest::newRow("portable prefix in the report")
            << QList<TQsoRecord>{logged(1, "DL1ABC", "40m", "SSB", d, "12:00:00")}
            << QList<QByteArray>{"EA8/DL1ABC", "40M", "SSB", "", "20260201", "1200"} << 1 << false;
        QTest::newRow("portable suffix only in the log")
            << QList<TQsoRecord>{logged(1, "DL1ABC/P", "40m", "SSB", d, "12:00:00")}
            << QList<QByteArray>{"DL1ABC", "40M", "SSB", "", "20260201", "1200"} << 0 << false;
        QTest::newRow("whole call preferred to the base call")
            << QList<TQsoRecord>{logged(1, "DL1ABC", "40m", "SSB", d, "12:00:00"),
                                 logged(2, "DL1ABC/P", "40m", "SSB", d, "12:20:00")}
            << QList<QByteArray>{"DL1ABC/P", "40M", "SSB", "", "20260201", "1200"} << 2 << false;
        QTest::newRow("two QSOs 10 minutes apart")
            << QList<TQsoRecord>{logged(1, "K1ABC", "20m", "FT8", d, "12:00:00"),
                                 logged(2, "K1ABC", "20m", "FT8", d, "12:10:00")}
            << QList<QByteArray>{"K1ABC", "20M", "FT8", "", "20260201", "120800"} << 2 << true;
    }
    void matchesReportQsos() {
        QFETCH(QList<TQsoRecord>, log);
        QFETCH(QList<QByteArray>, reported);
        QFETCH(int, confirmed);
        QFETCH(bool, ambiguous);
        TempProgramDir dir;
        const QString path = dir.file("match.log");
        LogBuilder::writeLog(path, log);
        const ConfirmReport::ImportResult result =
            ConfirmReport::importInto(path, lotwReport({reported}), QDate(2026, 3, 2));
        QCOMPARE(result.source, ConfirmSource::Lotw);
        QCOMPARE(result.reportQsos, qint64(1));
        QCOMPARE(int(result.outcome.unmatched.size()), confirmed == 0 ? 1 : 0);
        QCOMPARE(int(result.outcome.ambiguous.size()), ambiguous ? 1 : 0);
        const QList<Confirmation> held = ConfirmFile::load(ConfirmFile::pathFor(path));
        QCOMPARE(int(held.size()), confirmed == 0 ? 0 : 1);
        if (confirmed != 0) {
            QCOMPARE(held[0].number, confirmed);
            QCOMPARE(held[0].call, log[confirmed - 1][QsoField::Call]);
            QCOMPARE(held[0].on, QByteArray("15.02.2026"));
        }
    }

    // One report QSO confirms one log QSO; two report QSOs near two log QSOs take one each;
    // a second import adds nothing; an eQSL inbox counts apart from LoTW.
    void importsOnceAndKeepsSourcesApart() {
        TempProgramDir dir;
        const QString path = dir.file("twice.log");
        const QByteArray d = "01.02.2026";
        LogBuilder::writeLog(path, {logged(1, "K1ABC", "20m", "FT8", d, "12:00:00"),
                                    logged(2, "K1ABC", "20m", "FT8", d, "12:10:00")});
        const QByteArray report = lotwReport({{"K1ABC", "20M", "FT8", "", "20260201", "120400"},
                                              {"K1ABC", "20M", "FT8", "", "20260201", "120500"}});
        QCOMPARE(ConfirmReport::importInto(path, report).added, qint64(2));
        QCOMPARE(ConfirmReport::importInto(path, report).added, qint64(0));
        const QByteArray eqsl = "Received eQSLs for DL9XYZ\n<PROGRAMID:21>eQSL.cc DownloadInBox"
                                "<EOH>\n<CALL:5>K1ABC<QSO_DATE:8>20260201<TIME_ON:4>1201"
                                "<BAND:3>20m<MODE:3>FT8<QSL_SENT:1>Y<EOR>\n";
        const ConfirmReport::ImportResult fromEqsl =
            ConfirmReport::importInto(path, eqsl, QDate(2026, 3, 3));
        QCOMPARE(fromEqsl.source, ConfirmSource::Eqsl);
        QCOMPARE(fromEqsl.added, qint64(1));
        const QList<Confirmation> held = ConfirmFile::load(ConfirmFile::pathFor(path));
        QCOMPARE(int(held.size()), 3);
        QCOMPARE(held[2].on, QByteArray("03.03.2026"));
        const ConfirmedBy lotwOnly(ConfirmRule::PaperLotw, held);
        QVERIFY(lotwOnly("1", {}) && lotwOnly("2", {}) && !lotwOnly("3", {}));
        QVERIFY(!ConfirmedBy(ConfirmRule::Paper, held)("1", {}));
        QVERIFY(ConfirmedBy()("9", "01.01.2026"));
    }

    // After a repair renumbered the log, the entries find their QSOs by date, time and call.
    void repairKeepsConfirmationsAttached() {
        TempProgramDir dir;
        const QString path = dir.file("repair.log");
        const QByteArray d = "01.02.2026";
        const QList<TQsoRecord> qsos = {logged(1, "K1AAA", "20m", "CW", d, "10:00:00"),
                                        logged(2, "K1BBB", "20m", "CW", d, "11:00:00"),
                                        logged(3, "K1CCC", "20m", "CW", d, "12:00:00")};
        LogBuilder::writeLog(path, qsos);
        ConfirmReport::importInto(path,
                                  lotwReport({{"K1CCC", "20M", "CW", "", "20260201", "1200"}}));
        // The first QSO is gone and the others carry numbers of another file.
        QList<QByteArray> lines;
        for (int i : {1, 2})
            lines.append(QsoLine::join(qsos[i]).replace(0, 1, QByteArray::number(40 + i)));
        QFile::remove(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LogBuilder::rawLog(lines));
        file.close();
        TLogFile(path).Repair();
        QList<Confirmation> held = ConfirmFile::load(ConfirmFile::pathFor(path));
        ConfirmFile::attach(held, ConfirmReport::readLog(path));
        QCOMPARE(int(held.size()), 1);
        QCOMPARE(held[0].number, 2);
    }

    void refusesUnreadableSideFile() {
        TempProgramDir dir;
        const QString path = dir.file("bad.log");
        LogBuilder::writeLog(path, {logged(1, "K1ABC", "20m", "CW", "01.02.2026", "12:00:00")});
        const QByteArray broken = "1;01.02.2026;12:00:00;K1ABC;LoTW\r\n";
        dir.writeFile("bad.log.confirm", broken);
        QVERIFY_THROWS_EXCEPTION(
            DaluError, ConfirmReport::importInto(
                           path, lotwReport({{"K1ABC", "20M", "CW", "", "20260201", "1200"}})));
        QCOMPARE(dir.readFile("bad.log.confirm"), broken);
    }

    // Imports killed at every file-changing call leave the side file old or new.
    void killedImportLeavesWholeSideFile() {
        TempProgramDir dir;
        const QString path = dir.file("kill.log");
        QList<TQsoRecord> qsos;
        QList<QList<QByteArray>> reported;
        for (int n = 1; n <= 200; ++n) {
            const QByteArray time = QTime(0, 0).addSecs(n * 60).toString("hh:mm:ss").toLatin1();
            qsos.append(logged(n, "K1ABC", "20m", "CW", "01.02.2026", time));
            reported.append(
                {"K1ABC", "20M", "CW", "", "20260201", QByteArray(time).remove(2, 1).remove(4, 1)});
        }
        LogBuilder::writeLog(path, qsos);
        const QString side = ConfirmFile::pathFor(path);
        int old = 0;
        for (int kill = 0; kill < 12; ++kill) {
            QFile::remove(side);
            // Half the QSOs confirmed already: the import adds the other half.
            ConfirmReport::importInto(path, lotwReport(reported.mid(0, 100)));
            const QByteArray before = dir.readFile("kill.log.confirm");
            int stopped[2];
            QCOMPARE(pipe(stopped), 0);
            const pid_t child = fork();
            if (child == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                ::close(stopped[0]);
                try {
                    KillPoints::arm(kill + 1, stopped[1]);
                    ConfirmReport::importInto(path, lotwReport(reported));
                    // Not stopped inside: the import is whole, and says so.
                    (void)!::write(stopped[1], "x", 1);
                    for (;;)
                        ::pause();
                } catch (...) {
                }
                _exit(1);
            }
            ::close(stopped[1]);
            QVERIFY(KillPoints::killStopped(child, stopped[0]));
            const QList<Confirmation> now = ConfirmFile::load(side);
            QVERIFY2(now.size() == 100 || now.size() == 200,
                     qPrintable(QString("after kill %1: %2").arg(kill).arg(now.size())));
            if (now.size() == 100) {
                QCOMPARE(dir.readFile("kill.log.confirm"), before);
                ++old;
            }
        }
        QVERIFY(old > 0);
    }
};

QTEST_GUILESS_MAIN(TestConfirmations)
#include "tst_confirmations.moc"
