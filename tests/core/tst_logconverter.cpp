#include "adifreader.h"
#include "adifwriter.h"
#include "coretest.h"
#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "logbuilder.h"
#include "logconverter.h"
#include "logfile.h"
#include "tempprogramdir.h"
#include "testdata.h"
#include "uitexts.h"

using LogBuilder::readLog;

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

const QDate kToday(2026, 12, 6);

QByteArray randomBytes(QRandomGenerator& random, int maxLength) {
    QByteArray bytes(random.bounded(maxLength + 1), Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

TQsoRecord erika() {
    return *QsoLine::split("12;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;Erika;Kiel;JO54AH;10W;;;");
}

// A few thousand QSOs with every field in use, as Repair leaves them.
QList<TQsoRecord> variedLog(int count) {
    const QByteArray bands[] = {"2m", "2200m", "20m", "160m"};
    const QByteArray modes[] = {"FM", "FT4", "CW", "PSK31"};
    QList<TQsoRecord> records;
    for (int n = 1; n <= count; ++n) {
        TQsoRecord r = LogBuilder::qso(n);
        r[QsoField::Date] = GermanFormat::formatDate(QDate(2000, 1, 1).addDays(n));
        r[QsoField::Utc] = QTime(n % 24, n % 60, n % 10).toString("hh:mm:ss").toLatin1();
        r[QsoField::Band] = bands[n % 4];
        r[QsoField::Mode] = modes[(n / 4) % 4];
        r[QsoField::RstTx] = n % 5 ? "59" : "599 0" + QByteArray::number(n % 100);
        r[QsoField::Dok] = n % 3 ? "Z10" : "";
        r[QsoField::Name] = n % 7 ? "J\xFCrgen & Co" : "";
        r[QsoField::TxPwr] = n % 11 ? QByteArray::number(n % 200 + 1) + "W" : "0,5W";
        if (n % 13 == 0)
            r[QsoField::TxPwr].clear();
        if (n % 4 == 0)
            r[QsoField::Comments] = "first QSO\r\nvia <repeater> DB0XYZ";
        else if (n % 4 == 1)
            r[QsoField::Comments] = "5 \"big\" signals";
        r[QsoField::QslOut] = n % 3 == 0 ? "01.01.1901" : n % 3 == 1 ? "02.03.2005" : "";
        r[QsoField::QslIn] = n % 5 == 0 ? "04.05.2006" : "";
        records.append(r);
    }
    return records;
}

} // namespace

// The ADIF reader and writer, and the converter's jobs over whole files.
class TestLogConverter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUiLanguage(UiLanguage::English); } // the reasons as the CLI gives them

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
            whole, ";05.06.2004;17:31:00;20m;SSB;QX1ABC;;;Z10;;;JO54AH;;;;");
        row("power lower unit", x + "<TX_PWR:3>50w", F::TxPwr, "50w");
        row("power decimal point", x + "<TX_PWR:3>2.5", F::TxPwr, "2,5W");
        row("power decimal comma", x + "<TX_PWR:3>0,5", F::TxPwr, "0,5W");
        row("power no number", x + "<TX_PWR:3>QDX", whole,
            ";05.06.2004;17:31:00;2m;FM;X;;;;;;;; / QDX;;");
        row("power Repair would stop on", x + "<TX_PWR:3>XMW<COMMENT:2>hi", F::Comments,
            "hi / XMW");
        row("MFSK with SUBMODE FT4", x + "<MODE:4>MFSK<SUBMODE:3>FT4", F::Mode, "FT4");
        row("SUBMODE before MODE", x + "<SUBMODE:3>js8<MODE:4>mfsk", F::Mode, "JS8");
        row("PSK31", x + "<MODE:3>PSK<SUBMODE:5>PSK31", F::Mode, "PSK31");
        row("sideband not kept", x + "<MODE:3>SSB<SUBMODE:3>USB", F::Mode, "SSB");
        row("unknown submode", x + "<MODE:4>MFSK<SUBMODE:3>XYZ", F::Mode, "MFSK");
        row("FT8 is a mode", x + "<MODE:3>FT8", F::Mode, "FT8");
        row("PAC is Pactor", x + "<MODE:3>PAC<SUBMODE:4>PAC3", F::Mode, "PACTOR");
        row("2190m is 2200m", x + "<BAND:5>2190M", F::Band, "2200m");
        row("DARC_DOK without DOK", x + "<DARC_DOK:3>z10", F::Dok, "Z10");
        row("DOK before DARC_DOK", x + "<DARC_DOK:3>Z10<DOK:3>Z11", F::Dok, "Z11");
        row("QSL_SENT y", x + "<QSL_SENT:1>y", F::QslOut, {});
        row("QSL date then flag", x + "<QSLSDATE:8>20050101<QSL_SENT:1>Y", F::QslOut, "01.01.2005");
        row("QSL flag then date", x + "<QSL_RCVD:1>Y<QSLRDATE:8>20050101", F::QslIn, "01.01.2005");
        row("length honoured, trailing text dropped", x + "<QTH:2>MD // Maryland\r\n<NAME:3>Bob",
            F::Qth, "MD");
        row("too long length cut at next tag", call("<NAME:40>Erika"), F::Name, "Erika");
        row("comment with angle bracket", x + "<COMMENT:9>5 <b> 10W", F::Comments, "5 <b> 10W");
        row("UTF-8 without base letters", call("<NAME:4>\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"), F::Name,
            "????");
        row("own export taken byte for byte",
            "This log was created with Dalu LogConverter - x<EOH>" + x +
                "<NAME:12>\xC3\xA4<CALL:1>Y ",
            F::Name, "\xC3\xA4<CALL:1>Y ");
        row("Windows-1252 byte for byte", call("<NAME:6>J\xFCrgen"), F::Name, "J\xFCrgen");
        row("whole tag names only",
            x + "<BAND_RX:3>70cm<QSO_DATE_OFF:8>20040606<GRIDSQUARE_EXT:2>ab", whole,
            ";05.06.2004;17:31:00;2m;FM;X;;;;;;;;;;");
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

    // Records as other programs write them with letters beyond ASCII: some count a value's
    // length in bytes of UTF-8, some in characters, and pad with blanks and line ends. In a
    // UTF-8 file the reader counts characters, stops early at the next tag and drops the
    // padding: every value keeps its letters exactly, not one more nor one less.
    void lengthsWithMultiByteLetters_data() {
        columns<QByteArray, QString>("fields", "nameQthComment");
        const QString all = "Jürgen|Lódz|5 € 73 de Jürgen";
        QTest::newRow("bytes, blank and line end after each value")
            << QByteArray("<NAME:7>Jürgen \r\n<QTH:7>Łódź\r\n<COMMENT:19>5 € 73 de Jürgen\r\n")
            << all;
        QTest::newRow("bytes, values back to back")
            << QByteArray("<NAME:7>Jürgen<QTH:7>Łódź<COMMENT:19>5 € 73 de Jürgen") << all;
        QTest::newRow("characters, back to back")
            << QByteArray("<NAME:6>Jürgen<QTH:4>Łódź<COMMENT:16>5 € 73 de Jürgen") << all;
        QTest::newRow("characters, blanks inside the length")
            << QByteArray("<NAME:9>Jürgen   <QTH:5>Łódź <COMMENT:18>5 € 73 de Jürgen  ") << all;
        QTest::newRow("characters, text after the value is not part of it")
            << QByteArray("<NAME:6>Jürgen Müller\r\n<QTH:4>Łódź, Polen<COMMENT:3>5 € 73 de Jürgen")
            << "Jürgen|Lódz|5 €";
        QTest::newRow("Windows-1252 file, bytes are characters")
            << QByteArray("<NAME:7>J\xFCrgen \r\n<QTH:4>K\xF6ln<COMMENT:6>5 \x80 73 \r\n")
            << "Jürgen|Köln|5 € 73";
    }
    void lengthsWithMultiByteLetters() {
        const QList<TQsoRecord> records = readAll("Log<EOH>\r\n" + kRequired + "<CALL:4>SP1A" +
                                                  fetched<QByteArray>("fields") + "<EOR>\r\n");
        QCOMPARE(records.size(), 1);
        const TQsoRecord& r = records[0];
        QTEST(fromCp1252(r[QsoField::Name] + '|' + r[QsoField::Qth] + '|' + r[QsoField::Comments]),
              "nameQthComment");
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
        QTest::newRow("empty TIME_ON") << QByteArray(all).replace("<TIME_ON:4>1731", "<TIME_ON:0>")
                                       << "Record 2 (AB1C): no TIME_ON";
        QTest::newRow("only a call")
            << QByteArray("<CALL:4>AB1C") << "Record 2 (AB1C): no QSO_DATE, TIME_ON, BAND, MODE";
        QTest::newRow("unreadable date and time")
            << QByteArray(all).replace("20040605", "20041305").replace("1731", "1773")
            << "Record 2 (AB1C): unreadable QSO_DATE, TIME_ON";
        QTest::newRow("short date")
            << QByteArray(all).replace("<QSO_DATE:8>20040605", "<QSO_DATE:6>200406")
            << "Record 2 (AB1C): unreadable QSO_DATE";
    }
    void requiredFields() {
        QFETCH(QByteArray, record);
        const QByteArray good = kRequired + "<CALL:4>DL1X";
        AdifReader::ReadResult result;
        const QList<TQsoRecord> records =
            readAll("<EOH>" + good + "<EOR>" + record + "<EOR>" + good + "<EOR>", &result);
        QVERIFY(records.size() == 2 && result.accepted == 2 && result.skipped.size() == 1);
        QTEST(result.skipped[0].reason(), "reason");
    }

    // A file cut inside its last record: the cut QSO is listed as incomplete, not imported.
    // Two million bad records must not make two million lines: the first few are listed.
    void truncatedLastRecordAndSkippedCount() {
        AdifReader::ReadResult r;
        QCOMPARE(
            readAll(kRequired + "<CALL:4>DL1X<EOR>\r\n" + kRequired + "<CALL:6>QX1A", &r).size(),
            1);
        QCOMPARE(r.skippedCount, 1);
        QCOMPARE(r.skipped[0].reason(), "Record 2 (QX1A): incomplete, the file ends inside it");
        readAll("<EOH>" + QByteArray("<CALL:1>X<EOR>").repeated(AdifReader::kListedSkips + 5), &r);
        QCOMPARE(r.skipped.size(), AdifReader::kListedSkips);
        QCOMPARE(r.skippedCount, AdifReader::kListedSkips + 5);
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
        const QByteArray file = "<EOH>" + (kRequired + "<CALL:4>AB1C<EOR>\r\n").repeated(500);
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
        QByteArrayList lines;
        for (const TQsoRecord& r : records)
            lines.append(QsoLine::join(r));
        QCOMPARE(lines, QByteArrayList({";05.06.2004;17:31:00;2m;FM;QX1ABC;;;;Erika;;;100W;hi;"
                                        "01.01.1901;",
                                        ";05.06.2004;17:31:00;2m;FM;Q2;;;;;;;5W;;;",
                                        ";05.06.2004;17:31:00;2m;FM;QX4;;;;;;;;;;"}));
        QCOMPARE(result.skipped.size(), 1);
        QCOMPARE(result.skipped[0].reason(), "Record 3: no CALL");
    }

    void exampleRecord() {
        QCOMPARE(
            AdifWriter::header() + AdifWriter::record(erika(), kToday),
            QByteArray("This log was created with Dalu LogConverter - "
                       "https://dalu.example.org/<EOH>\r\n\r\n"
                       "<QSO_DATE:8>20040605<TIME_ON:6>173100<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC\r\n"
                       "<RST_SENT:2>59<RST_RCVD:2>59<NAME:5>Erika<QTH:4>Kiel\r\n"
                       "<GRIDSQUARE:6>JO54AH<TX_PWR:2>10\r\n"
                       "<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n"));
    }

    // One field changed from the example; the expected line (1 to 4) of the record.
    void lines_data() {
        columns<int, QByteArray, int, QByteArray>("field", "value", "line", "expected");
        using F = QsoField;
        const auto row = [](const char* name, F field, const QByteArray& value, int line,
                            const QByteArray& expected) {
            QTest::newRow(name) << int(field) << value << line << expected;
        };
        const QByteArray tail = "<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC";
        row("empty power", F::TxPwr, "", 3, "<GRIDSQUARE:6>JO54AH");
        row("power decimal comma", F::TxPwr, "0,5W", 3, "<GRIDSQUARE:6>JO54AH<TX_PWR:3>0.5");
        row("power milliwatt", F::TxPwr, "250mW", 3, "<GRIDSQUARE:6>JO54AH<TX_PWR:4>0.25");
        row("power no number", F::TxPwr, "QRP", 3, "<GRIDSQUARE:6>JO54AH");
        row("two-line comment", F::Comments, "first QSO\r\nvia repeater", 3,
            "<GRIDSQUARE:6>JO54AH<TX_PWR:2>10<COMMENT:22>first QSO via repeater");
        // Nothing made up: an unreadable date or time is left out.
        row("unreadable date", F::Date, "soon", 1, "<TIME_ON:6>173100" + tail);
        row("unreadable time", F::Utc, "", 1, "<QSO_DATE:8>20040605" + tail);
        row("dok", F::Dok, "Z10", 2,
            "<RST_SENT:2>59<RST_RCVD:2>59<DOK:3>Z10<DARC_DOK:3>Z10<NAME:5>Erika<QTH:4>Kiel");
        const QByteArray head = "<QSO_DATE:8>20040605<TIME_ON:6>173100";
        row("FT4 as MFSK", F::Mode, "FT4", 1,
            head + "<BAND:2>2m<MODE:4>MFSK<SUBMODE:3>FT4<CALL:6>QX1ABC");
        row("FT8 as itself", F::Mode, "FT8", 1, head + "<BAND:2>2m<MODE:3>FT8<CALL:6>QX1ABC");
        row("PSK31 as PSK", F::Mode, "psk31", 1,
            head + "<BAND:2>2m<MODE:3>PSK<SUBMODE:5>PSK31<CALL:6>QX1ABC");
        row("2200m as 2190m", F::Band, "2200m", 1, head + "<BAND:5>2190m<MODE:2>FM<CALL:6>QX1ABC");
        row("QSL out", F::QslOut, "01.02.2005", 4,
            "<QSLSDATE:8>20050201<QSL_SENT:1>Y<QSL_RCVD:1>N<EOR>");
        row("QSL in placeholder", F::QslIn, "01.01.1901", 4, "<QSL_SENT:1>N<QSL_RCVD:1>Y<EOR>");
        row("unreadable QSL in", F::QslIn, "x", 4, "<QSL_SENT:1>N<QSL_RCVD:1>Y<EOR>");
    }
    void lines() {
        TQsoRecord rec = erika();
        rec.fields[fetched<int>("field")] = fetched<QByteArray>("value");
        const QList<QByteArray> lines = AdifWriter::record(rec, kToday).split('\n');
        QCOMPARE(lines.size(), 5); // four lines, each ended by CR LF
        QCOMPARE(lines[fetched<int>("line") - 1], fetched<QByteArray>("expected") + '\r');
    }

    // Random bytes exported and imported again come back as the import's letter case makes
    // them, also bytes that happen to form UTF-8, or a "<" followed by a tag.
    void anyLogReadsBackExactly() {
        QRandomGenerator random(7);
        QList<TQsoRecord> expected;
        QByteArray file = AdifWriter::header();
        for (int n = 1; n <= 500; ++n) {
            TQsoRecord rec;
            for (QByteArray& f : rec.fields)
                f = randomBytes(random, 12);
            if (n % 5 == 0)
                rec[QsoField::Name] = "\xC3\xA4<CALL:1>X \r\n<EOR>";
            rec[QsoField::Date] = QDate(2000, 1, 1).addDays(n).toString("dd.MM.yyyy").toLatin1();
            rec[QsoField::Utc] = QTime(0, 0).addSecs(n * 97).toString("hh:mm:ss").toLatin1();
            rec[QsoField::TxPwr] = QByteArray::number(n) + 'W';
            rec[QsoField::QslOut] = n % 2 ? QByteArray() : rec[QsoField::Date];
            rec[QsoField::QslIn] = n % 3 ? QByteArray() : rec[QsoField::Date];
            rec = *QsoLine::split(QsoLine::join(rec));
            for (QsoField f : {QsoField::Band, QsoField::Mode, QsoField::Call})
                rec[f] += 'x';
            file += AdifWriter::record(rec, kToday);
            rec[QsoField::Number].clear();
            rec[QsoField::Band] = rec[QsoField::Band].toLower(); // ASCII letters only
            for (QsoField f : {QsoField::Mode, QsoField::Call, QsoField::Dok, QsoField::Locator})
                rec[f] = rec[f].toUpper();
            rec[QsoField::Comments].replace("\r\n", " ");
            expected.append(rec);
        }
        QList<TQsoRecord> back;
        QCOMPARE(AdifReader::read(file, [&](TQsoRecord& r) { back.append(r); }).skippedCount, 0);
        QCOMPARE(back, expected);
    }

    void roundTrip_data() {
        QTest::addColumn<bool>("html");
        QTest::newRow("ADIF") << false;
        QTest::newRow("HTML") << true;
    }
    void roundTrip() {
        QFETCH(bool, html);
        TempProgramDir dir;
        QList<TQsoRecord> expected = variedLog(3000);
        LogBuilder::writeLog(dir.file("a.log"), expected);
        if (html) {
            LogConverter::exportHtml({dir.file("a.log")}, dir.file("a.htm"));
            const HtmlTable::Grid grid = LogConverter::loadHtml(dir.file("a.htm"));
            const QList<int> assignment = HtmlTable::assignByTitles(grid.rows[0], grid.columnCount);
            QCOMPARE(LogConverter::importHtmlRows(grid, assignment, 2, dir.file("b.log")).records,
                     3000);
        } else {
            QCOMPARE(LogConverter::exportAdif({dir.file("a.log")}, dir.file("a.adi")).records,
                     3000);
            const LogConverter::ImportSummary summary =
                LogConverter::importAdif(dir.file("a.adi"), dir.file("b.log"));
            QCOMPARE(summary.imported, 3000);
            QVERIFY(summary.skipped.isEmpty());
            // The ADIF export writes a multi-line comment as one line.
            for (TQsoRecord& r : expected)
                r[QsoField::Comments].replace("\r\n", " ");
        }
        QCOMPARE(readLog(dir.file("b.log")), expected);
    }

    void unreadableSourceLeavesTarget_data() {
        columns<QString, QString>("job", "source");
        QTest::newRow("append missing source") << QString("append") << QString("missing.log");
        QTest::newRow("import missing ADIF") << QString("adif") << QString("missing.adi");
        QTest::newRow("export missing log") << QString("export") << QString("missing.log");
    }
    void unreadableSourceLeavesTarget() {
        QFETCH(QString, job);
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("t.log"), {LogBuilder::qso(3)});
        LogBuilder::writeLog(dir.file("good.log"), {LogBuilder::qso(4)});
        const QByteArray before = dir.readFile("t.log");
        const QString target = dir.file("t.log");
        const QStringList sources = {dir.file("good.log"), dir.file(fetched<QString>("source"))};
        QVERIFY_THROWS_EXCEPTION(DaluError, [&] {
            if (job == "append")
                LogConverter::append(target, sources);
            else if (job == "adif")
                LogConverter::importAdif(sources[1], target);
            else
                LogConverter::exportAdif(sources, target);
        }());
        QCOMPARE(dir.readFile("t.log"), before);
        QVERIFY(!QFile::exists(target + ".tmp"));
    }

    void cancelLeavesTarget() {
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), variedLog(2000));
        LogBuilder::writeLog(dir.file("t.log"), {LogBuilder::qso(1)});
        const QByteArray before = dir.readFile("t.log");
        qint64 calls = 0;
        const auto stopHalfway = [&](qint64 done, qint64 total) {
            ++calls;
            return done < total / 2;
        };
        QVERIFY(
            LogConverter::append(dir.file("t.log"), {dir.file("a.log")}, stopHalfway).cancelled);
        LogConverter::exportAdif({dir.file("a.log")}, dir.file("a.adi"));
        QVERIFY(
            LogConverter::importAdif(dir.file("a.adi"), dir.file("t.log"), stopHalfway).cancelled);
        QVERIFY(LogConverter::repair({dir.file("t.log")}, [](qint64, qint64) {
                    return false;
                }).cancelled);
        QCOMPARE(dir.readFile("t.log"), before);
        QVERIFY(calls > 2 && calls < 300);
    }

    void htmlImportRows_data() {
        columns<int, bool, int>("startRow", "withDate", "imported");
        QTest::newRow("start row 2") << 2 << true << 2;
        QTest::newRow("start row 0 is 1: the titles are no QSO") << 0 << true << 2;
        QTest::newRow("beyond the last row") << 9 << true << 0;
        QTest::newRow("no Date column: no QSO") << 2 << false << 0;
    }
    void htmlImportRows() {
        QFETCH(bool, withDate);
        QFETCH(int, imported);
        TempProgramDir dir;
        const QByteArray date = withDate ? "<td>Date</td>" : "<td>Datum</td>";
        dir.writeFile("t.htm",
                      "<table>\n<tr><td>Call</td>" + date +
                          "<td>UTC</td></tr>\n"
                          "<tr><td>dl1abc</td><td>05.06.2004</td><td>1731</td></tr>\n"
                          "<tr><td>dl2xyz</td><td>06.06.2004</td><td>1800</td></tr>\n</table>");
        const HtmlTable::Grid grid = LogConverter::loadHtml(dir.file("t.htm"));
        const QList<int> assignment = HtmlTable::assignByTitles(grid.rows[0], grid.columnCount);
        QCOMPARE(LogConverter::importHtmlRows(grid, assignment, fetched<int>("startRow"),
                                              dir.file("n.log"))
                     .records,
                 imported);
        const QList<TQsoRecord> log = readLog(dir.file("n.log"));
        QCOMPARE(log.size(), imported);
        if (imported == 0)
            return;
        const TQsoRecord& last = log.last();
        QCOMPARE(last[QsoField::Call] + ' ' + last[QsoField::Utc] + ' ' + last[QsoField::Date],
                 "DL2XYZ 18:00:00 06.06.2004");
    }

    // Rows without any text are skipped and counted, rows that are no QSO named: none
    // becomes a QSO dated today.
    void htmlImportSkipsEmptyRows() {
        TempProgramDir dir;
        dir.writeFile("t.htm",
                      "<table><tr><td>Call</td><td>Date</td><td>UTC</td></tr>" +
                          QByteArray("<tr><td></td><td>&nbsp;</td></tr><tr></tr>\n").repeated(3) +
                          "<tr><td>dl1abc</td><td>05.06.2004</td><td>1731</td></tr>"
                          "<tr><td>dl2xyz</td><td>31.02.2004</td><td>1800</td></tr>"
                          "<tr><td></td><td>06.06.2004</td><td>1800</td></tr></table>");
        const HtmlTable::Grid grid = LogConverter::loadHtml(dir.file("t.htm"));
        const LogConverter::JobResult result = LogConverter::importHtmlRows(
            grid, HtmlTable::assignByTitles(grid.rows[0], grid.columnCount), 2, dir.file("n.log"));
        QCOMPARE(result.records, 1);
        QCOMPARE(result.emptyRows, 6);
        QStringList named;
        for (const RejectedLine& r : result.rejects.lines)
            named.append(r.text());
        QCOMPARE(named, QStringList({"Row 9: no readable date", "Row 10: no call"}));
        QCOMPARE(readLog(dir.file("n.log")).size(), 1);
    }

    // The repair (and the append, which repairs) makes up no date, time or call: a line
    // that is no QSO goes to "<log>.rejected" as it was and is named; a log without any
    // QSO is refused as it is.
    void unreadableLinesKeptAside_data() {
        columns<bool, QByteArrayList, QByteArrayList, QStringList>("append", "lines", "kept",
                                                                   "named");
        const QByteArray good = "7;05.06.2004;1731;2m;FM;QX1ABC;;;;;;;;;;";
        const QByteArrayList bad = {"8;;17:31:00;2m;FM;QX1ABC;;;;;;;;;;",
                                    "9;05.06.2004;17:71;2m;FM;QX1ABC;;;;;;;;;;",
                                    "10;05.06.2004;17:31;2m;FM;;;;;;;;;;;",
                                    "\x93\xfe;;;;;;;;;;;;;;;;;;\x01", "random bytes \xff"};
        const QStringList named = {"a.log, line 3: no readable date",
                                   "a.log, line 4: no readable time", "a.log, line 5: no call",
                                   "a.log, line 6: more than 16 fields",
                                   "a.log, line 7: no readable date"};
        QTest::newRow("repair") << false << QByteArrayList{good} + bad << bad << named;
        QTest::newRow("append") << true << QByteArrayList{good} + bad << bad << named;
        QTest::newRow("repair, no QSO at all") << false << bad << QByteArrayList() << QStringList();
    }
    void unreadableLinesKeptAside() {
        QFETCH(QByteArrayList, kept);
        TempProgramDir dir;
        const QByteArray log = LogBuilder::rawLog(fetched<QByteArrayList>("lines"));
        dir.writeFile("a.log", log);
        dir.writeFile("a.log.rejected", "kept before\r\n");
        const QString target = dir.file(fetched<bool>("append") ? "t.log" : "a.log");
        const auto job = [&] {
            return fetched<bool>("append") ? LogConverter::append(target, {dir.file("a.log")})
                                           : LogConverter::repair({target});
        };
        if (kept.isEmpty()) { // nothing readable: refused
            QVERIFY_THROWS_EXCEPTION(DaluError, job());
            QCOMPARE(dir.readFile("a.log"), log);
            QCOMPARE(dir.readFile("a.log.rejected"), QByteArray("kept before\r\n"));
            return;
        }
        const LogConverter::JobResult result = job();
        QCOMPARE(result.records, 1);
        QCOMPARE(readLog(target)[0][QsoField::Date], QByteArray("05.06.2004"));
        QCOMPARE(result.rejects.count, kept.size());
        QCOMPARE(result.rejects.files, QStringList{target + ".rejected"});
        QStringList named;
        for (const RejectedLine& r : result.rejects.lines)
            named.append(r.text());
        QTEST(named, "named");
        const QByteArray before = target.endsWith("a.log") ? "kept before\r\n" : "";
        QCOMPARE(dir.readFile(QFileInfo(target).fileName() + ".rejected"),
                 before + kept.join("\r\n") + "\r\n");
    }
};

QTEST_GUILESS_MAIN(TestLogConverter)
#include "tst_logconverter.moc"
