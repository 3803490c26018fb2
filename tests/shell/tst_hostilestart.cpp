// Start-up and shutdown with crafted settings, a log held elsewhere or changed behind
// the program's back.
#include "dalusession.h"
#include "entrypage.h"
#include "filelock.h"
#include "logbuilder.h"
#include "logfile.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"
#include "tempprogramdir.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// Closes every message box as it shows and keeps its text.
struct MessageBoxCloser {
    MessageBoxCloser() {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                box->reject();
            }
        });
        timer.start();
    }
    ModalDialogs::Expecting expecting; // these boxes are the test's to answer
    QTimer timer;
    QStringList texts;
};

const QByteArray kOnlyCallAndReports =
    "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n";

void typeAndReturn(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

} // namespace

class TestHostileStart : public QObject {
    Q_OBJECT
private slots:
    void lastLogOutsideTheFolderIsNotOpened();
    void logOpenInAnotherInstanceIsNotOpened();
    void hugeGeometryIsClampedToTheScreen();
    void numberFollowsTheRecordsOfAStoppedRefill();
    void logChangedBehindTheProgramIsReadBeforeACommit();
    void unreadableSettingsReportTheirPathOnceAtExit();
};

void TestHostileStart::lastLogOutsideTheFolderIsNotOpened() {
    TempProgramDir dir;
    dir.copyDataFiles();
    QDir(dir.path()).mkdir("outside");
    LogBuilder::writeLog(dir.file("outside/victim.log"), {LogBuilder::qso(1)});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=outside/victim.log\r\n");
    DaluSession session;
    QVERIFY(!session.mainForm()->openLog());
    QVERIFY(!session.mainForm()->MainPageControl->isEnabled());
}

void TestHostileStart::logOpenInAnotherInstanceIsNotOpened() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1)});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    const LogOpenLock otherInstance(dir.file("a.log"));
    QVERIFY(otherInstance.acquired());
    MessageBoxCloser boxes;
    DaluSession session;
    QVERIFY(!session.mainForm()->openLog());
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY(boxes.texts[0].contains("anderen laufenden Dalu"));
}

void TestHostileStart::hugeGeometryIsClampedToTheScreen() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("Dalu.ini", "[Positionen]\r\nMainForm.Width=2147483647\r\nMainForm.Height="
                              "100000\r\nMainForm.Left=-5000000\r\nMainForm.Top=99999\r\n");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    {
        DaluSession session;
        QVERIFY(screen.contains(session.mainForm()->geometry()));
    }
    const TMemIniFile ini(dir.file("Dalu.ini"));
    QVERIFY(ini.ReadInteger("Positionen", "MainForm.Width", 0) <= screen.width());
    QVERIFY(ini.ReadInteger("Positionen", "MainForm.Height", 0) <= screen.height());
}

void TestHostileStart::numberFollowsTheRecordsOfAStoppedRefill() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("a.log", LogBuilder::rawLog({"1;a", "2;b", "3;;;;;;;;;;;;;;;;;too many", "4;d"}));
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    MessageBoxCloser boxes;
    DaluSession session;
    QCOMPARE(boxes.texts.size(), 1); // the bad line
    QCOMPARE(session.mainForm()->entryPage->NumberLabel->text(), QString("3"));
    QCOMPARE(session.mainForm()->listeModel->RowCount(), 3);
}

void TestHostileStart::logChangedBehindTheProgramIsReadBeforeACommit() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n" + kOnlyCallAndReports);
    DaluSession session;
    TMainForm* form = session.mainForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
    const QString band = form->entryPage->BandLabel->text();
    // Another program appends three QSOs with another band.
    TLogFile other(dir.file("a.log"));
    for (int n = 3; n <= 5; ++n) {
        TQsoRecord rec = LogBuilder::qso(n);
        rec[QsoField::Band] = "13cm";
        other.AppendRecord(rec);
    }
    form->entryPage->CallEdit->setFocus();
    typeAndReturn("QX6NEW");
    typeAndReturn("59");
    typeAndReturn("59");
    QList<TQsoRecord> records;
    other.forEachRecord([&](const TQsoRecord& r) { records.append(r); });
    QCOMPARE(records.size(), 6);
    QCOMPARE(records[5][QsoField::Number], QByteArray("6"));
    QCOMPARE(records[5][QsoField::Band], band.toLatin1()); // the mask kept its band
    QCOMPARE(form->listeModel->Cells(5, 6), QString("QX6NEW"));
    QCOMPARE(form->entryPage->NumberLabel->text(), QString("7"));
}

void TestHostileStart::unreadableSettingsReportTheirPathOnceAtExit() {
    TempProgramDir dir;
    dir.copyDataFiles();
    QDir(dir.path()).mkdir("Dalu.ini");
    QTemporaryDir workingDir;
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(workingDir.path());
    MessageBoxCloser boxes;
    {
        DaluSession session;
        QVERIFY(!boxes.texts.isEmpty()); // the settings could not be read
        boxes.texts.clear();
    }
    QDir::setCurrent(oldCurrent);
    // One write at exit, one message, naming the real file.
    QCOMPARE(boxes.texts.size(), 1);
    QVERIFY2(boxes.texts[0].contains(dir.file("Dalu.ini")), qPrintable(boxes.texts[0]));
    QVERIFY(QDir(workingDir.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                .isEmpty());
}

QTEST_MAIN(TestHostileStart)
#include "tst_hostilestart.moc"
