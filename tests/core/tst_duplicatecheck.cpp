#include "duplicatecheck.h"

#include <QTest>

using DuplicateCheck::Criteria;
using DuplicateCheck::MaskQso;

namespace {

// Switches written as text: "band mode date", each 1 or 0.
QString text(const Criteria& c) {
    return QString("%1%2%3").arg(int(c.band)).arg(int(c.mode)).arg(int(c.date));
}

} // namespace

class TestDuplicateCheck : public QObject {
    Q_OBJECT
private slots:
    void parseOptions_data() {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<bool>("mended");
        QTest::newRow("default 000") << "000"
                                     << "000" << false;
        QTest::newRow("band only") << "100"
                                   << "100" << false;
        QTest::newRow("mode and date") << "011"
                                       << "011" << false;
        QTest::newRow("other digit is off, no error") << "210"
                                                      << "010" << false;
        QTest::newRow("longer value: rest ignored") << "001x"
                                                    << "001" << false;
        QTest::newRow("empty") << ""
                               << "000" << true;
        QTest::newRow("short 1") << "1"
                                 << "100" << true;
        QTest::newRow("short 11") << "11"
                                  << "110" << true;
        QTest::newRow("letter in the middle") << "1x1"
                                              << "101" << true;
        QTest::newRow("blank counts as bad") << " 11"
                                             << "011" << true;
        QTest::newRow("boolean text") << "true"
                                      << "000" << true;
    }
    void parseOptions() {
        QFETCH(QString, options);
        const DuplicateCheck::ParsedOptions parsed = DuplicateCheck::parseOptions(options);
        QTEST(text(parsed.criteria), "switches");
        QTEST(parsed.mended, "mended");
    }

    void formatOptionsRoundTrip() {
        for (int bits = 0; bits < 8; ++bits) {
            const Criteria c{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            QCOMPARE(DuplicateCheck::formatOptions(c), text(c));
            QVERIFY(!DuplicateCheck::parseOptions(text(c)).mended);
        }
    }

    void matches_data() {
        QTest::addColumn<QString>("switches");
        QTest::addColumn<QStringList>("qso"); // call, band, mode, date
        QTest::addColumn<bool>("duplicate");
        // The mask: QX1ABC on 2m FM, 01.06.2004.
        const auto row = [](const char* name, const char* switches, const QStringList& qso,
                            bool duplicate) {
            QTest::newRow(name) << switches << qso << duplicate;
        };
        row("switches off: other band and day", "000", {"QX1ABC", "20m", "SSB", "05.07.2005"},
            true);
        row("band on: other band", "100", {"QX1ABC", "20m", "FM", "01.06.2004"}, false);
        row("band on: same band", "100", {"QX1ABC", "2m", "SSB", "05.07.2005"}, true);
        row("band compared exactly", "100", {"QX1ABC", "2M", "FM", "01.06.2004"}, false);
        row("mode on: upper-cased", "010", {"QX1ABC", "20m", "fm", "05.07.2005"}, true);
        row("mode on: other mode", "010", {"QX1ABC", "2m", "SSB", "01.06.2004"}, false);
        row("date on: other day", "001", {"QX1ABC", "2m", "FM", "02.06.2004"}, false);
        row("date on: same day", "001", {"QX1ABC", "20m", "SSB", "01.06.2004"}, true);
        row("all on: all equal", "111", {"QX1ABC", "2m", "FM", "01.06.2004"}, true);
        row("lower-case call is the same", "000", {"qx1abc", "2m", "FM", "01.06.2004"}, true);
        row("portable suffix is another call", "000", {"QX1ABC/P", "2m", "FM", "01.06.2004"},
            false);
        row("a longer call is no prefix match", "000", {"QX1ABCD", "2m", "FM", "01.06.2004"},
            false);
    }
    void matches() {
        QFETCH(QString, switches);
        QFETCH(QStringList, qso);
        const Criteria criteria = DuplicateCheck::parseOptions(switches).criteria;
        const MaskQso mask{"QX1ABC", "2m", "FM", "01.06.2004"};
        QTEST(DuplicateCheck::matches(criteria, mask, qso[0], qso[1], qso[2], qso[3]), "duplicate");
    }

    void firstDuplicateTakesTheFirstRowBelowTheHeader() {
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
};

QTEST_APPLESS_MAIN(TestDuplicateCheck)
#include "tst_duplicatecheck.moc"
