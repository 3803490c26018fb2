// The QSO record: its line, its repair, and the QSL cards: the card rule, the out list, the
// marks, the QSL-in inputs and the card files.
#include "coretest.h"
#include "cp1252.h"
#include "daluerror.h"
#include "logbuilder.h"
#include "logfile.h"
#include "logjournal.h"
#include "qslcardfile.h"
#include "qslcards.h"
#include "qslin.h"
#include "qsorecord.h"
#include "qsorepair.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "textrows.h"

#include <algorithm>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace QslCards;

namespace {

const QDate kToday(2026, 12, 6);

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

class TestQsoRecord : public QObject {
    Q_OBJECT
private slots:
    void split_data() {
        addColumns<QByteArray, int, QByteArray>("line", "field", "expected");
        const auto row = [](const char* name, const QByteArray& line, int field,
                            const QByteArray& expected) {
            QTest::newRow(name) << line << field << expected;
        };
        row("date of short line", "5;01.01.2004", 1, "01.01.2004");
        row("missing fields are empty", "5;01.01.2004", 15, {});
        row("no separator fills field 1", "abc", 0, "abc");
        row("empty line", {}, 0, {});
        row("comment line break restored", "1;;;;;;;;;;;;;abc#13#10def;;", 13, "abc\r\ndef");
        row("name keeps #13#10 literally", "1;;;;;;;;;ab#13#10c;;;;;;", 9, "ab#13#10c");
        row("sixteen fields, last one", "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16", 15, "16");
        row("seventeen fields rejected", "1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17", 0, "!");
        row("sixteen separators rejected", QByteArray(16, ';'), 0, "!");
    }
    void split() {
        const std::optional<TQsoRecord> rec = QsoLine::split(fetched<QByteArray>("line"));
        QTEST(rec ? rec->fields[fetched<int>("field")] : QByteArray("!"), "expected");
    }

    void join_data() {
        addColumns<TQsoRecord, QByteArray>("record", "line");
        TQsoRecord example = LogBuilder::qso(12);
        example[QsoField::Comments] = "first QSO\r\nvia repeater";
        QTest::newRow("example record")
            << example
            << QByteArray("12;13.06.2004;12:31:00;20m;SSB;QX12ABC;59;59;Z10;Erika;Kiel;"
                          "JO54AH;10W;first QSO#13#10via repeater;;");
        QTest::newRow("semicolon dropped")
            << LogBuilder::record({{"Name", "A;B"}}) << QByteArray(";;;;;;;;;AB;;;;;;");
        QTest::newRow("line breaks outside comments are blanks")
            << LogBuilder::record({{"QTH", "a\r\nb\rc\nd"}})
            << QByteArray(";;;;;;;;;;a b c d;;;;;");
        QTest::newRow("lone CR and LF in comments are line breaks")
            << LogBuilder::record({{"Comments", "a\rb\nc\n\r"}})
            << QByteArray(";;;;;;;;;;;;;a#13#10b#13#10c#13#10#13#10;;");
    }
    void join() { QTEST(QsoLine::join(fetched<TQsoRecord>("record")), "line"); }

    // Whatever bytes the fields hold, the record is one line of sixteen fields that reads
    // back to itself.
    void anyBytesStayOneLine() {
        QRandomGenerator random(12);
        for (int round = 0; round < 2000; ++round) {
            TQsoRecord rec;
            for (QByteArray& f : rec.fields) {
                f.resize(random.bounded(6));
                for (char& c : f)
                    c = char(random.bounded(256));
            }
            const QByteArray line = QsoLine::join(rec);
            QVERIFY(!line.contains('\r') && !line.contains('\n'));
            QCOMPARE(line.count(';'), kQsoFieldCount - 1);
            const std::optional<TQsoRecord> back = QsoLine::split(line);
            QVERIFY(back.has_value());
            QCOMPARE(QsoLine::join(*back), line);
        }
    }

    // Typed text the log cannot hold is stored as its base letters; "!" marks text with a
    // character that has none.
    void baseLetters_data() {
        addTextRows("typed", "stored",
                    {{"caron", "Jiří", "Jirí"},
                     {"stroke", "Łódź", "Lódz"},
                     {"cp1252 kept", "Müller €", "Müller €"},
                     {"decomposed input", "Jir\u030Ci", "Jiri"},
                     {"no base letter", "a\u4E2Db", "a\u4E2Db!"},
                     {"outside the BMP", "x\U0001F600", "x\U0001F600!"}});
    }
    void baseLetters() {
        bool lost = false;
        const QString stored = transliterateForCp1252(fetched<QString>("typed"), &lost);
        QTEST(stored + (lost ? "!" : ""), "stored");
        if (!lost)
            QCOMPARE(fromCp1252(toCp1252(stored)), stored);
    }

    void conversions_data() {
        addColumns<QByteArray, QByteArray, QByteArray, QByteArray>("fieldName", "input", "output",
                                                                   "comments");
        const auto row = [](const char* name, const char* field, const QByteArray& input,
                            const QByteArray& output, const QByteArray& comments = {}) {
            QTest::newRow(name) << QByteArray(field) << input << output << comments;
        };
        row("power number gets W", "TX Pwr", "100", "100W");
        row("power signed number", "TX Pwr", " +5", " +5W");
        row("power 5 Watt", "TX Pwr", "5 Watt", {}, " / 5 WATT");
        row("power milliwatt", "TX Pwr", "500mW", "0,5W");
        row("power decimal kilowatt", "TX Pwr", "1,5kW", "1500W");
        row("power empty", "TX Pwr", {}, {});
        row("date ddmmyy", "Date", "050604", "05.06.2004");
        row("date short parts", "Date", "5.6.2004", "05.06.2004");
        row("date two-digit year", "Date", "05.06.85", "05.06.1985");
        // Nothing is made up for a date, time or call: such a record is no QSO.
        row("date invalid", "Date", "31.02.2004", "no QSO: 2");
        row("date empty", "Date", {}, "no QSO: 2");
        row("call blank", "Call", " ", "no QSO: 4");
        row("qsl in ddmmyyyy", "QSL in", "05062004", "05.06.2004");
        row("qsl out empty stays", "QSL out", {}, {});
        row("qsl out unreadable", "QSL out", "soon", {}, " / soon");
        row("time hhnn", "UTC", "1731", "17:31:00");
        row("time hhnnss", "UTC", "173105", "17:31:05");
        row("time h:n", "UTC", "7:5", "07:05:00");
        row("time invalid", "UTC", "25:00", "no QSO: 3");
        row("time empty", "UTC", {}, "no QSO: 3");
    }
    void conversions() {
        QFETCH(QByteArray, fieldName);
        QFETCH(QByteArray, input);
        TQsoRecord rec = LogBuilder::qso(1);
        rec[QsoField::Comments].clear();
        const TQsoRecord probe = LogBuilder::record({{fieldName.constData(), "x"}});
        const int index =
            int(std::find(probe.fields.begin(), probe.fields.end(), "x") - probe.fields.begin());
        rec.fields[index] = input;
        const QsoRepair::Problem problem = QsoRepair::normalise(rec, 1, kToday);
        if (problem != QsoRepair::Problem::None) {
            QCOMPARE("no QSO: " + QByteArray::number(int(problem)), fetched<QByteArray>("output"));
            return;
        }
        QTEST(rec.fields[index], "output");
        QTEST(rec[QsoField::Comments], "comments");
    }

    void caseNumberAndNotes() {
        TQsoRecord rec = *QsoLine::split("77;01.01.2004;10:00:00;2M;ssb;qx1\xe4;;;z10;erika;;"
                                         "jo54ah;10w;;;");
        QsoRepair::normalise(rec, 4, kToday);
        // Only a to z change case; the name is kept as typed.
        QCOMPARE(QsoLine::join(rec),
                 "4;01.01.2004;10:00:00;2m;SSB;QX1\xe4;;;Z10;erika;;JO54AH;10W;;;");
        // The notes collect in the comments in this order.
        rec = *QsoLine::split(";01.01.2004;10:00;;;QX1;;;;;;;qrp;old;x1;x2");
        QsoRepair::normalise(rec, 3, kToday);
        QCOMPARE(rec[QsoField::Comments], QByteArray("old / QRP / x1 / x2"));
    }

    // Also a number whose watts overflow is no readable power.
    void powerBeforeUnitMustBeNumber() {
        for (const char* power : {"AMW", "1e308KW"}) {
            TQsoRecord rec = LogBuilder::qso(1);
            rec[QsoField::TxPwr] = power;
            QVERIFY_THROWS_EXCEPTION(DaluError, QsoRepair::normalise(rec, 1, kToday));
        }
    }

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
        // And so must the list a script streams.
        QslCards::OutListStream stream(r);
        QList<int> streamed;
        for (qsizetype i = 0; i < all.size(); ++i)
            if (stream.listed(all.at(i)))
                streamed.append(int(i) + 1);
        QCOMPARE(streamed, QslCards::outList(all, r));
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
    // A big log's changes wait in its journal: folded once, in order, never twice, and
    // never over a QSO another program changed meanwhile.
    void journalFolds_data() {
        QTest::addColumn<QByteArray>("journalTail"); // appended after two good entries
        QTest::addColumn<bool>("foldedBefore");      // the log already holds the entries
        QTest::addColumn<bool>("changedBehind");     // QSO 2 was changed by another program
        QTest::addColumn<QByteArrayList>("calls");   // of QSOs 1 ... 3 after the fold
        QTest::addColumn<int>("rejected");
        const QByteArrayList folded{"QX1ABC", "QX2B", "QX3ABC"};
        QTest::newRow("in order") << QByteArray() << false << false << folded << 0;
        QTest::newRow("torn last entry") << QByteArray("2;6;4;QX") << false << false << folded << 0;
        QTest::newRow("bad checksum")
            << QByteArray("2;1;1;AB;0\r\n") << false << false << folded << 0;
        QTest::newRow("left by a crash after the fold")
            << QByteArray() << true << false << folded << 0;
        QTest::newRow("changed behind")
            << QByteArray() << false << true << QByteArrayList{"QX1ABC", "QX2OTHER", "QX3ABC"} << 2;
    }
    void journalFolds() {
        QFETCH(QByteArray, journalTail);
        QFETCH(bool, foldedBefore);
        QFETCH(bool, changedBehind);
        QFETCH(QByteArrayList, calls);
        QFETCH(int, rejected);
        TempProgramDir dir;
        const QString log = dir.file("big.log");
        const QList<TQsoRecord> records = LogBuilder::qsos(3);
        auto line = [&](const char* call) { return QsoLine::join(LogBuilder::qso(2, call)); };
        QByteArray journal = LogJournal::encode({2, line("QX2ABC"), line("QX2A")}) +
                             LogJournal::encode({2, line("QX2A"), line("QX2B")});
        dir.writeFile("big.log.journal", journal + journalTail);
        QList<TQsoRecord> start = records;
        if (foldedBefore)
            start[1][QsoField::Call] = "QX2B";
        if (changedBehind)
            start[1][QsoField::Call] = "QX2OTHER";
        LogBuilder::writeLog(log, start);
        const LogJournal::Folded result = LogJournal::fold(log);
        QByteArrayList now;
        for (const TQsoRecord& r : LogBuilder::readLog(log))
            now.append(r[QsoField::Call]);
        QCOMPARE(now, calls);
        QCOMPARE(result.rejected.size(), rejected);
        QVERIFY(!LogJournal::exists(log));
        QCOMPARE(QFile::exists(log + ".journal.rejected"), rejected > 0);
    }

    void killedMarkingKeepsEveryReturnedMark() {
        TempProgramDir dir;
        QList<TQsoRecord> records;
        for (int n = 1; n <= 2000; ++n)
            records.append(LogBuilder::qso(n));
        LogBuilder::writeLog(dir.file("a.log"), records);
        int pipeFds[2];
        QVERIFY(pipe(pipeFds) == 0);
        const pid_t child = fork();
        if (child == 0) { // a failure shows as fewer than ten reports
            try {
                TLogFile log(dir.file("a.log"));
                for (int n = 1; n <= records.size(); ++n) {
                    markInLog(log, n, CompactQso(records[n - 1]), Mark::Sent, QDate(2026, 12, 7));
                    (void)!write(pipeFds[1], "m", 1);
                }
            } catch (...) {
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
        QTest::newRow("hh") << false << "14" << int(QslIn::Input::Valid) << "14";
        QTest::newRow("hhmm") << false << "1423" << int(QslIn::Input::Valid) << "14:23";
        QTest::newRow("hhmmss") << false << "142305" << int(QslIn::Input::Valid) << "14:23:05";
        QTest::newRow("1 digit off") << false << "1" << int(QslIn::Input::Off) << "";
        QTest::newRow("hour 25") << false << "25" << int(QslIn::Input::Invalid) << "25:00";
    }
    void completion() {
        const QString typed = fetched<QString>("typed");
        const QslIn::Input in =
            fetched<bool>("isDate") ? QslIn::completeDate(typed, 2026) : QslIn::completeTime(typed);
        QTEST(int(in.state), "state");
        QTEST(in.text, "text");
    }

    // A card's time is the span it names: the search criteria and the time a new QSO gets.
    void cardTimeSpan_data() {
        columns<QString, QString, QString>("typed", "criteria", "logged");
        const auto row = [](const char* name, const char* typed, const char* criteria,
                            const char* logged) {
            QTest::newRow(name) << QString(typed) << QString(criteria) << QString(logged);
        };
        row("hhmm: the minute", "1653", "> 16:52:59, < 16:54:00", "16:53:00");
        row("hh:mm: the minute", "16:53", "> 16:52:59, < 16:54:00", "16:53:00");
        row("hhmmss: exact", "165327", "= 16:53:27", "16:53:27");
        row("hh: the hour", "16", "> 15:59:59, < 17:00:00", "16:00:00");
        row("first minute of the day", "0000", "< 00:01:00", "00:00:00");
        row("last minute of the day", "2359", "> 23:58:59", "23:59:00");
        row("minute 60", "1660", "", "");
    }
    void cardTimeSpan() {
        const QslIn::TimeInput time = QslIn::completeTime(fetched<QString>("typed"));
        QStringList criteria;
        for (const QsoSearch::Criterion& c : QslIn::timeCriteria(time)) {
            QCOMPARE(c.field, int(QsoField::Utc));
            const char* op = c.op == QsoSearch::Operator::Is        ? "= "
                             : c.op == QsoSearch::Operator::Greater ? "> "
                             : c.op == QsoSearch::Operator::Less    ? "< "
                                                                    : "? ";
            criteria.append(op + c.text);
        }
        QTEST(criteria.join(", "), "criteria");
        QTEST(time.state == QslIn::Input::Valid ? time.logText() : QString(), "logged");
    }

    void cardFileName_data() {
        addTextRows("folder|call", "file", // the folder as stored in the settings
                    {{"portable", "/op/QSL/|QX1ABC/P", "/op/QSL/qx1abc-p-050604173100.jpg"},
                     {"prefix and mobile", "/q|9A/QX1ABC/M", "/q/9a-qx1abc-m-050604173100.jpg"},
                     {"stored on Windows", "/q\\|QX1ABC", "/q/qx1abc-050604173100.jpg"},
                     {"not set", "|QX1ABC", "/prog/qx1abc-050604173100.jpg"}});
    }
    void cardFileName() {
        const QString in = fetched<QString>("folder|call");
        const QString folder = QslCardFile::folder(in.section('|', 0, 0), "/prog/");
        QTEST(QslCardFile::eQslInFileName(folder, in.section('|', 1), QDate(2004, 6, 5),
                                          QTime(17, 31)),
              "file");
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

    void moveAcrossFileSystems_data() {
        columns<bool>("leftover");
        QTest::newRow("clean") << false;
        QTest::newRow("leftover of a killed move") << true;
    }
    void moveAcrossFileSystems() {
        QTemporaryDir shm("/dev/shm/dalu-XXXXXX");
        if (!shm.isValid())
            QSKIP("no /dev/shm");
        TempProgramDir dir;
        if (fetched<bool>("leftover"))
            dir.writeFile("card.jpg.part", "half");
        const QByteArray image(300000, 'x');
        QFile source(shm.filePath("scan.jpg"));
        QVERIFY(source.open(QIODevice::WriteOnly) && source.write(image) == image.size());
        source.close();
        QslCardFile::moveCard(source.fileName(), dir.file("card.jpg"));
        QCOMPARE(dir.readFile("card.jpg"), image);
        QVERIFY(!source.exists() && !QFile::exists(dir.file("card.jpg.part")));
    }
};

QTEST_GUILESS_MAIN(TestQsoRecord)
#include "tst_qsorecord.moc"
