#include "logbuilder.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "station.h"
#include "tempprogramdir.h"
#include "testdata.h"

#include <QAbstractItemModelTester>
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

    // A big log's edits wait in its journal, the lists show them at once, and the file
    // takes them when the station is idle or the log is closed.
    void bigLogEditsFoldIntoTheFile() {
        TempProgramDir dir;
        const QString path = dir.file("a.log");
        LogBuilder::writeLog(path, LogBuilder::qsos(3));
        const QByteArray before = dir.readFile("a.log");
        const qint64 threshold = std::exchange(LogJournal::minLogBytes, 0);
        Station station;
        station.loadSettings(dir.file("Dalu.ini"));
        QsoLists lists(station);
        QAbstractItemModelTester tester(lists.upper());
        QVERIFY(station.openLog(path));
        station.replaceQso(2, LogBuilder::qso(2, "QX9NEW"));
        QCOMPARE(lists.upper()->cell(1, int(QsoField::Call)), QString("QX9NEW"));
        QCOMPARE(dir.readFile("a.log"), before);
        QVERIFY(LogJournal::exists(path));
        QTRY_VERIFY(!LogJournal::exists(path));
        QCOMPARE(LogBuilder::readLog(path).at(1)[QsoField::Call], QByteArray("QX9NEW"));
        QVERIFY(!station.refreshIfChanged()); // the fold is no change behind the lists
        station.replaceQso(3, LogBuilder::qso(3, "QX8NEW"));
        station.appendQso(LogBuilder::qso(4));
        station.closeLog();
        LogJournal::minLogBytes = threshold;
        QList<TQsoRecord> expected = LogBuilder::qsos(4);
        expected[1] = LogBuilder::qso(2, "QX9NEW");
        expected[2] = LogBuilder::qso(3, "QX8NEW");
        QCOMPARE(LogBuilder::readLog(path), expected);
        QVERIFY(!LogJournal::exists(path));
    }
};

QTEST_MAIN(TestQsoLists)
#include "tst_qsolists.moc"
