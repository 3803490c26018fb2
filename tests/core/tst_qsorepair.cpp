#include "daluerror.h"
#include "logbuilder.h"
#include "qsorepair.h"

#include <QTest>

#include <algorithm>

namespace {
const QDate kToday(2026, 12, 6);
const QTime kNow(21, 5, 9);
} // namespace

class TestQsoRepair : public QObject {
    Q_OBJECT
private slots:
    void conversions_data() {
        QTest::addColumn<QByteArray>("fieldName");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QByteArray>("comments");
        const auto row = [](const char* name, const char* field, const QByteArray& input,
                            const QByteArray& output, const QByteArray& comments = {}) {
            QTest::newRow(name) << QByteArray(field) << input << output << comments;
        };
        row("power number gets W", "TX Pwr", "100", "100W");
        row("power signed number", "TX Pwr", " +5", " +5W");
        row("power 5 Watt", "TX Pwr", "5 Watt", "1W", " / 5 WATT");
        row("power milliwatt", "TX Pwr", "500mW", "0,5W");
        row("power kilowatt", "TX Pwr", "2kw", "2000W");
        row("power decimal kilowatt", "TX Pwr", "1,5KW", "1500W");
        row("power empty", "TX Pwr", {}, "1W");
        row("date ddmmyy", "Date", "050604", "05.06.2004");
        row("date ddmmyyyy", "Date", "05061999", "05.06.1999");
        row("date short parts", "Date", "5.6.2004", "05.06.2004");
        row("date two-digit year", "Date", "05.06.85", "05.06.1985");
        row("date invalid", "Date", "31.02.2004", "06.12.2026", " / 31.02.2004");
        row("date empty", "Date", {}, "06.12.2026", " / ");
        row("qsl in ddmmyyyy", "QSL in", "05062004", "05.06.2004");
        row("qsl out empty stays", "QSL out", {}, {});
        row("qsl out unreadable", "QSL out", "soon", {}, " / soon");
        row("time hhnn", "UTC", "1731", "17:31:00");
        row("time hhnnss", "UTC", "173105", "17:31:05");
        row("time h:n", "UTC", "7:5", "07:05:00");
        row("time invalid", "UTC", "25:00", "21:05:09", " / 25:00");
    }
    void conversions() {
        QFETCH(QByteArray, fieldName);
        QFETCH(QByteArray, input);
        TQsoRecord rec = LogBuilder::qso(1);
        rec[QsoField::Comments].clear();
        const TQsoRecord probe = LogBuilder::record({{fieldName.constData(), "x"}});
        const int index =
            int(std::find(probe.fields.begin(), probe.fields.end(), "x") - probe.fields.begin());
        rec.fields[index] = input;
        QsoRepair::normalise(rec, 1, kToday, kNow);
        QTEST(rec.fields[index], "output");
        QTEST(rec[QsoField::Comments], "comments");
    }

    void notesCollectInOrder() {
        TQsoRecord rec = *QsoLine::split(";bad date;bad time;;;;;;;;;;qrp;old;x1;x2");
        QsoRepair::normalise(rec, 3, kToday, kNow);
        QCOMPARE(rec[QsoField::Comments], QByteArray("old / QRP / bad date / x1 / x2 / bad time"));
    }

    void caseAndNumber() {
        TQsoRecord rec = *QsoLine::split("77;01.01.2004;10:00:00;2M;ssb;qx1\xe4;;;z10;erika;;"
                                         "jo54ah;10w;;;");
        QsoRepair::normalise(rec, 4, kToday, kNow);
        // Only a to z change case; the name is kept as typed.
        QCOMPARE(QsoLine::join(rec),
                 "4;01.01.2004;10:00:00;2m;SSB;QX1\xe4;;;Z10;erika;;JO54AH;10W;;;");
    }

    // Also a number whose watts overflow is no readable power.
    void powerBeforeUnitMustBeNumber() {
        for (const char* power : {"AMW", "1e308KW"}) {
            TQsoRecord rec = LogBuilder::qso(1);
            rec[QsoField::TxPwr] = power;
            QVERIFY_THROWS_EXCEPTION(DaluError, QsoRepair::normalise(rec, 1, kToday, kNow));
        }
    }
};

QTEST_APPLESS_MAIN(TestQsoRepair)
#include "tst_qsorepair.moc"
