#include "adifreader.h"
#include "logbuilder.h"

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

QByteArray fieldByName(const TQsoRecord& rec, const QByteArray& name) {
    const TQsoRecord probe = LogBuilder::record({{name.constData(), "\x01"}});
    for (int i = 0; i < kQsoFieldCount; ++i) {
        if (probe.fields[i] == "\x01")
            return rec.fields[i];
    }
    return {};
}

} // namespace

class TestAdifReader : public QObject {
    Q_OBJECT
private slots:
    void fieldConversion_data();
    void fieldConversion();
    void requiredFields_data();
    void requiredFields();
    void truncatedLastRecord();
    void skippedAreCountedBeyondTheList();
    void fileStyles_data();
    void fileStyles();
    void cancelStopsAtRecordEnd();
    void recordsShareNoValues_data();
    void recordsShareNoValues();
};

// One record with the required fields and the given tags; field name -> expected value.
void TestAdifReader::fieldConversion_data() {
    QTest::addColumn<QByteArray>("tags");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("expected");

    const auto row = [](const char* name, const QByteArray& tags, const char* field,
                        const QByteArray& expected) {
        QTest::newRow(name) << tags << QByteArray(field) << expected;
    };
    const QByteArray std =
        "<CALL:6>qx1abc<BAND:3>20M<MODE:3>ssb<QSO_DATE:8>20040605<TIME_ON:4>1731";
    const QByteArray x = kRequired + "<CALL:1>X";
    row("call upper", std, "Call", "QX1ABC");
    row("band lower", std, "Band", "20m");
    row("mode upper", std, "Mode", "SSB");
    row("date", std, "Date", "05.06.2004");
    row("4-digit time", std, "UTC", "17:31:00");
    row("no power gives 1W", std, "TX Pwr", "1W");
    row("power 100", x + "<TX_PWR:3>100", "TX Pwr", "100W");
    row("power with unit", x + "<TX_PWR:3>50W", "TX Pwr", "50W");
    row("power lower unit", x + "<TX_PWR:3>50w", "TX Pwr", "50w");
    row("power decimal point", x + "<TX_PWR:3>2.5", "TX Pwr", "2,5W");
    row("power no number", x + "<TX_PWR:3>QDX", "Comments", " / QDX");
    row("power no number is 1W", x + "<TX_PWR:3>QDX", "TX Pwr", "1W");
    row("power Repair would stop on", x + "<TX_PWR:3>XMW<COMMENT:2>hi", "Comments", "hi / XMW");
    row("QSL_SENT Y", x + "<QSL_SENT:1>Y", "QSL out", "01.01.1901");
    row("QSL_SENT y", x + "<QSL_SENT:1>y", "QSL out", {});
    row("QSL date then flag", x + "<QSLSDATE:8>20050101<QSL_SENT:1>Y", "QSL out", "01.01.2005");
    row("QSL flag then date", x + "<QSL_RCVD:1>Y<QSLRDATE:8>20050101", "QSL in", "01.01.2005");
    row("locator and dok upper", x + "<GRIDSQUARE:6>jo54ah", "Locator", "JO54AH");
    row("length honoured, trailing text dropped", x + "<QTH:2>MD // Maryland\r\n<NAME:3>Bob", "QTH",
        "MD");
    row("too long length cut at next tag", kRequired + "<NAME:40>Erika<CALL:1>X", "Name", "Erika");
    row("comment with angle bracket", x + "<COMMENT:9>5 <b> 10W", "Comments", "5 <b> 10W");
    row("UTF-8 length in characters", kRequired + "<NAME:12>Ferenc Tank\xC3\xB3<CALL:1>X", "Name",
        "Ferenc Tank\xF3");
    row("UTF-8 length in bytes", kRequired + "<NAME:13>Ferenc Tank\xC3\xB3<CALL:1>X", "Name",
        "Ferenc Tank\xF3");
    row("UTF-8 without base letters",
        kRequired + "<NAME:4>\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD<CALL:1>X", "Name", "????");
    row("UTF-8 transliterated", kRequired + "<NAME:4>Ji\xC5\x99\xC3\xAD<CALL:1>X", "Name",
        "Jir\xED");
    row("padding inside the length dropped", x + "<NAME:9>Erika \t\r\n<QTH:4>Kiel", "Name",
        "Erika");
    row("own export taken byte for byte",
        "This log was created with Dalu LogConverter - x<EOH>" + x + "<NAME:12>\xC3\xA4<CALL:1>Y ",
        "Name", "\xC3\xA4<CALL:1>Y ");
    row("Windows-1252 byte for byte", kRequired + "<NAME:6>J\xFCrgen<CALL:1>X", "Name",
        "J\xFCrgen");
    row("whole tag names only", x + "<BAND_RX:3>70cm<QSO_DATE_OFF:8>20040606<GRIDSQUARE_EXT:2>ab",
        "Band", "2m");
    row("whole tag names, date", x + "<QSO_DATE_OFF:8>20040606", "Date", "05.06.2004");
    row("type indicator", x + "<NAME:5:S>Erika", "Name", "Erika");
    row("comment line break kept as CR LF", x + "<COMMENT:7>abc\ndef", "Comments", "abc\r\ndef");
    row("line break in name becomes blank", x + "<NAME:7>abc\ndef", "Name", "abc def");
}

void TestAdifReader::fieldConversion() {
    QFETCH(QByteArray, tags);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, expected);
    AdifReader::ReadResult result;
    const QList<TQsoRecord> records =
        readAll((tags.startsWith("This") ? "" : "<EOH>") + tags + "<EOR>", &result);
    QCOMPARE(records.size(), 1);
    QCOMPARE(result.unmappableRecords, expected.contains('?') ? 1 : 0);
    QCOMPARE(fieldByName(records[0], field), expected);
    QCOMPARE(records[0][QsoField::Number], QByteArray());
}

void TestAdifReader::requiredFields_data() {
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("missing");
    const QByteArray all = "<CALL:4>AB1C<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605<TIME_ON:4>1731";
    QTest::newRow("no CALL") << QByteArray(all).replace("<CALL:4>AB1C", "") << QByteArray("CALL");
    QTest::newRow("no BAND") << QByteArray(all).replace("<BAND:2>2m", "") << QByteArray("BAND");
    QTest::newRow("no MODE") << QByteArray(all).replace("<MODE:2>FM", "") << QByteArray("MODE");
    QTest::newRow("no QSO_DATE") << QByteArray(all).replace("<QSO_DATE:8>20040605", "")
                                 << QByteArray("QSO_DATE");
    QTest::newRow("empty TIME_ON")
        << QByteArray(all).replace("<TIME_ON:4>1731", "<TIME_ON:0>") << QByteArray("TIME_ON");
    QTest::newRow("only a call") << QByteArray("<CALL:4>AB1C")
                                 << QByteArray("QSO_DATE,TIME_ON,BAND,MODE");
}

// A file cut inside its last record: the cut QSO is listed as incomplete, not imported.
void TestAdifReader::truncatedLastRecord() {
    const QByteArray good = kRequired + "<CALL:4>DL1X<EOR>\r\n";
    AdifReader::ReadResult result;
    const QList<TQsoRecord> records = readAll(good + kRequired + "<CALL:6>QX1A", &result);
    QCOMPARE(records.size(), 1);
    QCOMPARE(result.skippedCount, 1);
    QCOMPARE(result.skipped[0].reason(),
             QStringLiteral("Record 2 (QX1A): incomplete, the file ends inside it"));
}

// Two million bad records must not make two million lines: the first few are listed.
void TestAdifReader::skippedAreCountedBeyondTheList() {
    AdifReader::ReadResult result;
    readAll("<EOH>" + QByteArray("<CALL:1>X<EOR>").repeated(AdifReader::kListedSkips + 5), &result);
    QCOMPARE(result.skipped.size(), AdifReader::kListedSkips);
    QCOMPARE(result.skippedCount, AdifReader::kListedSkips + 5);
}

void TestAdifReader::requiredFields() {
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, missing);
    const QByteArray good = "<CALL:4>DL1X<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605<TIME_ON:4>1731";
    AdifReader::ReadResult result;
    const QList<TQsoRecord> records =
        readAll("<EOH>" + good + "<EOR>" + record + "<EOR>" + good + "<EOR>", &result);
    QCOMPARE(records.size(), 2);
    QCOMPARE(result.accepted, 2);
    QCOMPARE(result.skipped.size(), 1);
    QCOMPARE(result.skipped[0].recordNumber, 2);
    QCOMPARE(result.skipped[0].missingTags.join(','), missing);
    QVERIFY(result.skipped[0].reason().startsWith(QStringLiteral("Record 2")));
}

// Files as other programs write them: every QSO arrives with its fields.
void TestAdifReader::fileStyles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArrayList>("calls");

    const QByteArray a = "<CALL:4>AB1C<BAND:3>20m<MODE:3>SSB<QSO_DATE:8>20240105<TIME_ON:6>101500";
    const QByteArray b = "<CALL:5>DL2XY<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20240106<TIME_ON:4>0930";
    const QByteArrayList both = {"AB1C", "DL2XY"};
    QTest::newRow("classic") << "Log\r\n<ADIF_VER:5>3.1.0\r\n<EOH>\r\n" + a + "<EOR>\r\n" + b +
                                    "<EOR>\r\n"
                             << both;
    QTest::newRow("no header") << a + "<EOR>\r\n" + b + "<EOR>\r\n" << both;
    QTest::newRow("header of tags only")
        << "<ADIF_VER:5>3.1.0<EOH>" + a + "<EOR>" + b + "<EOR>" << both;
    QTest::newRow("one line") << "Log <EOH>" + a + "<EOR>" + b + "<EOR>" << both;
    QTest::newRow("record on the header line") << "Log <EOH>" + a + "<EOR>\n" + b + "<EOR>\n"
                                               << both;
    QTest::newRow("LF only") << "Log\n<EOH>\n" + a + "\n<EOR>\n" + b + "\n<EOR>\n" << both;
    QTest::newRow("no final EOR") << "Log<EOH>\r\n" + a + "<EOR>\r\n" + b + "\r\n" << both;
    QTest::newRow("text after last EOR") << "<EOH>" + a + "<EOR>" + b + "<EOR> end of log\r\n\r\n"
                                         << both;
    QTest::newRow("lower case") << "log<eoh>" + a.toLower() + "<eor>" + b.toLower() + "<eor>"
                                << both;
    QTest::newRow("one field a line")
        << "Log<EOH>\r\n" + QByteArray(a).replace("<", "\r\n<") + "\r\n<EOR>\r\n" + b + "<EOR>"
        << both;
    QTest::newRow("app-specific tags")
        << "<EOH>" + a + "<APP_N1MM_ID:32>0123456789abcdef0123456789abcdef<OPERATOR:4>DL1X" +
               "<EOR>" + b + "<STATION_CALLSIGN:4>DL1X<EOR>"
        << both;
    QTest::newRow("UTF-8 with byte-order mark")
        << "\xEF\xBB\xBFLog<EOH>" + a + "<NAME:4>J\xC3\xBCrg<EOR>" + b + "<EOR>" << both;
    QTest::newRow("header text with angle brackets")
        << "Made by <Logger 2.0> on 1<2\r\n<EOH>" + a + "<EOR>" + b + "<EOR>" << both;
    QTest::newRow("empty file") << QByteArray() << QByteArrayList();
    QTest::newRow("header only") << QByteArray("Log <EOH>\r\n") << QByteArrayList();
    QTest::newRow("unfinished tag at end")
        << "<EOH>" + a + "<EOR><CALL:1" << QByteArrayList{"AB1C"};
}

void TestAdifReader::fileStyles() {
    QFETCH(QByteArray, file);
    QFETCH(QByteArrayList, calls);
    AdifReader::ReadResult result;
    const QList<TQsoRecord> records = readAll(file, &result);
    QByteArrayList got;
    for (const TQsoRecord& r : records) {
        got.append(r[QsoField::Call]);
        QVERIFY(!r[QsoField::Date].isEmpty() && !r[QsoField::Utc].isEmpty());
        QCOMPARE(r[QsoField::Mode].isEmpty(), false);
    }
    QCOMPARE(got, calls);
    QVERIFY(result.skipped.isEmpty());
    if (calls.size() == 2) {
        QCOMPARE(records[0][QsoField::Utc], QByteArray("10:15:00"));
        QCOMPARE(records[1][QsoField::Date], QByteArray("06.01.2024"));
        QCOMPARE(records[1][QsoField::Utc], QByteArray("09:30:00"));
    }
}

void TestAdifReader::cancelStopsAtRecordEnd() {
    QByteArray file = "<EOH>";
    for (int i = 0; i < 500; ++i)
        file += "<CALL:4>AB1C<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20240105<TIME_ON:4>1015<EOR>\r\n";
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

void TestAdifReader::recordsShareNoValues_data() {
    QTest::addColumn<bool>("moveAway");
    QTest::newRow("sink keeps copies") << false;
    QTest::newRow("sink takes the record") << true;
}

// One record's values must neither reach the next record nor change in a record the
// sink kept, however the sink takes it.
void TestAdifReader::recordsShareNoValues() {
    QFETCH(bool, moveAway);
    const QByteArray file = kRequired + "<CALL:6>qx1abc<NAME:5>Erika<TX_PWR:3>100<COMMENT:2>hi" +
                            "<QSL_SENT:1>Y<EOR>" + kRequired + "<CALL:2>q2<TX_PWR:1>5<EOR>" +
                            kRequired + "<NAME:2>Al<EOR>" + kRequired + "<CALL:3>qx4<EOR>";
    QList<TQsoRecord> records;
    const AdifReader::ReadResult result = AdifReader::read(file, [&](TQsoRecord& rec) {
        if (moveAway)
            records.append(std::move(rec));
        else
            records.append(rec);
    });
    QCOMPARE(records.size(), 3);
    QCOMPARE(records[0][QsoField::Call], QByteArray("QX1ABC"));
    QCOMPARE(records[0][QsoField::Name], QByteArray("Erika"));
    QCOMPARE(records[0][QsoField::TxPwr], QByteArray("100W"));
    QCOMPARE(records[0][QsoField::QslOut], QByteArray("01.01.1901"));
    QCOMPARE(records[1][QsoField::Call], QByteArray("Q2"));
    QCOMPARE(records[1][QsoField::TxPwr], QByteArray("5W"));
    for (QsoField f : {QsoField::Name, QsoField::Comments, QsoField::QslOut})
        QVERIFY(records[1][f].isEmpty());
    QCOMPARE(records[2][QsoField::Call], QByteArray("QX4"));
    QCOMPARE(records[2][QsoField::TxPwr], QByteArray("1W"));
    QCOMPARE(result.skipped.size(), 1);
    QCOMPARE(result.skipped[0].recordNumber, 3);
    QVERIFY(result.skipped[0].call.isEmpty());
}

QTEST_GUILESS_MAIN(TestAdifReader)
#include "tst_adifreader.moc"
