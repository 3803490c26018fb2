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
    void fileStyles_data();
    void fileStyles();
    void cancelStopsAtRecordEnd();
};

// One record with the required fields and the given tags; field name -> expected value.
void TestAdifReader::fieldConversion_data() {
    QTest::addColumn<QByteArray>("tags");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray std = "<CALL:6>qx1abc<BAND:3>20M<MODE:3>ssb<QSO_DATE:8>20040605";
    QTest::newRow("call upper") << std + "<TIME_ON:4>1731" << QByteArray("Call")
                                << QByteArray("QX1ABC");
    QTest::newRow("band lower") << std + "<TIME_ON:4>1731" << QByteArray("Band")
                                << QByteArray("20m");
    QTest::newRow("mode upper") << std + "<TIME_ON:4>1731" << QByteArray("Mode")
                                << QByteArray("SSB");
    QTest::newRow("date") << std + "<TIME_ON:4>1731" << QByteArray("Date")
                          << QByteArray("05.06.2004");
    QTest::newRow("4-digit time") << std + "<TIME_ON:4>1731" << QByteArray("UTC")
                                  << QByteArray("17:31:00");
    QTest::newRow("no power gives 1W")
        << std + "<TIME_ON:4>1731" << QByteArray("TX Pwr") << QByteArray("1W");
    QTest::newRow("power 100") << kRequired + "<CALL:1>X<TX_PWR:3>100" << QByteArray("TX Pwr")
                               << QByteArray("100W");
    QTest::newRow("power with unit")
        << kRequired + "<CALL:1>X<TX_PWR:3>50W" << QByteArray("TX Pwr") << QByteArray("50W");
    QTest::newRow("power lower unit")
        << kRequired + "<CALL:1>X<TX_PWR:3>50w" << QByteArray("TX Pwr") << QByteArray("50w");
    QTest::newRow("power decimal point")
        << kRequired + "<CALL:1>X<TX_PWR:3>2.5" << QByteArray("TX Pwr") << QByteArray("2,5W");
    QTest::newRow("power no number")
        << kRequired + "<CALL:1>X<TX_PWR:3>QDX" << QByteArray("Comments") << QByteArray(" / QDX");
    QTest::newRow("power no number is 1W")
        << kRequired + "<CALL:1>X<TX_PWR:3>QDX" << QByteArray("TX Pwr") << QByteArray("1W");
    QTest::newRow("power Repair would stop on") << kRequired + "<CALL:1>X<TX_PWR:3>XMW<COMMENT:2>hi"
                                                << QByteArray("Comments") << QByteArray("hi / XMW");
    QTest::newRow("QSL_SENT Y") << kRequired + "<CALL:1>X<QSL_SENT:1>Y" << QByteArray("QSL out")
                                << QByteArray("01.01.1901");
    QTest::newRow("QSL_SENT y") << kRequired + "<CALL:1>X<QSL_SENT:1>y" << QByteArray("QSL out")
                                << QByteArray();
    QTest::newRow("QSL date then flag") << kRequired + "<CALL:1>X<QSLSDATE:8>20050101<QSL_SENT:1>Y"
                                        << QByteArray("QSL out") << QByteArray("01.01.2005");
    QTest::newRow("QSL flag then date") << kRequired + "<CALL:1>X<QSL_RCVD:1>Y<QSLRDATE:8>20050101"
                                        << QByteArray("QSL in") << QByteArray("01.01.2005");
    QTest::newRow("locator and dok upper") << kRequired + "<CALL:1>X<GRIDSQUARE:6>jo54ah"
                                           << QByteArray("Locator") << QByteArray("JO54AH");
    QTest::newRow("length honoured, trailing text dropped")
        << kRequired + "<CALL:1>X<QTH:2>MD // Maryland\r\n<NAME:3>Bob" << QByteArray("QTH")
        << QByteArray("MD");
    QTest::newRow("too long length cut at next tag")
        << kRequired + "<NAME:40>Erika<CALL:1>X" << QByteArray("Name") << QByteArray("Erika");
    QTest::newRow("comment with angle bracket")
        << kRequired + "<CALL:1>X<COMMENT:9>5 <b> 10W" << QByteArray("Comments")
        << QByteArray("5 <b> 10W");
    QTest::newRow("UTF-8 length in characters")
        << kRequired + "<NAME:12>Ferenc Tank\xC3\xB3<CALL:1>X" << QByteArray("Name")
        << QByteArray("Ferenc Tank\xF3");
    QTest::newRow("UTF-8 length in bytes") << kRequired + "<NAME:13>Ferenc Tank\xC3\xB3<CALL:1>X"
                                           << QByteArray("Name") << QByteArray("Ferenc Tank\xF3");
    QTest::newRow("UTF-8 beyond Windows-1252")
        << kRequired + "<NAME:4>\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD<CALL:1>X" << QByteArray("Name")
        << QByteArray("????");
    QTest::newRow("Windows-1252 byte for byte") << kRequired + "<NAME:6>J\xFCrgen<CALL:1>X"
                                                << QByteArray("Name") << QByteArray("J\xFCrgen");
    QTest::newRow("whole tag names only")
        << kRequired + "<CALL:1>X<BAND_RX:3>70cm<QSO_DATE_OFF:8>20040606<GRIDSQUARE_EXT:2>ab"
        << QByteArray("Band") << QByteArray("2m");
    QTest::newRow("whole tag names, date") << kRequired + "<CALL:1>X<QSO_DATE_OFF:8>20040606"
                                           << QByteArray("Date") << QByteArray("05.06.2004");
    QTest::newRow("type indicator")
        << kRequired + "<CALL:1>X<NAME:5:S>Erika" << QByteArray("Name") << QByteArray("Erika");
    QTest::newRow("comment line break kept as CR LF")
        << kRequired + "<CALL:1>X<COMMENT:7>abc\ndef" << QByteArray("Comments")
        << QByteArray("abc\r\ndef");
    QTest::newRow("line break in name becomes blank")
        << kRequired + "<CALL:1>X<NAME:7>abc\ndef" << QByteArray("Name") << QByteArray("abc def");
}

void TestAdifReader::fieldConversion() {
    QFETCH(QByteArray, tags);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, expected);
    const QList<TQsoRecord> records = readAll("<EOH>" + tags + "<EOR>");
    QCOMPARE(records.size(), 1);
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

QTEST_GUILESS_MAIN(TestAdifReader)
#include "tst_adifreader.moc"
