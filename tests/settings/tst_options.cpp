#include "dalusession.h"
#include "entrypage.h"
#include "generaloptions.h"
#include "logbuilder.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "presetoptions.h"
#include "serialoptions.h"
#include "tempprogramdir.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace {

// The options pages are usable only while a log is open.
void openLogIn(const TempProgramDir& dir, const QByteArray& ini = {}) {
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
}

bool enabledOnItsPage(const QWidget* w) {
    return w->isEnabledTo(w->parentWidget());
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void loadingWritesNothing();
    void presetIsFlushedAtExitOnly();
    void serialTextMustBeNumberToCount();
    void serialTextCaptions();
    void generalEditsWriteAtOnce();
    void halfHourUtcDifferenceIsReported();
};

void TestOptions::loadingWritesNothing() {
    TempProgramDir dir;
    dir.copyDataFiles();
    const QByteArray ini = "[Allgemein]\r\nEigenesCall=DL1XYZ\r\nUtcDiffAuto=0\r\nUtcDiff=-2\r\n"
                           "QslPath=/tmp/cards/\r\n\r\n";
    dir.writeFile("Dalu.ini", ini);
    DaluSession session;
    TGeneralOptions* general = session.mainForm()->optionsPage->generalOptions;
    QCOMPARE(general->EigCallEdit->text(), QString("DL1XYZ"));
    QCOMPARE(general->UtcDiffEdit->text(), QString("-2"));
    QVERIFY(enabledOnItsPage(general->UtcDiffEdit));
    QCOMPARE(session.mainForm()->entryPage->utcOffsetHours(), -2);
    QCOMPARE(dir.readFile("Dalu.ini"), ini);
}

void TestOptions::presetIsFlushedAtExitOnly() {
    TempProgramDir dir;
    dir.copyDataFiles();
    {
        DaluSession session;
        QTableWidget* editor = session.mainForm()->optionsPage->presetOptions->PreValueListEditor;
        QCOMPARE(editor->item(1, 0)->text(), QString("RST TX"));
        editor->item(1, 1)->setText("599");
        QVERIFY(!dir.readFile("Dalu.ini").contains("RstTx"));
    }
    const TMemIniFile ini(dir.file("Dalu.ini"));
    QCOMPARE(ini.ReadString("Vorgaben", "RstTx", {}), QString("599"));
}

void TestOptions::serialTextMustBeNumberToCount() {
    TempProgramDir dir;
    openLogIn(dir);
    DaluSession session;
    TSerialOptions* serial = session.mainForm()->optionsPage->serialOptions;
    QTest::keyClicks(serial->ErgRstTxTextEdit, "abc");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    serial->ErgRstTxNummerCheckBox->click();
    QVERIFY(!message.isEmpty());
    QVERIFY(!serial->ErgRstTxNummerCheckBox->isChecked());
    QCOMPARE(session.mainForm()->settings().ReadBool("ErgRstTx", "Nummer", true), false);
    serial->ErgRstTxTextEdit->setText("001");
    serial->ErgRstTxNummerCheckBox->click();
    QVERIFY(serial->ErgRstTxNummerCheckBox->isChecked());
    // Changing the text stops the counting and writes the text at once.
    QTest::keyClick(serial->ErgRstTxTextEdit, Qt::Key_5);
    QVERIFY(!serial->ErgRstTxNummerCheckBox->isChecked());
    QCOMPARE(TMemIniFile(dir.file("Dalu.ini")).ReadString("ErgRstTx", "Text", {}), QString("0015"));
}

void TestOptions::serialTextCaptions() {
    TempProgramDir dir;
    dir.copyDataFiles();
    DaluSession session;
    TEntryPage* mask = session.mainForm()->entryPage;
    QCOMPARE(mask->RstTxLabel->text(), QString("RST (+Nr) TX"));
    session.mainForm()->optionsPage->serialOptions->ErgRstTxTextEdit->setText("001");
    QCOMPARE(mask->RstTxLabel->text(), QString("RST + 001 TX"));
    QCOMPARE(mask->RstRxLabel->text(), QString("RST + Nr RX"));
}

void TestOptions::generalEditsWriteAtOnce() {
    TempProgramDir dir;
    openLogIn(dir);
    DaluSession session;
    TGeneralOptions* general = session.mainForm()->optionsPage->generalOptions;
    QVERIFY(general->UtcDiffAutoCheckBox->isChecked());
    QVERIFY(!enabledOnItsPage(general->UtcDiffEdit));
    general->UtcDiffAutoCheckBox->click();
    QVERIFY(enabledOnItsPage(general->UtcDiffEdit));
    general->UtcDiffEdit->setText("3");
    general->QslPathEdit->setText("/tmp/cards");
    QCOMPARE(session.mainForm()->entryPage->utcOffsetHours(), 3);
    const TMemIniFile ini(dir.file("Dalu.ini"));
    QCOMPARE(ini.ReadString("Allgemein", "UtcDiff", {}), QString("3"));
    QCOMPARE(ini.ReadString("Allgemein", "QslPath", {}), QString("/tmp/cards/"));
    QCOMPARE(ini.ReadBool("Allgemein", "UtcDiffAuto", true), false);
}

void TestOptions::halfHourUtcDifferenceIsReported() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nUtcDiffAuto=0\r\nUtcDiff=0,5\r\n");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    DaluSession session;
    QVERIFY2(message.contains("0,5"), qPrintable(message));
    QCOMPARE(session.mainForm()->entryPage->utcOffsetHours(), 0);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
