// Start-up and shutdown with crafted settings, a log held elsewhere or changed behind
// the program's back.
#include "../entry/maskfixture.h"
#include "entrypage.h"
#include "filelock.h"
#include "logfile.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"
#include "regularfile.h"
#include "settingsdriver.h"
#include "widgettest.h"

class TestHostileStart : public QObject {
    Q_OBJECT
private slots:
    void lastLogIsNotOpened_data() {
        // message: empty: none
        columns<QString, QString>("lastLog", "message");
        QTest::newRow("vanished") << "gone.log" << QString();
        QTest::newRow("outside the folder") << "outside/victim.log" << QString();
        QTest::newRow("open in another instance") << QString("a.log") << "anderen laufenden Dalu";
    }

    void lastLogIsNotOpened() {
        QFETCH(QString, message);
        SessionFixture s(nullptr);
        QDir(s.dir.path()).mkdir("outside");
        LogBuilder::writeLog(s.dir.file("outside/victim.log"), {LogBuilder::qso(1)});
        LogBuilder::writeLog(s.dir.file("a.log"), {LogBuilder::qso(1)});
        const LogOpenLock otherInstance(s.dir.file("a.log"));
        ModalDialogs::MessageBoxLog boxes;
        s.start("[Allgemein]\r\nLastLogFileName=" + fetched<QString>("lastLog").toUtf8() + "\r\n");
        QVERIFY(!s.form->station().log() && !s.shell().pagesEnabled());
        QCOMPARE(boxes.texts.size(), message.isEmpty() ? 0 : 1);
        QVERIFY(boxes.texts.join("").contains(message));
    }

    void hugeGeometryIsClampedToTheScreen() {
        SessionFixture s(nullptr);
        s.start("[Positionen]\r\nMainForm.Width=2147483647\r\nMainForm.Height=100000\r\n"
                "MainForm.Left=-5000000\r\nMainForm.Top=99999\r\n",
                false);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(s.form->geometry()));
        s.stop();
        const TMemIniFile ini(s.dir.file("Dalu.ini"));
        QVERIFY(ini.ReadInteger("Positionen", "MainForm.Width", 0) <= screen.width());
        QVERIFY(ini.ReadInteger("Positionen", "MainForm.Height", 0) <= screen.height());
    }

    void numberFollowsTheRecordsOfAStoppedRefill() {
        SessionFixture s(nullptr);
        s.dir.writeFile("a.log",
                        LogBuilder::rawLog({"1;a", "2;b", "3;;;;;;;;;;;;;;;;;too many", "4;d"}));
        ModalDialogs::MessageBoxLog boxes;
        s.start("[Allgemein]\r\nLastLogFileName=a.log\r\n");
        QCOMPARE(boxes.texts.size(), 1); // the bad line
        QCOMPARE(EntryDriver(s.form->entryPage).label("NumberLabel")->text(), QString("3"));
        QCOMPARE(s.form->lists().upper()->rowCount(), 2);
    }

    void logChangedBehindTheProgramIsReadBeforeACommit() {
        MaskFixture s(LogBuilder::qsos(2), showOnly(""));
        const QString band = s.entry.label("BandLabel")->text();
        // Another program appends three QSOs with another band.
        TLogFile other(s.dir.file("a.log"));
        for (TQsoRecord rec : LogBuilder::qsos(3, 3)) {
            rec[QsoField::Band] = "13cm";
            other.AppendRecord(rec);
        }
        s.type({"QX6NEW", "59", "59"});
        const QList<TQsoRecord> records = LogBuilder::readLog(s.dir.file("a.log"));
        QCOMPARE(records.size(), 6);
        QCOMPARE(records[5][QsoField::Number] + records[5][QsoField::Band],
                 "6" + band.toLatin1()); // the mask kept its band
        QCOMPARE(s.form->lists().upper()->cell(5, 5), QString("QX6NEW"));
        QCOMPARE(s.entry.label("NumberLabel")->text(), QString("7"));
    }

    // A settings file that could not be read is never written over: the settings live in
    // memory and the exit says once, naming the real file, that they were not saved.
    void unreadableSettingsAreLeftAsTheyAre_data() {
        columns<bool>("folder");
        QTest::newRow("a folder") << true;
        QTest::newRow("over the size cap") << false;
    }
    void unreadableSettingsAreLeftAsTheyAre() {
        QFETCH(bool, folder);
        SessionFixture s(nullptr);
        const QByteArray big =
            "[Allgemein]\r\nEigenesCall=QX1OWN\r\n" + QByteArray(RegularFile::kSmallFileLimit, ';');
        if (folder)
            QDir(s.dir.path()).mkdir("Dalu.ini");
        else
            s.dir.writeFile("Dalu.ini", big);
        QTemporaryDir workingDir;
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(workingDir.path());
        ModalDialogs::MessageBoxLog boxes;
        s.start();
        QVERIFY(!boxes.texts.isEmpty()); // the settings could not be read
        boxes.texts.clear();
        // A change, flushed at once.
        SettingsDriver(s.form->optionsPage).checkBox("clockShowChkBtn")->click();
        QVERIFY(boxes.texts.isEmpty());
        s.stop();
        QDir::setCurrent(oldCurrent);
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY2(boxes.texts[0].contains(s.dir.file("Dalu.ini")) &&
                     boxes.texts[0].contains("nicht gespeichert"),
                 qPrintable(boxes.texts[0]));
        QVERIFY(folder ? QFileInfo(s.dir.file("Dalu.ini")).isDir() : s.ini() == big);
        QVERIFY(QDir(workingDir.path())
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                    .isEmpty());
    }
};

QTEST_MAIN(TestHostileStart)
#include "tst_hostilestart.moc"
