#include "duplicatecheck.h"

#include <QTest>

using DuplicateCheck::Criteria;
using DuplicateCheck::MaskQso;

Q_DECLARE_METATYPE(DuplicateCheck::Criteria)

class TestDuplicateCheck : public QObject {
    Q_OBJECT
private slots:
    void parseOptions_data();
    void parseOptions();
    void formatOptionsRoundTrip();
    void matches_data();
    void matches();
    void firstDuplicateTakesTheFirstRowBelowTheHeader();
};

void TestDuplicateCheck::parseOptions_data() {
    QTest::addColumn<QString>("options");
    QTest::addColumn<bool>("band");
    QTest::addColumn<bool>("mode");
    QTest::addColumn<bool>("date");
    QTest::addColumn<bool>("mended");
    QTest::newRow("default 000") << "000" << false << false << false << false;
    QTest::newRow("all on") << "111" << true << true << true << false;
    QTest::newRow("band only") << "100" << true << false << false << false;
    QTest::newRow("mode and date") << "011" << false << true << true << false;
    QTest::newRow("other digit is off, no error") << "210" << false << true << false << false;
    QTest::newRow("longer value: rest ignored") << "001x" << false << false << true << false;
    QTest::newRow("empty") << "" << false << false << false << true;
    QTest::newRow("short 1") << "1" << true << false << false << true;
    QTest::newRow("short 11") << "11" << true << true << false << true;
    QTest::newRow("letter in the middle") << "1x1" << true << false << true << true;
    QTest::newRow("blank counts as bad") << " 11" << false << true << true << true;
    QTest::newRow("boolean text") << "true" << false << false << false << true;
}

void TestDuplicateCheck::parseOptions() {
    QFETCH(QString, options);
    QFETCH(bool, band);
    QFETCH(bool, mode);
    QFETCH(bool, date);
    QFETCH(bool, mended);
    const DuplicateCheck::ParsedOptions parsed = DuplicateCheck::parseOptions(options);
    QCOMPARE(parsed.criteria.band, band);
    QCOMPARE(parsed.criteria.mode, mode);
    QCOMPARE(parsed.criteria.date, date);
    QCOMPARE(parsed.mended, mended);
}

void TestDuplicateCheck::formatOptionsRoundTrip() {
    for (int bits = 0; bits < 8; ++bits) {
        const Criteria c{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        const QString text = DuplicateCheck::formatOptions(c);
        QCOMPARE(text.size(), 3);
        const DuplicateCheck::ParsedOptions back = DuplicateCheck::parseOptions(text);
        QVERIFY(!back.mended);
        QVERIFY(back.criteria == c);
    }
    QCOMPARE(DuplicateCheck::formatOptions({true, false, true}), QString("101"));
}

void TestDuplicateCheck::matches_data() {
    QTest::addColumn<Criteria>("criteria");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("band");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("duplicate");
    // The mask: QX1ABC on 2m FM, 01.06.2004.
    const Criteria none;
    const Criteria band{true, false, false};
    const Criteria mode{false, true, false};
    const Criteria date{false, false, true};
    const Criteria all{true, true, true};
    const auto row = [](const char* name, Criteria c, const char* call, const char* band,
                        const char* mode, const char* date, bool duplicate) {
        QTest::newRow(name) << c << QString(call) << QString(band) << QString(mode) << QString(date)
                            << duplicate;
    };
    row("switches off: other band and day", none, "QX1ABC", "20m", "SSB", "05.07.2005", true);
    row("band on: other band", band, "QX1ABC", "20m", "FM", "01.06.2004", false);
    row("band on: same band", band, "QX1ABC", "2m", "SSB", "05.07.2005", true);
    row("band compared exactly", band, "QX1ABC", "2M", "FM", "01.06.2004", false);
    row("mode on: upper-cased", mode, "QX1ABC", "20m", "fm", "05.07.2005", true);
    row("mode on: other mode", mode, "QX1ABC", "2m", "SSB", "01.06.2004", false);
    row("date on: other day", date, "QX1ABC", "2m", "FM", "02.06.2004", false);
    row("date on: same day", date, "QX1ABC", "20m", "SSB", "01.06.2004", true);
    row("all on: all equal", all, "QX1ABC", "2m", "FM", "01.06.2004", true);
    row("lower-case call is the same", none, "qx1abc", "2m", "FM", "01.06.2004", true);
    row("portable suffix is another call", none, "QX1ABC/P", "2m", "FM", "01.06.2004", false);
    row("a longer call is no prefix match", none, "QX1ABCD", "2m", "FM", "01.06.2004", false);
}

void TestDuplicateCheck::matches() {
    QFETCH(Criteria, criteria);
    QFETCH(QString, call);
    QFETCH(QString, band);
    QFETCH(QString, mode);
    QFETCH(QString, date);
    QFETCH(bool, duplicate);
    const MaskQso mask{"QX1ABC", "2m", "FM", "01.06.2004"};
    QCOMPARE(DuplicateCheck::matches(criteria, mask, call, band, mode, date), duplicate);
}

void TestDuplicateCheck::firstDuplicateTakesTheFirstRowBelowTheHeader() {
    // Grid rows: 0 is the header (here a call that would match), 1 ... are QSOs.
    const QStringList calls = {"QX1ABC", "DL1AA", "QX1ABC", "QX1ABC"};
    auto field = [&](int row, QsoField f) {
        return f == QsoField::Call ? calls.at(row) : QString();
    };
    const MaskQso mask{"qx1abc", "", "", ""};
    QCOMPARE(DuplicateCheck::firstDuplicate({}, mask, calls.size(), field), 2);
    QCOMPARE(DuplicateCheck::firstDuplicate({}, {"DL1AA", "", "", ""}, calls.size(), field), 1);
    QCOMPARE(DuplicateCheck::firstDuplicate({}, {"DL2BB", "", "", ""}, calls.size(), field), 0);
    QCOMPARE(DuplicateCheck::firstDuplicate({}, mask, 2, field), 0);
}

QTEST_APPLESS_MAIN(TestDuplicateCheck)
#include "tst_duplicatecheck.moc"
