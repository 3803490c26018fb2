#include "daluerror.h"
#include "logbuilder.h"
#include "logfile.h"
#include "qsosearch.h"
#include "tempprogramdir.h"

#include <QTest>

using QsoSearch::Criterion;
using QsoSearch::Operator;

namespace {

constexpr int kDate = static_cast<int>(QsoField::Date);
constexpr int kUtc = static_cast<int>(QsoField::Utc);
constexpr int kBand = static_cast<int>(QsoField::Band);
constexpr int kCall = static_cast<int>(QsoField::Call);
constexpr int kName = static_cast<int>(QsoField::Name);
constexpr int kTxPwr = static_cast<int>(QsoField::TxPwr);
constexpr int kComments = static_cast<int>(QsoField::Comments);
constexpr int kQslIn = static_cast<int>(QsoField::QslIn);

const QByteArray kDxccIni = "[DXCC]\r\nQX=Qx Mainland\r\nQX1=Qx Island\r\nOE=Austria\r\n";

TQsoRecord withField(int field, const QByteArray& value) {
    TQsoRecord r = LogBuilder::qso(1);
    r.fields[field] = value;
    return r;
}

} // namespace

class TestQsoSearch : public QObject {
    Q_OBJECT
private slots:
    void oneCriterion_data();
    void oneCriterion();
    void unreadableSearchTextStops_data();
    void unreadableSearchTextStops();
    void dxccFollowsTheReferenceFile();
    void findInListsHitsWithTheirFilePositions();
    void readErrorKeepsTheHitsSoFar();
};

void TestQsoSearch::oneCriterion_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("passes");

    const int is = int(Operator::Is), isNot = int(Operator::IsNot);
    const int contains = int(Operator::Contains), containsNot = int(Operator::ContainsNot);
    const int greater = int(Operator::Greater), less = int(Operator::Less);

    QTest::newRow("contains qx1: QX1ABC")
        << kCall << contains << "qx1" << QByteArray("QX1ABC") << true;
    QTest::newRow("contains qx1: qx1xyz/p")
        << kCall << contains << "qx1" << QByteArray("qx1xyz/p") << true;
    QTest::newRow("contains qx1: OE/QX1ABC")
        << kCall << contains << "qx1" << QByteArray("OE/QX1ABC") << true;
    QTest::newRow("contains qx1: QX2ABC")
        << kCall << contains << "qx1" << QByteArray("QX2ABC") << false;
    QTest::newRow("is ignores case") << kBand << is << "2M" << QByteArray("2m") << true;
    QTest::newRow("is not ignores case") << kBand << isNot << "2M" << QByteArray("2m") << false;
    QTest::newRow("contains not") << kCall << containsNot << "/p" << QByteArray("QX1ABC/P")
                                  << false;
    QTest::newRow("only a to z change case")
        << kName << is << QString::fromUtf8("J\u00dcRGEN") << QByteArray("j\xfcrgen") << false;
    QTest::newRow("QSL in after: same day")
        << kQslIn << greater << "01.01.2004" << QByteArray("01.01.2004") << false;
    QTest::newRow("QSL in after: earlier year, larger day")
        << kQslIn << greater << "01.01.2004" << QByteArray("15.01.2003") << false;
    QTest::newRow("QSL in after: empty")
        << kQslIn << greater << "01.01.2004" << QByteArray() << false;
    QTest::newRow("date before: unreadable stored date")
        << kDate << less << "01.01.2004" << QByteArray("32.13.2003") << false;

    QTest::newRow("power below 5W: 0,5W") << kTxPwr << less << "5W" << QByteArray("0,5W") << true;
    QTest::newRow("power below 5W: 10W") << kTxPwr << less << "5W" << QByteArray("10W") << false;
    QTest::newRow("power below 5W: stored without unit")
        << kTxPwr << less << "5W" << QByteArray("100") << false;
    QTest::newRow("power above 0,5: text without unit")
        << kTxPwr << greater << "0,5" << QByteArray("1W") << true;

    QTest::newRow("number above 9: 10") << 0 << greater << "9" << QByteArray("10") << true;
    QTest::newRow("UTC before noon: noon")
        << kUtc << less << "12:00:00" << QByteArray("12:00:00") << false;
}

void TestQsoSearch::oneCriterion() {
    QFETCH(int, field);
    QFETCH(int, op);
    QFETCH(QString, text);
    QFETCH(QByteArray, value);
    QFETCH(bool, passes);
    QsoSearch::TQsoSearch search({{field, Operator(op), text}}, QString());
    const TQsoRecord record = withField(field, value);
    QCOMPARE(search.matches(record), passes);
    QCOMPARE(search.matches(CompactQso(record)), passes);
}

void TestQsoSearch::unreadableSearchTextStops_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("text");
    QTest::newRow("number with letters") << 0 << int(Operator::Greater) << "abc";
    QTest::newRow("date in another form") << kDate << int(Operator::Greater) << "2004-01-01";
    QTest::newRow("hour 25") << kUtc << int(Operator::Less) << "25:00:00";
    QTest::newRow("power in mW") << kTxPwr << int(Operator::Less) << "500mW";
    QTest::newRow("power with a point") << kTxPwr << int(Operator::Less) << "0.5W";
}

void TestQsoSearch::unreadableSearchTextStops() {
    QFETCH(int, field);
    QFETCH(int, op);
    QFETCH(QString, text);
    try {
        QsoSearch::TQsoSearch search(
            {{kCall, Operator::Contains, "QX"}, {field, Operator(op), text}}, QString());
        QFAIL("no error");
    } catch (const DaluError& e) {
        QVERIFY2(e.message().contains('"' + text + '"'), qPrintable(e.message()));
    }
    // The same text is a plain text for the text operators.
    QsoSearch::TQsoSearch plain({{field, Operator::Is, text}}, QString());
    QVERIFY(!plain.matches(withField(field, "x")));
}

void TestQsoSearch::dxccFollowsTheReferenceFile() {
    TempProgramDir dir;
    dir.writeFile("DXCC.ini", kDxccIni);
    const QString ini = dir.file("DXCC.ini");
    QsoSearch::TQsoSearch island({{QsoSearch::kDxccField, Operator::Is, "qx island"}}, ini);
    QVERIFY(island.matches(withField(kCall, "qx1abc")));
    QVERIFY(island.matches(withField(kCall, "QX1ABC/P")));
    QVERIFY(!island.matches(withField(kCall, "QX2ABC"))); // Qx Mainland
    QVERIFY(!island.matches(withField(kCall, "QX")));     // too short for a lookup
    QsoSearch::TQsoSearch austria({{QsoSearch::kDxccField, Operator::Contains, "AUS"}}, ini);
    QVERIFY(austria.matches(withField(kCall, "OE/QX1ABC")));
    QsoSearch::TQsoSearch none({{QsoSearch::kDxccField, Operator::Is, ""}}, ini);
    QVERIFY(none.matches(withField(kCall, "ZZ1ABC")));
}

void TestQsoSearch::findInListsHitsWithTheirFilePositions() {
    TempProgramDir dir;
    QList<TQsoRecord> records;
    for (int n : {1, 2, 5, 7}) // numbers that no longer follow the positions
        records.append(LogBuilder::qso(n, n % 2 ? "QX1ABC" : "QX2ABC"));
    records[2][QsoField::Comments] = "first\r\nsecond";
    LogBuilder::writeLog(dir.file("a.log"), records);
    TLogFile log(dir.file("a.log"));

    QsoSearch::TQsoSearch search({{kCall, Operator::Is, "qx1abc"}}, QString());
    QList<CompactQso> hits;
    QList<int> positions;
    search.findIn(log, hits, positions);
    QCOMPARE(positions, QList<int>({1, 3, 4}));
    QCOMPARE(hits.size(), 3);
    QCOMPARE(hits[1].field(0), QByteArrayView("5"));
    QCOMPARE(hits[1].field(kComments), QByteArrayView("first second"));

    QsoSearch::TQsoSearch lines({{kComments, Operator::Contains, "t\r\ns"}}, QString());
    hits.clear();
    positions.clear();
    lines.findIn(log, hits, positions);
    QCOMPARE(positions, QList<int>({3}));
}

void TestQsoSearch::readErrorKeepsTheHitsSoFar() {
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

QTEST_GUILESS_MAIN(TestQsoSearch)
#include "tst_qsosearch.moc"
