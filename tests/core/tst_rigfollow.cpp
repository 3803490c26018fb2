#include "bandmode.h"
#include "bandplan.h"
#include "rigfollow.h"

#include <QTest>

class TestRigFollow : public QObject {
    Q_OBJECT
private slots:
    void bandEdges_data();
    void bandEdges();
    void modes_data();
    void modes();
    void powerTexts_data();
    void powerTexts();
};

// The IARU Region 1 band plan's edges, written out here rather than taken from the table.
void TestRigFollow::bandEdges_data() {
    QTest::addColumn<qint64>("low");
    QTest::addColumn<qint64>("high");
    const QList<std::pair<const char*, std::pair<qint64, qint64>>> plan = {
        {"160m", {1'810'000, 2'000'000}},         {"80m", {3'500'000, 3'800'000}},
        {"40m", {7'000'000, 7'200'000}},          {"30m", {10'100'000, 10'150'000}},
        {"20m", {14'000'000, 14'350'000}},        {"17m", {18'068'000, 18'168'000}},
        {"15m", {21'000'000, 21'450'000}},        {"10m", {28'000'000, 29'700'000}},
        {"2m", {144'000'000, 146'000'000}},       {"70cm", {430'000'000, 440'000'000}},
        {"23cm", {1'240'000'000, 1'300'000'000}}, {"13cm", {2'300'000'000, 2'450'000'000}}};
    QCOMPARE(plan.size(), BandMode::bandTexts().size()); // every band of the band table
    for (const auto& [band, edges] : plan)
        QTest::addRow("%s", band) << edges.first << edges.second;
}

void TestRigFollow::bandEdges() {
    QFETCH(qint64, low);
    QFETCH(qint64, high);
    const QString band = QString::fromLatin1(QTest::currentDataTag());
    QCOMPARE(BandPlan::bandOfFrequency(low), band);
    QCOMPARE(BandPlan::bandOfFrequency((low + high) / 2), band);
    QCOMPARE(BandPlan::bandOfFrequency(high), band);
    QCOMPARE(BandPlan::bandOfFrequency(low - 1), QString());
    QCOMPARE(BandPlan::bandOfFrequency(high + 1), QString());
}

void TestRigFollow::modes_data() {
    QTest::addColumn<QString>("rigMode");
    QTest::addColumn<QString>("dataMode");
    QTest::addColumn<QString>("mask");
    QTest::newRow("USB") << "USB"
                         << "FT8"
                         << "SSB";
    QTest::newRow("LSB") << "LSB"
                         << "FT8"
                         << "SSB";
    QTest::newRow("CW reverse") << "CWR"
                                << "FT8"
                                << "CW";
    QTest::newRow("data on USB") << "PKTUSB"
                                 << "FT8"
                                 << "FT8";
    QTest::newRow("data on LSB, chosen mode") << "PKTLSB"
                                              << "RTTY"
                                              << "RTTY";
    QTest::newRow("data on FM is packet") << "PKTFM"
                                          << "FT8"
                                          << "PR";
    QTest::newRow("wide FM") << "WFM"
                             << "FT8"
                             << "FM";
    QTest::newRow("RTTY reverse") << "RTTYR"
                                  << "FT8"
                                  << "RTTY";
    QTest::newRow("not in the mode table") << "D-STAR"
                                           << "FT8"
                                           << "";
}

void TestRigFollow::modes() {
    QFETCH(QString, rigMode);
    QFETCH(QString, dataMode);
    QFETCH(QString, mask);
    QCOMPARE(RigFollow::maskMode(rigMode, dataMode), mask);
}

void TestRigFollow::powerTexts_data() {
    QTest::addColumn<double>("watts");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 100.0 << "100W";
    QTest::newRow("rounded from 10 W") << 37.4 << "37W";
    QTest::newRow("tenths below 10 W") << 2.5 << "2,5W";
    QTest::newRow("whole below 10 W") << 5.0 << "5W";
    QTest::newRow("rounds up to 10 W") << 9.96 << "10W";
}

void TestRigFollow::powerTexts() {
    QFETCH(double, watts);
    QFETCH(QString, text);
    QCOMPARE(RigFollow::powerText(watts), text);
}

QTEST_GUILESS_MAIN(TestRigFollow)
#include "tst_rigfollow.moc"
