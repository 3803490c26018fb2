#include "adifreader.h"
#include "logbuilder.h"
#include "testdata.h"

#include <QTest>

namespace {

const QByteArray kRequired = "<QSO_DATE:8>20040605<TIME_ON:6>173100<BAND:2>2m<MODE:2>FM";

QList<TQsoRecord> readAll(const QByteArray& data, AdifReader::ReadResult* result = nullptr) {
    QList<TQsoRecord> records;
    const AdifReader::ReadResult r =
        AdifReader::read(data, [&](TQsoRecord& rec) { records.append(rec); });
    if (result)
        *result = r;
    return records;
}

// Each record as its log line.
QByteArrayList lines(const QList<TQsoRecord>& records) {
    QByteArrayList out;
    for (const TQsoRecord& r : records)
        out.append(QsoLine::join(r));
    return out;
}

} // namespace

class TestAdifReader : public QObject {
    Q_OBJECT
private slots:
    // One record with the given tags; the expected value of one field or the whole line.
    void fieldConversion_data() {
        columns<QByteArray, int, QByteArray>("tags", "field", "expected");
        using F = QsoField;
        const auto row = [](const char* name, const QByteArray& tags, F field,
                            const QByteArray& expected) {
            QTest::newRow(name) << tags << int(field) << expected;
        };
        const F whole = F(-1); // the record as its log line
        const auto call = [](const QByteArray& tags) { return kRequired + tags + "<CALL:1>X"; };
        const QByteArray x = call("");
        row("letter case, date, 4-digit time, no power",
            "<CALL:6>qx1abc<BAND:3>20M<MODE:3>ssb"
            "<QSO_DATE:8>20040605<TIME_ON:4>1731<GRIDSQUARE:6>jo54ah<DOK:3>z10",
            whole, ";05.06.2004;17:31:00;20m;SSB;QX1ABC;;;Z10;;;JO54AH;1W;;;");
        row("power 100", x + "<TX_PWR:3>100", F::TxPwr, "100W");
        row("power lower unit", x + "<TX_PWR:3>50w", F::TxPwr, "50w");
        row("power decimal point", x + "<TX_PWR:3>2.5", F::TxPwr, "2,5W");
        row("power no number", x + "<TX_PWR:3>QDX", whole,
            ";05.06.2004;17:31:00;2m;FM;X;;;;;;;1W; / QDX;;");
        row("power Repair would stop on", x + "<TX_PWR:3>XMW<COMMENT:2>hi", F::Comments,
            "hi / XMW");
        row("QSL_SENT Y", x + "<QSL_SENT:1>Y", F::QslOut, "01.01.1901");
        row("QSL_SENT y", x + "<QSL_SENT:1>y", F::QslOut, {});
        row("QSL date then flag", x + "<QSLSDATE:8>20050101<QSL_SENT:1>Y", F::QslOut, "01.01.2005");
        row("QSL flag then date", x + "<QSL_RCVD:1>Y<QSLRDATE:8>20050101", F::QslIn, "01.01.2005");
        row("length honoured, trailing text dropped", x + "<QTH:2>MD // Maryland\r\n<NAME:3>Bob",
            F::Qth, "MD");
        row("too long length cut at next tag", call("<NAME:40>Erika"), F::Name, "Erika");
        row("comment with angle bracket", x + "<COMMENT:9>5 <b> 10W", F::Comments, "5 <b> 10W");
        row("UTF-8 length in characters", call("<NAME:12>Ferenc Tank\xC3\xB3"), F::Name,
            "Ferenc Tank\xF3");
        row("UTF-8 length in bytes", call("<NAME:13>Ferenc Tank\xC3\xB3"), F::Name,
            "Ferenc Tank\xF3");
        row("UTF-8 without base letters", call("<NAME:4>\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"), F::Name,
            "????");
        row("UTF-8 transliterated", call("<NAME:4>Ji\xC5\x99\xC3\xAD"), F::Name, "Jir\xED");
        row("padding inside the length dropped", x + "<NAME:9>Erika \t\r\n<QTH:4>Kiel", F::Name,
            "Erika");
        row("own export taken byte for byte",
            "This log was created with Dalu LogConverter - x<EOH>" + x +
                "<NAME:12>\xC3\xA4<CALL:1>Y ",
            F::Name, "\xC3\xA4<CALL:1>Y ");
        row("Windows-1252 byte for byte", call("<NAME:6>J\xFCrgen"), F::Name, "J\xFCrgen");
        row("whole tag names only",
            x + "<BAND_RX:3>70cm<QSO_DATE_OFF:8>20040606<GRIDSQUARE_EXT:2>ab", whole,
            ";05.06.2004;17:31:00;2m;FM;X;;;;;;;1W;;;");
        row("type indicator", x + "<NAME:5:S>Erika", F::Name, "Erika");
        row("comment line break kept as CR LF", x + "<COMMENT:7>abc\ndef", F::Comments,
            "abc\r\ndef");
        row("line break in name becomes blank", x + "<NAME:7>abc\ndef", F::Name, "abc def");
    }
    void fieldConversion() {
        QFETCH(QByteArray, tags);
        QFETCH(int, field);
        QFETCH(QByteArray, expected);
        AdifReader::ReadResult result;
        const QList<TQsoRecord> records =
            readAll((tags.startsWith("This") ? "" : "<EOH>") + tags + "<EOR>", &result);
        QCOMPARE(records.size(), 1);
        QCOMPARE(result.unmappableRecords, expected.contains('?') ? 1 : 0);
        QCOMPARE(field < 0 ? QsoLine::join(records[0]) : records[0].fields[field], expected);
    }

    void requiredFields_data() {
        columns<QByteArray, QString>("record", "reason");
        const QByteArray all =
            "<CALL:4>AB1C<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605<TIME_ON:4>1731";
        const auto row = [&all](const char* name, const QByteArray& cut, const char* reason) {
            QTest::newRow(name) << QByteArray(all).replace(cut, "") << reason;
        };
        row("no CALL", "<CALL:4>AB1C", "Record 2: no CALL");
        row("no BAND", "<BAND:2>2m", "Record 2 (AB1C): no BAND");
        row("no MODE", "<MODE:2>FM", "Record 2 (AB1C): no MODE");
        row("no QSO_DATE", "<QSO_DATE:8>20040605", "Record 2 (AB1C): no QSO_DATE");
        QTest::newRow("empty TIME_ON") << QByteArray(all).replace("<TIME_ON:4>1731", "<TIME_ON:0>")
                                       << "Record 2 (AB1C): no TIME_ON";
        QTest::newRow("only a call")
            << QByteArray("<CALL:4>AB1C") << "Record 2 (AB1C): no QSO_DATE, TIME_ON, BAND, MODE";
    }
    void requiredFields() {
        QFETCH(QByteArray, record);
        const QByteArray good =
            "<CALL:4>DL1X<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605<TIME_ON:4>1731";
        AdifReader::ReadResult result;
        const QList<TQsoRecord> records =
            readAll("<EOH>" + good + "<EOR>" + record + "<EOR>" + good + "<EOR>", &result);
        QVERIFY(records.size() == 2 && result.accepted == 2 && result.skipped.size() == 1);
        QTEST(result.skipped[0].reason(), "reason");
    }

    // A file cut inside its last record: the cut QSO is listed as incomplete, not imported.
    void truncatedLastRecord() {
        AdifReader::ReadResult r;
        QCOMPARE(
            readAll(kRequired + "<CALL:4>DL1X<EOR>\r\n" + kRequired + "<CALL:6>QX1A", &r).size(),
            1);
        QCOMPARE(r.skippedCount, 1);
        QCOMPARE(r.skipped[0].reason(), "Record 2 (QX1A): incomplete, the file ends inside it");
    }

    // Two million bad records must not make two million lines: the first few are listed.
    void skippedAreCountedBeyondTheList() {
        AdifReader::ReadResult result;
        readAll("<EOH>" + QByteArray("<CALL:1>X<EOR>").repeated(AdifReader::kListedSkips + 5),
                &result);
        QCOMPARE(result.skipped.size(), AdifReader::kListedSkips);
        QCOMPARE(result.skippedCount, AdifReader::kListedSkips + 5);
    }

    // Files as other programs write them: every QSO arrives with its fields.
    void fileStyles_data() {
        columns<QByteArray, QByteArrayList>("file", "qsos");
        const QByteArray a =
            "<CALL:4>AB1C<BAND:3>20m<MODE:3>SSB<QSO_DATE:8>20240105<TIME_ON:6>101500";
        const QByteArray b = "<CALL:5>DL2XY<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20240106<TIME_ON:4>0930";
        const QByteArrayList both = {"AB1C SSB 05.01.2024 10:15:00",
                                     "DL2XY FM 06.01.2024 09:30:00"};
        const auto row = [&both](const char* name, const QByteArray& file) {
            QTest::newRow(name) << file << both;
        };
        row("classic", "Log\r\n<ADIF_VER:5>3.1.0\r\n<EOH>\r\n" + a + "<EOR>\r\n" + b + "<EOR>\r\n");
        row("no header", a + "<EOR>\r\n" + b + "<EOR>\r\n");
        row("record on the header line", "Log <EOH>" + a + "<EOR>\n" + b + "<EOR>\n");
        row("LF only", "Log\n<EOH>\n" + a + "\n<EOR>\n" + b + "\n<EOR>\n");
        row("no final EOR", "Log<EOH>\r\n" + a + "<EOR>\r\n" + b + "\r\n");
        row("text after last EOR", "<EOH>" + a + "<EOR>" + b + "<EOR> end of log\r\n\r\n");
        row("lower case", "log<eoh>" + a.toLower() + "<eor>" + b.toLower() + "<eor>");
        row("one field a line",
            "Log<EOH>\r\n" + QByteArray(a).replace("<", "\r\n<") + "\r\n<EOR>\r\n" + b + "<EOR>");
        row("app-specific tags", "<EOH>" + a + "<APP_N1MM_ID:32>0123456789abcdef0123456789abcdef" +
                                     "<OPERATOR:4>DL1X<EOR>" + b + "<STATION_CALLSIGN:4>DL1X<EOR>");
        row("UTF-8 with byte-order mark",
            "\xEF\xBB\xBFLog<EOH>" + a + "<NAME:4>J\xC3\xBCrg<EOR>" + b + "<EOR>");
        row("header text with angle brackets",
            "Made by <Logger 2.0> on 1<2\r\n<EOH>" + a + "<EOR>" + b + "<EOR>");
        QTest::newRow("empty file") << QByteArray() << QByteArrayList();
        QTest::newRow("header only") << QByteArray("Log <EOH>\r\n") << QByteArrayList();
        QTest::newRow("unfinished tag at end") << "<EOH>" + a + "<EOR><CALL:1" << both.mid(0, 1);
    }
    void fileStyles() {
        QFETCH(QByteArray, file);
        AdifReader::ReadResult result;
        QByteArrayList got;
        for (const TQsoRecord& r : readAll(file, &result)) {
            got.append(r[QsoField::Call] + ' ' + r[QsoField::Mode] + ' ' + r[QsoField::Date] + ' ' +
                       r[QsoField::Utc]);
        }
        QTEST(got, "qsos");
        QVERIFY(result.skipped.isEmpty());
    }

    void cancelStopsAtRecordEnd() {
        const QByteArray file =
            "<EOH>" +
            QByteArray("<CALL:4>AB1C<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20240105<TIME_ON:4>1015"
                       "<EOR>\r\n")
                .repeated(500);
        int delivered = 0;
        qint64 lastDone = 0;
        const AdifReader::ReadResult result = AdifReader::read(
            file, [&](TQsoRecord&) { ++delivered; },
            [&](qint64 done, qint64 total) {
                lastDone = done;
                return total == file.size() && done < total / 2;
            });
        QVERIFY(result.cancelled);
        QVERIFY(delivered > 0 && delivered < 500);
        QCOMPARE(result.accepted, delivered);
        QVERIFY(lastDone >= file.size() / 2);
    }

    void recordsShareNoValues_data() {
        QTest::addColumn<bool>("moveAway");
        QTest::newRow("sink keeps copies") << false;
        QTest::newRow("sink takes the record") << true;
    }

    // A record's values never reach the next record nor change in one the sink kept.
    void recordsShareNoValues() {
        QFETCH(bool, moveAway);
        const QByteArray file = kRequired +
                                "<CALL:6>qx1abc<NAME:5>Erika<TX_PWR:3>100<COMMENT:2>hi" +
                                "<QSL_SENT:1>Y<EOR>" + kRequired + "<CALL:2>q2<TX_PWR:1>5<EOR>" +
                                kRequired + "<NAME:2>Al<EOR>" + kRequired + "<CALL:3>qx4<EOR>";
        QList<TQsoRecord> records;
        const AdifReader::ReadResult result = AdifReader::read(
            file, [&](TQsoRecord& rec) { records.append(moveAway ? std::move(rec) : rec); });
        QCOMPARE(lines(records),
                 QByteArrayList({";05.06.2004;17:31:00;2m;FM;QX1ABC;;;;Erika;;;100W;hi;"
                                 "01.01.1901;",
                                 ";05.06.2004;17:31:00;2m;FM;Q2;;;;;;;5W;;;",
                                 ";05.06.2004;17:31:00;2m;FM;QX4;;;;;;;1W;;;"}));
        QCOMPARE(result.skipped.size(), 1);
        QCOMPARE(result.skipped[0].reason(), "Record 3: no CALL");
    }
};

QTEST_GUILESS_MAIN(TestAdifReader)
#include "tst_adifreader.moc"
