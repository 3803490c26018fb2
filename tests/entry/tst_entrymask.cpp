#include "dalusession.h"
#include "datetickpicker.h"
#include "entrypage.h"
#include "logbuilder.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "serialoptions.h"
#include "tempprogramdir.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// A program directory with an open log of the given QSOs and the given settings.
struct Station {
    explicit Station(const QList<TQsoRecord>& qsos = {}, const QByteArray& ini = {}) {
        dir.copyDataFiles();
        LogBuilder::writeLog(dir.file("a.log"), qsos);
        dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
        session = std::make_unique<DaluSession>();
        form = session->mainForm();
        mask = form->entryPage;
        form->show();
        if (!QTest::qWaitForWindowExposed(form))
            qWarning("main window not exposed");
        mask->CallEdit->setFocus();
    }
    QList<QByteArray> logLines() const {
        QList<QByteArray> lines = dir.readFile("a.log").split('\n');
        lines.removeFirst(); // header
        lines.removeLast();  // after the last CR LF
        for (QByteArray& l : lines)
            l.chop(1);
        return lines;
    }
    // Types into the focused field and presses Return.
    void type(const QString& text) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClicks(focused, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    TempProgramDir dir;
    std::unique_ptr<DaluSession> session;
    TMainForm* form = nullptr;
    TEntryPage* mask = nullptr;
};

const QByteArray kOnlyCallAndReports =
    "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n";

} // namespace

class TestEntryMask : public QObject {
    Q_OBJECT
private slots:
    void returnWalksThroughShownFieldsAndCommits();
    void commitWithOnlyCallAndReports();
    void qso42Makes43();
    void presetsRefillWhileBandModePowerCarryOver();
    void shortReportBlocksCommit_data();
    void shortReportBlocksCommit();
    void serialNumberCountsUp();
    void powerEditorArrows_data();
    void powerEditorArrows();
    void escapeClearsToPresets();
    void functionKeysToggleFieldsAndOpenEditors();
    void bandListAndOtherBand();
    void utcOffsetMinusOneHour();
    void failedCommitKeepsMaskAndLists();
    void ctrlReturnInsertsLineInComments();
    void fieldsTakeOnlyWhatTheLogCanHold_data();
    void fieldsTakeOnlyWhatTheLogCanHold();
    void editingKeysWorkInThePowerEditor();
    void enterStepRunsAfterTheInputBox();
};

void TestEntryMask::returnWalksThroughShownFieldsAndCommits() {
    Station s;
    TEntryPage* m = s.mask;
    QTest::keyClicks(m->CallEdit, "qx1abc");
    QCOMPARE(m->CallEdit->text(), QString("QX1ABC"));
    const QString date = m->DateLabel->text();
    QTest::keyClick(m->CallEdit, Qt::Key_Return);
    QVERIFY(m->RstTxEdit->hasFocus());
    QVERIFY(!m->AutoDateTimeTimer->isActive());
    QCOMPARE(m->RstTxLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(m->CallLabel->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    s.type("59");
    s.type("57");
    QVERIFY(m->DokEdit->hasFocus());
    s.type("z10");
    s.type("jo54ah");
    s.type("Kiel");
    QVERIFY(m->NameEdit->hasFocus());
    s.type("Erika");
    QVERIFY(m->CommentsMemo->hasFocus());
    s.type("first QSO");
    QVERIFY(m->QslOutPicker->checkBox()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(m->QslInPicker->checkBox()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const QList<QByteArray> lines = s.logLines();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0], "1;" + date.toLatin1() + ";" + lines[0].split(';')[2] +
                           ";2m;FM;QX1ABC;59;57;Z10;Erika;Kiel;JO54AH;10W;first QSO;;");
    QCOMPARE(s.form->listeModel->Cells(5, 1), QString("QX1ABC"));
    QCOMPARE(s.form->liste2Model->Cells(11, 1), QString("JO54AH"));
    QCOMPARE(m->NumberLabel->text(), QString("2"));
    QVERIFY(m->CallEdit->hasFocus());
    QVERIFY(m->CallEdit->text().isEmpty());
    QVERIFY(m->AutoDateTimeTimer->isActive());
    QCOMPARE(s.form->Liste2StringGrid->Row(), 1);
}

void TestEntryMask::commitWithOnlyCallAndReports() {
    Station s({}, kOnlyCallAndReports);
    QVERIFY(s.mask->DokEdit->isHidden());
    QVERIFY(s.mask->OvValueLabel->isHidden());
    QVERIFY(s.mask->BearingLabel->isHidden());
    s.type("DL1ABC");
    s.type("59");
    s.type("59");
    QCOMPARE(s.logLines().size(), 1);
    QVERIFY(s.logLines()[0].contains(";DL1ABC;59;59;;;;;10W;;;"));
}

void TestEntryMask::qso42Makes43() {
    QList<TQsoRecord> qsos;
    for (int n = 1; n <= 41; ++n)
        qsos.append(LogBuilder::qso(n));
    Station s(qsos, kOnlyCallAndReports);
    QCOMPARE(s.mask->NumberLabel->text(), QString("42"));
    s.type("QX42ABC");
    s.type("59");
    s.type("59");
    QCOMPARE(s.mask->NumberLabel->text(), QString("43"));
    QCOMPARE(s.form->listeModel->Cells(5, 42), QString("QX42ABC"));
    QCOMPARE(s.form->liste2Model->Cells(0, 42), QString("42"));
    QCOMPARE(s.form->liste2Model->RowCount(), 43);
    QCOMPARE(s.logLines().size(), 42);
    QVERIFY(s.logLines()[41].startsWith("42;"));
}

void TestEntryMask::presetsRefillWhileBandModePowerCarryOver() {
    TQsoRecord last = LogBuilder::qso(1);
    last[QsoField::Band] = "40m";
    last[QsoField::Mode] = "CW";
    last[QsoField::TxPwr] = "5W";
    Station s({last}, kOnlyCallAndReports + "[Vorgaben]\r\nRstTx=599\r\nRstRx=5NN\r\n");
    QCOMPARE(s.mask->RstTxEdit->text(), QString("599"));
    s.type("OE3XYZ");
    QTest::keyClick(s.mask->RstTxEdit, Qt::Key_Return);
    QTest::keyClick(s.mask->RstRxEdit, Qt::Key_Return);
    QVERIFY(s.logLines()[1].contains(";40m;CW;OE3XYZ;599;5NN;"));
    QVERIFY(s.logLines()[1].contains(";5W;"));
    QCOMPARE(s.mask->RstTxEdit->text(), QString("599"));
    QCOMPARE(s.mask->BandLabel->text(), QString("40m"));
    QCOMPARE(s.mask->TxPwrLabel->text(), QString("5W"));
}

void TestEntryMask::shortReportBlocksCommit_data() {
    QTest::addColumn<QString>("rstTx");
    QTest::addColumn<QString>("rstRx");
    QTest::addColumn<QString>("correction"); // typed into the refused field, then Return
    QTest::addColumn<bool>("committed");
    QTest::newRow("report sent of one character") << "5"
                                                  << "59" << QString() << false;
    QTest::newRow("report received of one character") << "59"
                                                      << "5" << QString() << false;
    QTest::newRow("both two characters") << "55"
                                         << "57" << QString() << true;
    QTest::newRow("last report corrected in place") << "59"
                                                    << "5"
                                                    << "7" << true;
}

void TestEntryMask::shortReportBlocksCommit() {
    QFETCH(QString, rstTx);
    QFETCH(QString, rstRx);
    QFETCH(QString, correction);
    QFETCH(bool, committed);
    Station s({}, kOnlyCallAndReports);
    s.type("DL1ABC");
    s.type(rstTx);
    s.type(rstRx);
    if (!correction.isEmpty())
        s.type(correction);
    QCOMPARE(s.logLines().isEmpty(), !committed);
    if (!committed) {
        // The short report gets the focus back (and, being entered, its normal colour).
        QLineEdit* shortReport = rstTx.size() < 2 ? s.mask->RstTxEdit : s.mask->RstRxEdit;
        QVERIFY(shortReport->hasFocus());
        QCOMPARE(s.mask->NumberLabel->text(), QString("1"));
    }
}

void TestEntryMask::serialNumberCountsUp() {
    Station s({}, kOnlyCallAndReports + "[ErgRstTx]\r\nText=007\r\nNummer=1\r\n");
    QCOMPARE(s.mask->RstTxLabel->text(), QString("RST + 007 TX"));
    s.type("DL1ABC");
    s.type("59");
    QCOMPARE(s.mask->RstTxEdit->text(), QString("59 007"));
    s.type("59");
    QVERIFY(s.logLines()[0].contains(";59 007;59;"));
    TSerialOptions* serial = s.form->optionsPage->serialOptions;
    QCOMPARE(serial->ErgRstTxTextEdit->text(), QString("008"));
    QVERIFY(serial->ErgRstTxNummerCheckBox->isChecked());
    QCOMPARE(s.form->settings().ReadString("ErgRstTx", "Text", {}), QString("008"));
    s.type("DL2ABC");
    s.type("59");
    QCOMPARE(s.mask->RstTxEdit->text(), QString("59 008"));
}

void TestEntryMask::powerEditorArrows_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("up from 18W") << "18W" << int(Qt::Key_Up) << QStringList{"20W", "30W", "40W"};
    QTest::newRow("down from 3W") << "3W" << int(Qt::Key_Down) << QStringList{"1W", "1W"};
    QTest::newRow("2W stays") << "2W" << int(Qt::Key_Down) << QStringList{"2W"};
    QTest::newRow("down from 40W")
        << "40W" << int(Qt::Key_Down) << QStringList{"30W", "20W", "18W"};
}

void TestEntryMask::powerEditorArrows() {
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(QStringList, steps);
    Station s;
    s.mask->TxPwrLabel->setText(start);
    QTest::mouseDClick(s.mask->TxPwrLabel, Qt::LeftButton);
    QVERIFY(s.mask->TxPwrEdit->isVisible());
    QVERIFY(s.mask->TxPwrEdit->hasFocus());
    for (const QString& step : steps) {
        QTest::keyClick(s.mask->TxPwrEdit, Qt::Key(key));
        QCOMPARE(s.mask->TxPwrEdit->text(), step);
    }
    QTest::keyClick(s.mask->TxPwrEdit, Qt::Key_Return);
    QVERIFY(s.mask->TxPwrEdit->isHidden());
    QCOMPARE(s.mask->TxPwrLabel->text(), steps.last());
    QVERIFY(s.mask->CallEdit->hasFocus());
}

void TestEntryMask::escapeClearsToPresets() {
    Station s({}, "[Vorgaben]\r\nName=Op\r\n");
    s.type("DL1ABC");
    QTest::keyClicks(s.mask->RstTxEdit, "57");
    s.mask->BandLabel->setText("20m");
    QVERIFY(!s.mask->AutoDateTimeTimer->isActive());
    QTest::keyClick(s.mask->RstTxEdit, Qt::Key_Escape);
    QVERIFY(s.mask->CallEdit->text().isEmpty());
    QVERIFY(s.mask->RstTxEdit->text().isEmpty());
    QCOMPARE(s.mask->NameEdit->text(), QString("Op"));
    QCOMPARE(s.mask->BandLabel->text(), QString("20m"));
    QVERIFY(s.mask->AutoDateTimeTimer->isActive());
    QVERIFY(s.mask->CallEdit->hasFocus());
    QVERIFY(s.logLines().isEmpty());
}

void TestEntryMask::functionKeysToggleFieldsAndOpenEditors() {
    Station s({}, "[Buttons]\r\nBF3=c\r\nBF5=eh\r\n");
    QVERIFY(s.mask->DokEdit->isVisible());
    QTest::keyClick(s.mask->CallEdit, Qt::Key_F5);
    QVERIFY(s.mask->DokEdit->isHidden());
    QVERIFY(s.mask->QthEdit->isHidden());
    QVERIFY(s.mask->OvLabel->isHidden());
    QTest::keyClick(s.mask->CallEdit, Qt::Key_F5);
    QVERIFY(s.mask->DokEdit->isVisible());
    // Opened by its key, the editor takes the focus without the call check running.
    int callChecks = 0;
    connect(s.mask, &TEntryPage::callLeft, this, [&] { ++callChecks; });
    QTest::keyClick(s.mask->CallEdit, Qt::Key_F3);
    QVERIFY(s.mask->BandListBox->isVisible());
    QVERIFY(s.mask->BandListBox->hasFocus());
    QCOMPARE(callChecks, 0);
    QVERIFY(!s.mask->leaveQuietly());
    s.mask->BandListBox->setCurrentRow(9);
    QTest::keyClick(s.mask->BandListBox, Qt::Key_F3);
    QVERIFY(s.mask->BandListBox->isHidden());
    QCOMPARE(s.mask->BandLabel->text(), QString("40m"));
    // Unbound keys and other pages: nothing breaks.
    s.form->MainPageControl->setCurrentIndex(1);
    QTest::keyClick(s.form->ListeStringGrid, Qt::Key_F7);
    QTest::keyClick(s.form->ListeStringGrid, Qt::Key_F5);
    QVERIFY(s.mask->DokEdit->isHidden());
}

void TestEntryMask::bandListAndOtherBand() {
    Station s;
    QTest::mouseDClick(s.mask->BandLabel, Qt::LeftButton);
    QCOMPARE(s.mask->BandListBox->currentRow(), 3);
    QCOMPARE(s.mask->BandListBox->count(), 13);
    s.mask->BandListBox->setCurrentRow(12);
    ModalDialogs::answerInputDialog("6m");
    QTest::keyClick(s.mask->BandListBox, Qt::Key_Return);
    QCOMPARE(s.mask->BandLabel->text(), QString("6m"));
    QTest::mouseDClick(s.mask->BandLabel, Qt::LeftButton);
    s.mask->BandListBox->setCurrentRow(12);
    ModalDialogs::cancelNextModal();
    QTest::keyClick(s.mask->BandListBox, Qt::Key_Return);
    QCOMPARE(s.mask->BandLabel->text(), QString("6m")); // cancel keeps the band
    QTest::mouseDClick(s.mask->ModeLabel, Qt::LeftButton);
    s.mask->ModeListBox->setCurrentRow(9);
    QTest::keyClick(s.mask->ModeListBox, Qt::Key_Return);
    QCOMPARE(s.mask->ModeLabel->text(), QString("Pactor"));
}

void TestEntryMask::utcOffsetMinusOneHour() {
    Station s({}, "UtcDiffAuto=0\r\nUtcDiff=-1\r\n");
    QCOMPARE(s.mask->utcOffsetHours(), -1);
    s.mask->AutoDateTimeTimerTimer();
    const QDateTime shown = QDateTime::fromString(
        s.mask->DateLabel->text() + " " + s.mask->UtcLabel->text(), "dd.MM.yyyy HH:mm:ss");
    const qint64 diff = QDateTime::currentDateTime().addSecs(-3600).secsTo(shown);
    QVERIFY2(qAbs(diff) <= 2, qPrintable(QString::number(diff)));
}

void TestEntryMask::failedCommitKeepsMaskAndLists() {
    Station s({LogBuilder::qso(1)}, kOnlyCallAndReports);
    QFile::remove(s.dir.file("a.log"));
    s.type("DL1ABC");
    s.type("59");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    s.type("59");
    QVERIFY2(message.contains(s.dir.file("a.log")), qPrintable(message));
    QCOMPARE(s.mask->CallEdit->text(), QString("DL1ABC"));
    QCOMPARE(s.mask->NumberLabel->text(), QString("2"));
    QCOMPARE(s.form->listeModel->RowCount(), 2);
    QVERIFY(!QFile::exists(s.dir.file("a.log")));
}

void TestEntryMask::ctrlReturnInsertsLineInComments() {
    Station s;
    s.mask->CommentsMemo->setFocus();
    QTest::keyClicks(s.mask->CommentsMemo, "abc");
    QTest::keyClick(s.mask->CommentsMemo, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(s.mask->CommentsMemo, "def");
    QCOMPARE(s.mask->CommentsMemo->toPlainText(), QString("abc\ndef"));
    QVERIFY(s.mask->CommentsMemo->hasFocus());
}

void TestEntryMask::fieldsTakeOnlyWhatTheLogCanHold_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("stored");
    const QString jiri = QString::fromUtf8("Ji\u0159\u00ed;");
    QTest::newRow("typed: letter and separator refused")
        << "NameEdit" << false << jiri << QByteArray("Ji\xed");
    QTest::newRow("pasted: line break, letter, separator")
        << "NameEdit" << true << jiri + "\r\nNov\u00e1k" << QByteArray("Jir\xed, Nov\xe1k");
    QTest::newRow("pasted into the comments: line break kept")
        << "CommentsMemo" << true << jiri + "\r\nx" << QByteArray("Jir\xed,#13#10x");
}

void TestEntryMask::fieldsTakeOnlyWhatTheLogCanHold() {
    QFETCH(QString, field);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QByteArray, stored);
    Station s({}, "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=1\r\nj=1\r\nk=0\r\nl=0\r\n");
    s.type("DL1ABC");
    s.type("59");
    s.type("59");
    QWidget* target = s.mask->findChild<QWidget*>(field);
    target->setFocus();
    if (paste) {
        QApplication::clipboard()->setText(input);
        QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    } else {
        for (const QChar c : input) // also letters beyond Latin-1, which keyClicks refuses
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    for (int i = 0; i < 3 && s.logLines().isEmpty(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(s.logLines().size(), 1);
    const QList<QByteArray> fields = s.logLines()[0].split(';');
    QCOMPARE(fields.size(), 16);
    QCOMPARE(fields[field == "NameEdit" ? 9 : 13], stored);
}

void TestEntryMask::editingKeysWorkInThePowerEditor() {
    Station s;
    s.mask->TxPwrLabel->setText("25W");
    QTest::mouseDClick(s.mask->TxPwrLabel, Qt::LeftButton);
    QTest::keyClick(s.mask->TxPwrEdit, Qt::Key_Home);
    // With the text the X server gives it, which the test library leaves out.
    QTest::sendKeyEvent(QTest::Click, s.mask->TxPwrEdit, Qt::Key_Delete, QString(QChar(0x7f)),
                        Qt::NoModifier);
    QTest::keyClick(s.mask->TxPwrEdit, Qt::Key_End);
    QTest::keyClick(s.mask->TxPwrEdit, Qt::Key_Left);
    QCOMPARE(s.mask->TxPwrEdit->text(), QString("5W"));
    QTest::keyClick(s.mask->TxPwrEdit, Qt::Key_Backspace);
    QCOMPARE(s.mask->TxPwrEdit->text(), QString("W"));
}

void TestEntryMask::enterStepRunsAfterTheInputBox() {
    Station s({}, kOnlyCallAndReports);
    s.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.form));
    s.type("D"); // too short: the call is marked red when left
    QVERIFY(s.mask->isRed(s.mask->CallEdit));
    QTest::mouseDClick(s.mask->BandLabel, Qt::LeftButton);
    s.mask->BandListBox->setCurrentRow(12);
    ModalDialogs::answerInputDialog("6m");
    QTest::keyClick(s.mask->BandListBox, Qt::Key_Return);
    // The call field gets the focus while the input box closes: entered, its mark cleared.
    s.form->activateWindow(); // as the window manager does when the input box has gone
    QVERIFY(QTest::qWaitForWindowActive(s.form));
    QVERIFY(s.mask->CallEdit->hasFocus());
    QCOMPARE(s.mask->CallLabel->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(!s.mask->isRed(s.mask->CallEdit));
}

QTEST_MAIN(TestEntryMask)
#include "tst_entrymask.moc"
