#include "adifreader.h"
#include "adifwriter.h"
#include "logbuilder.h"
#include "testdata.h"

#include <QRandomGenerator>
#include <QTest>

namespace {
const QDate kToday(2026, 12, 6);
const QTime kNow(21, 5, 9);

QByteArray randomBytes(QRandomGenerator& random, int maxLength) {
    QByteArray bytes(random.bounded(maxLength + 1), Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

TQsoRecord erika() {
    return *QsoLine::split("12;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;Erika;Kiel;JO54AH;10W;;;");
}
} // namespace

class TestAdifWriter : public QObject {
    Q_OBJECT
private slots:
    void exampleRecord() {
        QCOMPARE(
            AdifWriter::header() + AdifWriter::record(erika(), kToday, kNow),
            QByteArray("This log was created with Dalu LogConverter - "
                       "https://dalu.example.org/<EOH>\r\n\r\n"
                       "<QSO_DATE:8>20040605<TIME_ON:6>173100<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC\r\n"
                       "<RST_SENT:2>59<RST_RCVD:2>59<NAME:5>Erika<QTH:4>Kiel\r\n"
                       "<GRIDSQUARE:6>JO54AH<TX_PWR:2>10\r\n"
                       "<QSL_SENT:1>N<QSL_RCVD:1>N<EOR>\r\n"));
    }

    // One field changed from the example; the expected line (1 to 4) of the record.
    void lines_data() {
        columns<QByteArray, QByteArray, int, QByteArray>("field", "value", "line", "expected");
        const auto row = [](const char* name, const char* field, const QByteArray& value, int line,
                            const QByteArray& expected) {
            QTest::newRow(name) << QByteArray(field) << value << line << expected;
        };
        const QByteArray tail = "<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC";
        row("power 100W", "TX Pwr", "100W", 3, "<GRIDSQUARE:6>JO54AH<TX_PWR:3>100");
        row("empty power", "TX Pwr", "", 3, "<GRIDSQUARE:6>JO54AH<TX_PWR:0>");
        row("two-line comment", "Comments", "first QSO\r\nvia repeater", 3,
            "<GRIDSQUARE:6>JO54AH<TX_PWR:2>10<COMMENT:22>first QSO via repeater");
        row("unreadable date", "Date", "soon", 1, "<QSO_DATE:8>20261206<TIME_ON:6>173100" + tail);
        row("unreadable time", "UTC", "", 1, "<QSO_DATE:8>20040605<TIME_ON:6>210509" + tail);
        row("empty call has length 0", "Call", "", 1,
            "<QSO_DATE:8>20040605<TIME_ON:6>173100<BAND:2>2m<MODE:2>FM<CALL:0>");
        row("dok", "DOK", "Z10", 2,
            "<RST_SENT:2>59<RST_RCVD:2>59<DOK:3>Z10<NAME:5>Erika<QTH:4>Kiel");
        row("QSL out", "QSL out", "01.02.2005", 4,
            "<QSLSDATE:8>20050201<QSL_SENT:1>Y<QSL_RCVD:1>N<EOR>");
        row("QSL in placeholder", "QSL in", "01.01.1901", 4,
            "<QSL_SENT:1>N<QSLRDATE:8>19010101<QSL_RCVD:1>Y<EOR>");
        row("unreadable QSL in", "QSL in", "x", 4,
            "<QSL_SENT:1>N<QSLRDATE:8>20261206<QSL_RCVD:1>Y<EOR>");
    }
    void lines() {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, value);
        QFETCH(int, line);
        QFETCH(QByteArray, expected);
        TQsoRecord rec = erika();
        const TQsoRecord probe = LogBuilder::record({{field.constData(), "\x01"}});
        for (int i = 0; i < kQsoFieldCount; ++i) {
            if (probe.fields[i] == "\x01")
                rec.fields[i] = value;
        }
        const QByteArray out = AdifWriter::record(rec, kToday, kNow);
        QVERIFY(out.endsWith("\r\n"));
        const QList<QByteArray> lines = out.chopped(2).split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[line - 1].chopped(line < 4 ? 1 : 0), expected);
    }

    // A log of random bytes, as the log file holds it, exported and imported again: every value
    // comes back as the import's letter case makes it, whatever bytes it holds (also bytes
    // that happen to form UTF-8, or a "<" followed by a tag).
    void anyLogReadsBackExactly() {
        QRandomGenerator random(7);
        QList<TQsoRecord> log;
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
            log.append(rec);
            file += AdifWriter::record(rec, kToday, kNow);
        }
        QList<TQsoRecord> back;
        const AdifReader::ReadResult result =
            AdifReader::read(file, [&](TQsoRecord& rec) { back.append(rec); });
        QCOMPARE(back.size(), log.size());
        QCOMPARE(result.skippedCount, 0);
        for (int i = 0; i < log.size(); ++i) {
            TQsoRecord expected = log[i];
            expected[QsoField::Number].clear();
            expected[QsoField::Band] = expected[QsoField::Band].toLower(); // ASCII letters only
            for (QsoField f : {QsoField::Mode, QsoField::Call, QsoField::Dok, QsoField::Locator})
                expected[f] = expected[f].toUpper();
            expected[QsoField::Comments].replace("\r\n", " ");
            QCOMPARE(back[i], expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestAdifWriter)
#include "tst_adifwriter.moc"
