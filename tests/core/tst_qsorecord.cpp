#include "cp1252.h"
#include "daluerror.h"
#include "logbuilder.h"
#include "qsorecord.h"
#include "qsorepair.h"
#include "testdata.h"
#include "textrows.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {
const QDate kToday(2026, 12, 6);
const QTime kNow(21, 5, 9);
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
    void join() {
        QFETCH(TQsoRecord, record);
        QTEST(QsoLine::join(record), "line");
    }

    void roundTripKeepsUntouchedLine() {
        const QByteArray line = "7;01.02.2003;12:00:00;40m;CW;DL1ABC;599 001;579 012;A01;J\xf6rg;"
                                "K\xf6ln;JO30AA;5W;two#13#10lines;03.02.2003;";
        QCOMPARE(QsoLine::join(*QsoLine::split(line)), line);
    }

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
                     {"double acute", "Győr", "Gyor"},
                     {"cp1252 kept", "Müller €", "Müller €"},
                     {"decomposed input", "Jir\u030Ci", "Jiri"},
                     {"no base letter", "a\u4E2Db", "a\u4E2Db!"},
                     {"outside the BMP", "x\U0001F600", "x\U0001F600!"}});
    }
    void baseLetters() {
        QFETCH(QString, typed);
        bool lost = false;
        const QString stored = transliterateForCp1252(typed, &lost);
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
        row("power 5 Watt", "TX Pwr", "5 Watt", "1W", " / 5 WATT");
        row("power milliwatt", "TX Pwr", "500mW", "0,5W");
        row("power decimal kilowatt", "TX Pwr", "1,5kW", "1500W");
        row("power empty", "TX Pwr", {}, "1W");
        row("date ddmmyy", "Date", "050604", "05.06.2004");
        row("date short parts", "Date", "5.6.2004", "05.06.2004");
        row("date two-digit year", "Date", "05.06.85", "05.06.1985");
        row("date invalid", "Date", "31.02.2004", "06.12.2026", " / 31.02.2004");
        row("date empty", "Date", {}, "06.12.2026", " / ");
        row("qsl in ddmmyyyy", "QSL in", "05062004", "05.06.2004");
        row("qsl out empty stays", "QSL out", {}, {});
        row("qsl out unreadable", "QSL out", "soon", {}, " / soon");
        row("time hhnn", "UTC", "1731", "17:31:00");
        row("time hhnnss", "UTC", "173105", "17:31:05");
        row("time h:n", "UTC", "7:5", "07:05:00");
        row("time invalid", "UTC", "25:00", "21:05:09", " / 25:00");
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
        QsoRepair::normalise(rec, 1, kToday, kNow);
        QTEST(rec.fields[index], "output");
        QTEST(rec[QsoField::Comments], "comments");
    }

    void notesCollectInOrder() {
        TQsoRecord rec = *QsoLine::split(";bad date;bad time;;;;;;;;;;qrp;old;x1;x2");
        QsoRepair::normalise(rec, 3, kToday, kNow);
        QCOMPARE(rec[QsoField::Comments], QByteArray("old / QRP / bad date / x1 / x2 / bad time"));
    }

    void caseAndNumber() {
        TQsoRecord rec = *QsoLine::split("77;01.01.2004;10:00:00;2M;ssb;qx1\xe4;;;z10;erika;;"
                                         "jo54ah;10w;;;");
        QsoRepair::normalise(rec, 4, kToday, kNow);
        // Only a to z change case; the name is kept as typed.
        QCOMPARE(QsoLine::join(rec),
                 "4;01.01.2004;10:00:00;2m;SSB;QX1\xe4;;;Z10;erika;;JO54AH;10W;;;");
    }

    // Also a number whose watts overflow is no readable power.
    void powerBeforeUnitMustBeNumber() {
        for (const char* power : {"AMW", "1e308KW"}) {
            TQsoRecord rec = LogBuilder::qso(1);
            rec[QsoField::TxPwr] = power;
            QVERIFY_THROWS_EXCEPTION(DaluError, QsoRepair::normalise(rec, 1, kToday, kNow));
        }
    }
};

QTEST_GUILESS_MAIN(TestQsoRecord)
#include "tst_qsorecord.moc"
