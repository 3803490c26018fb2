#include "logbuilder.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "station.h"
#include "tempprogramdir.h"
#include "testdata.h"

#include <QSignalSpy>

// The current QSO stays with its row while rows are added or rewritten in place, and is
// gone once the lists are filled anew.
class TestQsoLists : public QObject {
    Q_OBJECT
private slots:
    void currentQsoFollowsTheLog_data() {
        columns<QString, int, int>("change", "chosen", "current");
        QTest::newRow("QSO appended") << "append" << 2 << 2;
        QTest::newRow("QSO replaced") << "replace" << 2 << 2;
        QTest::newRow("log read again") << "reload" << 2 << 0;
        QTest::newRow("other log opened") << "switch" << 2 << 0;
        QTest::newRow("position beyond the list") << "none" << 9 << 1;
    }

    void currentQsoFollowsTheLog() {
        QFETCH(QString, change);
        TempProgramDir dir;
        LogBuilder::writeLog(dir.file("a.log"), LogBuilder::qsos(3));
        LogBuilder::writeLog(dir.file("b.log"), LogBuilder::qsos(3));
        Station station;
        station.loadSettings(dir.file("Dalu.ini"));
        QsoLists lists(station);
        QVERIFY(station.openLog(dir.file("a.log")));
        QCOMPARE(lists.upper()->rowCount(), 3);
        lists.setCurrentQso(1);
        QSignalSpy changed(&lists, &QsoLists::currentQsoChanged);
        lists.setCurrentQso(fetched<int>("chosen"));
        if (change == "append")
            station.appendQso(LogBuilder::qso(4));
        else if (change == "replace")
            station.replaceQso(2, LogBuilder::qso(2, "QX9NEW"));
        else if (change == "reload")
            station.reload();
        else if (change == "switch")
            QVERIFY(station.openLog(dir.file("b.log")));
        QFETCH(int, current);
        QCOMPARE(lists.currentQso(), current);
        QCOMPARE(changed.isEmpty() ? 1 : changed.last().at(0).toInt(), current);
    }
};

QTEST_MAIN(TestQsoLists)
#include "tst_qsolists.moc"
