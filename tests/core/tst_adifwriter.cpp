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
        columns<int, QByteArray, int, QByteArray>("field", "value", "line", "expected");
        using F = QsoField;
        const auto row = [](const char* name, F field, const QByteArray& value, int line,
                            const QByteArray& expected) {
            QTest::newRow(name) << int(field) << value << line << expected;
        };
        const QByteArray tail = "<BAND:2>2m<MODE:2>FM<CALL:6>QX1ABC";
        row("power 100W", F::TxPwr, "100W", 3, "<GRIDSQUARE:6>JO54AH<TX_PWR:3>100");
        row("empty power", F::TxPwr, "", 3, "<GRIDSQUARE:6>JO54AH<TX_PWR:0>");
        row("two-line comment", F::Comments, "first QSO\r\nvia repeater", 3,
            "<GRIDSQUARE:6>JO54AH<TX_PWR:2>10<COMMENT:22>first QSO via repeater");
        row("unreadable date", F::Date, "soon", 1, "<QSO_DATE:8>20261206<TIME_ON:6>173100" + tail);
        row("unreadable time", F::Utc, "", 1, "<QSO_DATE:8>20040605<TIME_ON:6>210509" + tail);
        row("empty call has length 0", F::Call, "", 1,
            "<QSO_DATE:8>20040605<TIME_ON:6>173100<BAND:2>2m<MODE:2>FM<CALL:0>");
        row("dok", F::Dok, "Z10", 2,
            "<RST_SENT:2>59<RST_RCVD:2>59<DOK:3>Z10<NAME:5>Erika<QTH:4>Kiel");
        row("QSL out", F::QslOut, "01.02.2005", 4,
            "<QSLSDATE:8>20050201<QSL_SENT:1>Y<QSL_RCVD:1>N<EOR>");
        row("QSL in placeholder", F::QslIn, "01.01.1901", 4,
            "<QSL_SENT:1>N<QSLRDATE:8>19010101<QSL_RCVD:1>Y<EOR>");
        row("unreadable QSL in", F::QslIn, "x", 4,
            "<QSL_SENT:1>N<QSLRDATE:8>20261206<QSL_RCVD:1>Y<EOR>");
    }
    void lines() {
        TQsoRecord rec = erika();
        rec.fields[fetched<int>("field")] = fetched<QByteArray>("value");
        const QList<QByteArray> lines = AdifWriter::record(rec, kToday, kNow).split('\n');
        QCOMPARE(lines.size(), 5); // four lines, each ended by CR LF
        QCOMPARE(lines[4], QByteArray());
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
            file += AdifWriter::record(rec, kToday, kNow);
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
};

QTEST_GUILESS_MAIN(TestAdifWriter)
#include "tst_adifwriter.moc"
