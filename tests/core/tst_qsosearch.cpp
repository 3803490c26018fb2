#include "errorof.h"
#include "logbuilder.h"
#include "logfile.h"
#include "qsosearch.h"
#include "tempprogramdir.h"
#include "textrows.h"

#include <QTest>

using QsoSearch::Operator;

namespace {

constexpr int kDate = static_cast<int>(QsoField::Date);
constexpr int kUtc = static_cast<int>(QsoField::Utc);
constexpr int kCall = static_cast<int>(QsoField::Call);
constexpr int kTxPwr = static_cast<int>(QsoField::TxPwr);
constexpr int kComments = static_cast<int>(QsoField::Comments);
constexpr int kDxcc = QsoSearch::kDxccField;

// A QSO with one field set; the DXCC entity is looked up from the call.
TQsoRecord withField(int field, const QByteArray& value) {
    TQsoRecord r = LogBuilder::qso(1);
    r.fields[field == kDxcc ? kCall : field] = value;
    return r;
}

} // namespace

class TestQsoSearch : public QObject {
    Q_OBJECT
private slots:
    void oneCriterion_data() {
        addColumns<int, int, QString, QByteArray, bool>("field", "op", "text", "value", "passes");
        using O = Operator;
        using F = QsoField;
        const auto row = [](const char* name, auto field, O op, const QString& text,
                            const QByteArray& value, bool passes) {
            QTest::newRow(name) << int(field) << int(op) << text << value << passes;
        };
        row("contains qx1: QX1ABC", F::Call, O::Contains, "qx1", "QX1ABC", true);
        row("contains qx1: qx1xyz/p", F::Call, O::Contains, "qx1", "qx1xyz/p", true);
        row("contains qx1: OE/QX1ABC", F::Call, O::Contains, "qx1", "OE/QX1ABC", true);
        row("contains qx1: QX2ABC", F::Call, O::Contains, "qx1", "QX2ABC", false);
        row("is ignores case", F::Band, O::Is, "2M", "2m", true);
        row("is not ignores case", F::Band, O::IsNot, "2M", "2m", false);
        row("contains not", F::Call, O::ContainsNot, "/p", "QX1ABC/P", false);
        row("only a to z change case", F::Name, O::Is, QStringLiteral(u"J\u00dcRGEN"), "j\xfcrgen",
            false);
        row("QSL in after: same day", F::QslIn, O::Greater, "01.01.2004", "01.01.2004", false);
        row("QSL in after: earlier year, larger day", F::QslIn, O::Greater, "01.01.2004",
            "15.01.2003", false);
        row("QSL in after: empty", F::QslIn, O::Greater, "01.01.2004", "", false);
        row("date before: unreadable stored date", F::Date, O::Less, "01.01.2004", "32.13.2003",
            false);
        row("power below 5W: 0,5W", F::TxPwr, O::Less, "5W", "0,5W", true);
        row("power below 5W: 10W", F::TxPwr, O::Less, "5W", "10W", false);
        row("power below 5W: stored without unit", F::TxPwr, O::Less, "5W", "100", false);
        row("power above 0,5: text without unit", F::TxPwr, O::Greater, "0,5", "1W", true);
        row("number above 9: 10", F::Number, O::Greater, "9", "10", true);
        row("UTC before noon: noon", F::Utc, O::Less, "12:00:00", "12:00:00", false);
        row("DXCC is: lower case call", kDxcc, O::Is, "qx island", "qx1abc", true);
        row("DXCC is: portable", kDxcc, O::Is, "qx island", "QX1ABC/P", true);
        row("DXCC is: other entity", kDxcc, O::Is, "qx island", "QX2ABC", false);
        row("DXCC is: too short for a lookup", kDxcc, O::Is, "qx island", "QX", false);
        row("DXCC contains: portable prefix", kDxcc, O::Contains, "AUS", "OE/QX1ABC", true);
        row("DXCC is empty: unknown call", kDxcc, O::Is, "", "ZZ1ABC", true);
    }
    void oneCriterion() {
        QFETCH(int, field);
        QFETCH(int, op);
        QFETCH(QString, text);
        QFETCH(QByteArray, value);
        TempProgramDir dir;
        dir.writeFile("DXCC.ini", "[DXCC]\r\nQX=Qx Mainland\r\nQX1=Qx Island\r\nOE=Austria\r\n");
        QsoSearch::TQsoSearch search({{field, Operator(op), text}}, dir.file("DXCC.ini"));
        const TQsoRecord record = withField(field, value);
        QTEST(search.matches(record), "passes");
        QTEST(search.matches(CompactQso(record)), "passes");
    }

    void unreadableSearchTextStops_data() {
        addColumns<int, int, QString>("field", "op", "text");
        QTest::newRow("number with letters") << 0 << int(Operator::Greater) << "abc";
        QTest::newRow("date in another form") << kDate << int(Operator::Greater) << "2004-01-01";
        QTest::newRow("hour 25") << kUtc << int(Operator::Less) << "25:00:00";
        QTest::newRow("power in mW") << kTxPwr << int(Operator::Less) << "500mW";
        QTest::newRow("power with a point") << kTxPwr << int(Operator::Less) << "0.5W";
    }
    void unreadableSearchTextStops() {
        QFETCH(int, field);
        QFETCH(int, op);
        QFETCH(QString, text);
        const QString error = errorOf([&] {
            QsoSearch::TQsoSearch({{kCall, Operator::Contains, "QX"}, {field, Operator(op), text}},
                                  QString());
        });
        QVERIFY2(error.contains('"' + text + '"'), qPrintable(error));
        // The same text is a plain text for the text operators.
        QsoSearch::TQsoSearch plain({{field, Operator::Is, text}}, QString());
        QVERIFY(!plain.matches(withField(field, "x")));
    }

    void findInListsHitsWithTheirFilePositions() {
        TempProgramDir dir;
        QList<TQsoRecord> records;
        for (int n : {1, 2, 5, 7}) // numbers that no longer follow the positions
            records.append(LogBuilder::qso(n, n % 2 ? "QX1ABC" : "QX2ABC"));
        records[2][QsoField::Comments] = "first\r\nsecond";
        LogBuilder::writeLog(dir.file("a.log"), records);
        TLogFile log(dir.file("a.log"));
        QList<CompactQso> hits;
        const auto find = [&](const QsoSearch::Criterion& c) {
            QList<int> positions;
            hits.clear();
            QsoSearch::TQsoSearch({c}, QString()).findIn(log, hits, positions);
            return positions;
        };
        QCOMPARE(find({kCall, Operator::Is, "qx1abc"}), QList<int>({1, 3, 4}));
        QCOMPARE(hits.size(), 3);
        QCOMPARE(hits[1].field(0), QByteArrayView("5"));
        QCOMPARE(hits[1].field(kComments), QByteArrayView("first second"));
        // A line break typed into the search text matches the one stored in the comments.
        QCOMPARE(find({kComments, Operator::Contains, "t\r\ns"}), QList<int>({3}));
    }

    void readErrorKeepsTheHitsSoFar() {
        TempProgramDir dir;
        dir.writeFile("a.log",
                      LogBuilder::rawLog({QsoLine::join(LogBuilder::qso(1)), QByteArray(20, ';'),
                                          QsoLine::join(LogBuilder::qso(3))}));
        TLogFile log(dir.file("a.log"));
        QsoSearch::TQsoSearch all({{kCall, Operator::Contains, ""}}, QString());
        QList<CompactQso> hits;
        QList<int> positions;
        QVERIFY_THROWS_EXCEPTION(DaluError, all.findIn(log, hits, positions));
        QCOMPARE(positions, QList<int>({1}));
    }
};

QTEST_GUILESS_MAIN(TestQsoSearch)
#include "tst_qsosearch.moc"
