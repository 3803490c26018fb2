// What the entry mask derives from its fields and the radio: serials, power steps, UTC,
// duplicates, band and mode, bearing and distance.
#include "bandmode.h"
#include "bandplan.h"
#include "duplicatecheck.h"
#include "errorof.h"
#include "locator.h"
#include "maskrules.h"
#include "rigfollow.h"
#include "testdata.h"
#include "textrows.h"

#include <QPoint>
#include <QTest>

#include <algorithm>

#include <time.h>

using DuplicateCheck::Criteria;
using DuplicateCheck::MaskQso;

namespace {

// Switches written as text: "band mode date", each 1 or 0.
QString text(const Criteria& c) {
    return QString("%1%2%3").arg(int(c.band)).arg(int(c.mode)).arg(int(c.date));
}

} // namespace

class TestMaskRules : public QObject {
    Q_OBJECT
private slots:
    void bandAndModeTables() {
        using namespace BandMode;
        QCOMPARE(
            (QList<int>{TextToBandIndex("70CM"), TextToBandIndex("5m"), TextToBandIndex("2200m"),
                        TextToModeIndex("pactor"), TextToModeIndex("MFSK")}),
            (QList<int>{6, kOtherBand, 21, 14, kOtherMode}));
        QCOMPARE(ModeIndexToText(14) + BandIndexToText(kOtherBand) + BandIndexToText(-1), "Pactor");
        for (int i = 0; i < bandTexts().size(); ++i)
            QCOMPARE(TextToBandIndex(BandIndexToText(i)), i);
        // The old entries stay, so that old logs still show theirs.
        for (const char* old : {"13cm", "23cm", "70cm", "2m", "10m", "15m", "17m", "20m", "30m",
                                "40m", "80m", "160m"})
            QVERIFY(bandTexts().contains(old));
        for (const char* old :
             {"CW", "SSB", "AM", "FM", "SSTV", "ATV", "PR", "PSK", "RTTY", "Pactor", "FAX"})
            QVERIFY(modeTexts().contains(old));
    }

    // Type-ahead takes the entry named exactly or the first that starts so, never another.
    void typeAhead_data() {
        addColumns<bool, QString, QString>("band", "typed", "taken");
        const auto row = [](const char* name, bool band, const char* typed, const char* taken) {
            QTest::newRow(name) << band << QString(typed) << QString(taken);
        };
        row("FT8 is not FM", false, "FT8", "FT8");
        row("start of a mode", false, "ft", "FT8");
        row("exact before longer", false, "psk", "PSK");
        row("start of a longer one", false, "PSK3", "PSK31");
        row("no such mode", false, "FX", "");
        row("2m, not 2200m", true, "2m", "2m");
        row("start of a band", true, "22", "2200m");
        row("dotted band", true, "1.", "1.25cm");
        row("no such band", true, "5m", "");
    }
    void typeAhead() {
        const QStringList& entries =
            fetched<bool>("band") ? BandMode::bandTexts() : BandMode::modeTexts();
        const int index = BandMode::matchIndex(entries, fetched<QString>("typed"));
        QTEST(index < 0 ? QString() : entries.at(index), "taken");
    }

    void appendSerial_data() {
        addTextRows("report", "result",
                    {{"appended with one blank", "59|001", "59 001"},
                     {"trailing blanks dropped first", "59  |001", "59 001"},
                     {"already there", "59 001|001", "59 001"},
                     {"no serial text", "59|", "59"},
                     {"serial trimmed", "599| 12\t", "599 12"}});
    }
    void appendSerial() {
        QFETCH(QString, report);
        QTEST(MaskRules::appendSerial(report.section('|', 0, 0), report.section('|', 1)), "result");
    }

    void nextSerial_data() {
        addTextRows("text", "next",
                    {{"099", "099", "100"},
                     {"999", "999", "1000"},
                     {"1", "1", "002"},
                     {"not a number", "A1", ""},
                     {"empty", "", ""}});
    }
    void nextSerial() {
        QTEST(MaskRules::nextSerial(fetched<QString>("text")).value_or(QString()), "next");
    }

    void powerSteps() {
        QList<int> up{2}, down{40};
        while (up.last() < 40)
            up.append(MaskRules::powerUp(up.last()));
        while (MaskRules::powerDown(down.last()) != down.last())
            down.append(MaskRules::powerDown(down.last()));
        QCOMPARE(up, (QList<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 30, 40}));
        QCOMPARE(down, QList<int>(up.crbegin(), up.crend())); // and down to 2, where it stays
        QCOMPARE((QList<int>{MaskRules::powerDown(3), MaskRules::powerTag("100W"),
                             MaskRules::powerTag("0,5W"), MaskRules::powerTag("W")}),
                 (QList<int>{1, 100, 0, 0}));
    }

    void wholeHours_data() {
        addTextRows(
            "text", "hours",
            {{"minus one", "-1", "-1"}, {"half hour", "0,5", "none"}, {"lone minus", "-", "none"}});
    }
    void wholeHours() {
        QFETCH(QString, text);
        const std::optional<int> parsed = MaskRules::wholeHours(text);
        QTEST(parsed ? QString::number(*parsed) : QString("none"), "hours");
    }

    // Berlin: 29.03.2026 02:00 CET -> 03:00 CEST; 25.10.2026 03:00 CEST -> 02:00 CET.
    void utcAcrossDaylightSavingChanges_data() {
        addTextRows("instant", "hours", // the system clock in UTC; the manual difference
                    {{"spring, automatic", "2026-03-29T01:30:00Z", "auto"},
                     {"spring, manual -2 on summer time", "2026-03-29T01:30:00Z", "-2"},
                     {"spring, manual -1 before the change", "2026-03-29T00:30:00Z", "-1"},
                     {"autumn, automatic, second 02:30", "2026-10-25T01:30:00Z", "auto"},
                     {"autumn, manual -2 in the first 02:30", "2026-10-25T00:30:00Z", "-2"},
                     {"autumn, manual -1 after the change", "2026-10-25T02:30:00Z", "-1"}});
    }
    void utcAcrossDaylightSavingChanges() {
        QFETCH(QString, hours);
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const QDateTime utc = QDateTime::fromString(fetched<QString>("instant"), Qt::ISODate);
        const QDateTime shown =
            MaskRules::maskUtc(utc.toLocalTime(), hours == "auto", hours.toInt());
        QCOMPARE(shown.toString("dd.MM.yyyy HH:mm:ss"), utc.toString("dd.MM.yyyy HH:mm:ss"));
    }

    // "!" marks a value that was mended.
    void parseOptions_data() {
        addTextRows("options", "switches",
                    {{"other digit is off, no error", "210", "010"},
                     {"longer value: rest ignored", "001x", "001"},
                     {"empty", "", "000!"},
                     {"short 1", "1", "100!"},
                     {"letter in the middle", "1x1", "101!"},
                     {"blank counts as bad", " 11", "011!"}});
    }
    void parseOptions() {
        QFETCH(QString, options);
        const DuplicateCheck::ParsedOptions parsed = DuplicateCheck::parseOptions(options);
        QTEST(text(parsed.criteria) + (parsed.mended ? "!" : ""), "switches");
    }

    void formatOptionsRoundTrip() {
        for (int bits = 0; bits < 8; ++bits) {
            const Criteria c{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            const QString formatted = DuplicateCheck::formatOptions(c);
            const DuplicateCheck::ParsedOptions back = DuplicateCheck::parseOptions(formatted);
            QCOMPARE(formatted + text(back.criteria) + (back.mended ? "!" : ""), text(c) + text(c));
        }
    }

    void matches_data() {
        addColumns<QString, QString, bool>("switches", "qso", "duplicate"); // call band mode date
        const auto row = [](const char* name, const char* switches, const char* qso, bool dup) {
            QTest::newRow(name) << QString(switches) << QString(qso) << dup;
        };
        // The mask: QX1ABC on 2m FM, 01.06.2004.
        row("switches off: other band and day", "000", "QX1ABC 20m SSB 05.07.2005", true);
        row("band on: other band", "100", "QX1ABC 20m FM 01.06.2004", false);
        row("band on: same band", "100", "QX1ABC 2m SSB 05.07.2005", true);
        row("band compared exactly", "100", "QX1ABC 2M FM 01.06.2004", false);
        row("mode on: upper-cased", "010", "QX1ABC 20m fm 05.07.2005", true);
        row("mode on: other mode", "010", "QX1ABC 2m SSB 01.06.2004", false);
        row("date on: other day", "001", "QX1ABC 2m FM 02.06.2004", false);
        row("date on: same day", "001", "QX1ABC 20m SSB 01.06.2004", true);
        row("lower-case call is the same", "000", "qx1abc 2m FM 01.06.2004", true);
        row("a longer call is no prefix match", "000", "QX1ABCD 2m FM 01.06.2004", false);
    }
    void matches() {
        const QStringList q = fetched<QString>("qso").split(' ');
        const Criteria criteria =
            DuplicateCheck::parseOptions(fetched<QString>("switches")).criteria;
        const MaskQso mask{"QX1ABC", "2m", "FM", "01.06.2004"};
        QTEST(DuplicateCheck::matches(criteria, mask, q[0], q[1], q[2], q[3]), "duplicate");
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

    // The IARU Region 1 band plan's edges, written out here rather than taken from the table.
    void bandEdges_data() {
        addColumns<qint64, qint64>("low", "high");
        const QList<std::pair<const char*, std::pair<qint64, qint64>>> plan = {
            {"2200m", {135'700, 137'800}},
            {"630m", {472'000, 479'000}},
            {"160m", {1'810'000, 2'000'000}},
            {"80m", {3'500'000, 3'800'000}},
            {"60m", {5'351'500, 5'366'500}},
            {"40m", {7'000'000, 7'200'000}},
            {"30m", {10'100'000, 10'150'000}},
            {"20m", {14'000'000, 14'350'000}},
            {"17m", {18'068'000, 18'168'000}},
            {"15m", {21'000'000, 21'450'000}},
            {"12m", {24'890'000, 24'990'000}},
            {"10m", {28'000'000, 29'700'000}},
            {"6m", {50'000'000, 54'000'000}},
            {"4m", {70'000'000, 70'500'000}},
            {"2m", {144'000'000, 146'000'000}},
            {"70cm", {430'000'000, 440'000'000}},
            {"23cm", {1'240'000'000, 1'300'000'000}},
            {"13cm", {2'300'000'000, 2'450'000'000}},
            {"9cm", {3'400'000'000, 3'475'000'000}},
            {"6cm", {5'650'000'000, 5'850'000'000}},
            {"3cm", {10'000'000'000, 10'500'000'000}},
            {"1.25cm", {24'000'000'000, 24'250'000'000}}};
        // Every band of the band table has its edges here.
        for (const QString& band : BandMode::bandTexts())
            QVERIFY2(std::any_of(plan.begin(), plan.end(),
                                 [&](const auto& entry) { return band == entry.first; }),
                     qPrintable(band));
        for (const auto& [band, edges] : plan)
            QTest::addRow("%s", band) << edges.first << edges.second;
    }
    void bandEdges() {
        QFETCH(qint64, low);
        QFETCH(qint64, high);
        const QString band = QString::fromLatin1(QTest::currentDataTag());
        const auto at = [](qint64 hz) { return BandPlan::bandOfFrequency(hz); };
        QCOMPARE((QStringList{at(low - 1), at(low), at((low + high) / 2), at(high), at(high + 1)}),
                 (QStringList{"", band, band, band, ""}));
    }

    // The rig's mode, then the data mode chosen on the options page.
    void rigModes_data() {
        addTextRows("rig", "mask",
                    {{"USB", "USB FT8", "SSB"},
                     {"LSB", "LSB FT8", "SSB"},
                     {"CW reverse", "CWR FT8", "CW"},
                     {"data on USB", "PKTUSB FT8", "FT8"},
                     {"data on LSB, chosen mode", "PKTLSB RTTY", "RTTY"},
                     {"data on FM is packet", "PKTFM FT8", "PR"},
                     {"wide FM", "WFM FT8", "FM"},
                     {"RTTY reverse", "RTTYR FT8", "RTTY"},
                     {"not in the mode table", "D-STAR FT8", ""}});
    }
    void rigModes() {
        QFETCH(QString, rig);
        QTEST(RigFollow::maskMode(rig.section(' ', 0, 0), rig.section(' ', 1)), "mask");
    }

    void rigPowerTexts_data() {
        addColumns<double, QString>("watts", "text");
        QTest::newRow("rounded from 10 W") << 37.4 << "37W";
        QTest::newRow("tenths below 10 W") << 2.5 << "2,5W";
        QTest::newRow("whole below 10 W") << 5.0 << "5W";
        QTest::newRow("rounds up to 10 W") << 9.96 << "10W";
    }
    void rigPowerTexts() { QTEST(RigFollow::powerText(fetched<double>("watts")), "text"); }

    // Bearing and distance as shown; "-" for a pair refused, "*" for any bearing from 0 to 360
    // where no one direction is right.
    void paths_data() {
        addColumns<QString, QString, QString>("own", "other", "shown");
        const auto row = [](const char* name, const char* own, const char* other,
                            const char* shown) {
            QTest::newRow(name) << QString(own) << QString::fromUtf8(other)
                                << QString::fromUtf8(shown);
        };
        row("south-east", "JO43SQ", "JN58TD", "166 °, 633 km");
        row("west, across the Atlantic", "JO43SQ", "FN31PR", "293 °, 5935 km");
        row("far east", "JO43SQ", "PM95VQ", "39 °, 8980 km");
        row("one subsquare north", "JO43SQ", "JO43SR", "0 °, 5 km");
        row("mixed case", "Jo43sQ", "jN58Td", "166 °, 633 km");
        row("subsquare Y", "JO43SQ", "jo43sy", "-");
        row("subsquare X", "JO43SQ", "JO43SX", "0 °, 32 km");
        row("four characters", "JO43SQ", "JO43", "-");
        row("seven characters", "JO43SQ", "JO43SQA", "-");
        row("field letter S", "JO43SQ", "SS43SQ", "180 °, 3624 km");
        row("field letter T", "JO43SQ", "JT43SQ", "-");
        row("letter for a digit", "JO43SQ", "JOA3SQ", "-");
        row("digit for a subsquare", "JO43SQ", "JO4309", "-");
        row("non-ASCII field", "JO43SQ", "ÄO43SQ", "-");
        row("malformed own locator", "JO43S", "JN58TD", "-");
        // Degenerate paths stay finite. The antipode of JO43SQ's centre: latitude and longitude
        // mirrored exactly.
        row("antipodal", "JO43SQ", "AD46SH", "*, 19997 km");
        // Same latitude, longitudes 180 degrees apart: the path runs north over the pole.
        row("opposite longitudes", "JO43SQ", "AO43SQ", "360 °, 8068 km");
        row("southernmost to northernmost", "AA00AA", "AR09AX", "0 °, 19992 km");
        row("identical at the edge of the map", "RR99XX", "RR99XX", "0 °, 0 km");
    }
    void paths() {
        QFETCH(QString, own);
        QFETCH(QString, other);
        QFETCH(QString, shown);
        QString bearing = "kept", distance = "kept";
        const QString error = errorOf(
            [&] { LocDistanceBearing(own, other, "Ungültiger Locator", bearing, distance); });
        if (shown == "-") {
            // The message names both locators, and the texts shown before stay.
            QCOMPARE(error, "Ungültiger Locator (" + own + " / " + other + ")");
            QCOMPARE(bearing + distance, QString("keptkept"));
        } else {
            bool whole = false;
            const int degrees = bearing.chopped(2).toInt(&whole);
            if (shown.startsWith('*') && whole && degrees >= 0 && degrees <= 360)
                bearing = "*";
            QCOMPARE(bearing + ", " + distance, shown);
        }
    }

    void roundsHalfToEven_data() {
        addColumns<double, QString, QString>("value", "bearing", "distance");
        const auto row = [](const char* name, double value, int rounded) {
            QTest::newRow(name) << value << QString::number(rounded) + QString::fromUtf8(" °")
                                << QString::number(rounded) + " km";
        };
        row("half down to even", 2.5, 2);
        row("half up to even", 3.5, 4);
        row("just below a half", 632.4999, 632);
        row("just above a half", 632.5001, 633);
    }
    void roundsHalfToEven() {
        QFETCH(double, value);
        QTEST(BearingText(value), "bearing");
        QTEST(DistanceText(value), "distance");
    }

    void gridNumbers_data() {
        addColumns<QString, QPoint>("locator", "xy");
        QTest::newRow("JO43") << "JO43" << QPoint(94, 116);
        QTest::newRow("six characters read as four") << "JO43SQ" << QPoint(94, 116);
        QTest::newRow("south-west corner") << "AA00" << QPoint(0, 259);
        QTest::newRow("north-east corner") << "RR99" << QPoint(179, 80);
        QTest::newRow("three characters") << "JO4" << QPoint(-1, -1);
        QTest::newRow("letter for a digit") << "JOA3" << QPoint(-1, -1);
        QTest::newRow("letter for the last digit") << "JO4A" << QPoint(-1, -1);
        // Field letters are not checked: a digit there gives a number off the map.
        QTest::newRow("digit for a field letter") << "0O43" << QPoint(-166, 116);
    }
    void gridNumbers() {
        const TLocatorNr nr = LocatorToNr(fetched<QString>("locator"));
        QTEST(QPoint(nr.x, nr.y), "xy");
    }

    void gridNumbersRoundTripOverTheWholeMap() {
        for (int i = 0; i < 18 * 18 * 100; ++i) {
            const QString locator = QString(QChar('A' + i / 1800)) + QChar('A' + i / 100 % 18) +
                                    QString::number(i % 100).rightJustified(2, '0');
            QCOMPARE(NrToLocator(LocatorToNr(locator.toLower())), locator);
        }
    }
};

QTEST_APPLESS_MAIN(TestMaskRules)
#include "tst_maskrules.moc"
