#include "dalusession.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "logbuilder.h"
#include "logfile.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "tempprogramdir.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

QStringList logMenuItems(TMainForm* form) {
    QStringList items;
    for (QAction* a : form->LogFileMenu->actions())
        items.append(a->isChecked() ? QStringLiteral("[x] ") + a->text() : a->text());
    return items;
}

QAction* logMenuItem(TMainForm* form, const QString& caption) {
    for (QAction* a : form->LogFileMenu->actions()) {
        if (a->text() == caption)
            return a;
    }
    return nullptr;
}

QAction* newLogItem(TMainForm* form) {
    return form->LogFileMenu->actions().last();
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void firstStartInEmptyDirectory();
    void reopensLastLogWithFilledLists();
    void vanishedLastLogStartsWithNoLog();
    void logMenuListsFilesAndTicksOpenLog();
    void switchingLogsRefillsLists();
    void vanishedMenuItemShowsErrorAndDisables();
    void newLog_data();
    void newLog();
    void newLogWithExistingNameKeepsOpenLog();
    void failedNewLogKeepsTheOpenLog();
    void commitWithoutLogSaysWhy();
    void refillShowsMultiLineCommentOnOneLine();
    void pageHistoryBackTwiceThenNewPage();
    void navigationPanelStaysTopRight();
    void ctrlClickOnHeaderFitsColumns();
};

void TestMainForm::firstStartInEmptyDirectory() {
    TempProgramDir dir;
    dir.copyDataFiles();
    int dateWidth = 0;
    {
        DaluSession session;
        TMainForm* form = session.mainForm();
        QCOMPARE(form->windowTitle(), QString("Dalu 0.5"));
        QCOMPARE(form->MainPageControl->currentIndex(), 0);
        QVERIFY(!form->MainPageControl->isEnabled());
        QCOMPARE(form->LanguageMenu->title(), QString("Deutsch"));
        QCOMPARE(form->LogFileMenu->actions().size(), 1);
        QVERIFY(form->menuBar()->actions().size() == 5);
        // The empty list under the disabled mask says how to get a log.
        QVERIFY(form->NoLogHintLabel->isVisibleTo(form));
        QVERIFY(form->NoLogHintLabel->text().contains(form->msg(Msg::NewLogItem).remove('&')));
        dateWidth = form->ListeStringGrid->fontMetrics().horizontalAdvance("07.12.2026");
    }
    const TMemIniFile ini(dir.file("Dalu.ini"));
    QCOMPARE(ini.ReadInteger("Positionen", "MainForm.Width", -1), 775);
    // Default widths fit a date in the platform font.
    for (int col : {1, 14, 15})
        QVERIFY(ini.ReadInteger("Positionen", QString("ListeStringGrid.ColWidths[%1]").arg(col),
                                -1) > dateWidth);
    QVERIFY(!ini.ValueExists("Allgemein", "LastLogFileName"));
}

void TestMainForm::reopensLastLogWithFilledLists() {
    TempProgramDir dir;
    dir.copyDataFiles();
    TQsoRecord last = LogBuilder::qso(3);
    last[QsoField::Band] = "70cm";
    last[QsoField::Mode] = "SSTV";
    last[QsoField::TxPwr] = "50W";
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2), last});
    {
        DaluSession session;
        QVERIFY(!session.mainForm()->MainPageControl->isEnabled());
        session.mainForm()->LogFileMenu->actions().first()->trigger();
        session.mainForm()->ListeStringGrid->setColumnWidth(5, 111);
    }
    DaluSession again;
    TMainForm* form = again.mainForm();
    QVERIFY(form->MainPageControl->isEnabled());
    QCOMPARE(form->listeModel->RowCount(), 4);
    QCOMPARE(form->liste2Model->RowCount(), 4);
    QCOMPARE(form->listeModel->Cells(5, 3), QString("QX3ABC"));
    QCOMPARE(form->entryPage->NumberLabel->text(), QString("4"));
    QCOMPARE(form->entryPage->BandLabel->text(), QString("70cm"));
    QCOMPARE(form->entryPage->ModeLabel->text(), QString("SSTV"));
    QCOMPARE(form->entryPage->TxPwrLabel->text(), QString("50W"));
    QCOMPARE(form->LogFileMenu->title(), QString("a.log"));
    QCOMPARE(form->ListeStringGrid->columnWidth(5), 111);
    QCOMPARE(form->Liste2StringGrid->columnWidth(5), 111);
}

void TestMainForm::vanishedLastLogStartsWithNoLog() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=gone.log\r\n");
    DaluSession session;
    QVERIFY(!session.mainForm()->MainPageControl->isEnabled());
    QVERIFY(session.mainForm()->openLog() == nullptr);
}

void TestMainForm::logMenuListsFilesAndTicksOpenLog() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {});
    LogBuilder::writeLog(dir.file("b.log"), {LogBuilder::qso(1)});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=b.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    const QStringList items = logMenuItems(form);
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0], QString("a.log"));
    QCOMPARE(items[1], QString("[x] b.log"));
    QVERIFY(!items[2].isEmpty());
    QCOMPARE(form->LogFileMenu->title(), QString("b.log"));
}

void TestMainForm::switchingLogsRefillsLists() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
    LogBuilder::writeLog(dir.file("b.log"), {LogBuilder::qso(1, "QX9ZZZ")});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    QCOMPARE(form->listeModel->RowCount(), 3);
    logMenuItem(form, "b.log")->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(form->listeModel->RowCount(), 2);
    QCOMPARE(form->liste2Model->Cells(5, 1), QString("QX9ZZZ"));
    QCOMPARE(form->LogFileMenu->title(), QString("b.log"));
    QCOMPARE(form->entryPage->NumberLabel->text(), QString("2"));
}

void TestMainForm::vanishedMenuItemShowsErrorAndDisables() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {});
    LogBuilder::writeLog(dir.file("b.log"), {});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    QFile::remove(dir.file("b.log"));
    QString message;
    ModalDialogs::answerMessageBox(&message);
    logMenuItem(form, "b.log")->trigger();
    QVERIFY2(message.endsWith("b.log\""), qPrintable(message));
    QVERIFY(!form->MainPageControl->isEnabled());
    QVERIFY(form->openLog() == nullptr);
    QCoreApplication::processEvents();
    QCOMPARE(logMenuItems(form), (QStringList{"a.log", newLogItem(form)->text()}));
}

void TestMainForm::newLog_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("created");
    QTest::newRow("name gets .log") << "contest"
                                    << "contest.log";
    QTest::newRow("upper-case extension kept") << "contest.LOG"
                                               << "contest.LOG.log";
    QTest::newRow("path keeps last part") << "/somewhere/else/field.log"
                                          << "field.log";
}

void TestMainForm::newLog() {
    QFETCH(QString, answer);
    QFETCH(QString, created);
    TempProgramDir dir;
    dir.copyDataFiles();
    DaluSession session;
    TMainForm* form = session.mainForm();
    ModalDialogs::answerInputDialog(answer);
    newLogItem(form)->trigger();
    QCOMPARE(dir.readFile(created), QsoLine::kHeader + "\r\n");
    QVERIFY(form->MainPageControl->isEnabled());
    QCOMPARE(form->LogFileMenu->title(), created);
    QCOMPARE(form->entryPage->NumberLabel->text(), QString("1"));
    QCOMPARE(form->listeModel->RowCount(), 2);
    QCOMPARE(form->focusWidget(), form->entryPage->CallEdit);
    QVERIFY(!form->NoLogHintLabel->isVisibleTo(form));
}

void TestMainForm::failedNewLogKeepsTheOpenLog() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1)});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    ModalDialogs::answerInputDialog(QString(300, 'x')); // a name no file system takes
    QString message;
    ModalDialogs::answerMessageBox(&message);
    newLogItem(form)->trigger();
    QVERIFY(!message.isEmpty());
    QCOMPARE(form->openLog()->FileName(), dir.file("a.log"));
    QVERIFY(form->MainPageControl->isEnabled());
    QCOMPARE(form->LogFileMenu->title(), QString("a.log"));
    QCOMPARE(form->listeModel->RowCount(), 2);
}

void TestMainForm::commitWithoutLogSaysWhy() {
    TempProgramDir dir;
    dir.copyDataFiles();
    dir.writeFile("Dalu.ini",
                  "[ShowAtStartUp]\r\ne=0\r\nf=0\r\nh=0\r\ni=0\r\nj=0\r\nk=0\r\nl=0\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    form->MainPageControl->setEnabled(true); // as a failed "new log" used to leave it
    TEntryPage* mask = form->entryPage;
    mask->CallEdit->setText("DL1ABC");
    mask->RstTxEdit->setText("59");
    mask->RstRxEdit->setText("59");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    QTest::keyClick(mask->RstRxEdit, Qt::Key_Return);
    QVERIFY2(message.contains("Log"), qPrintable(message));
    QCOMPARE(mask->CallEdit->text(), QString("DL1ABC"));
}

void TestMainForm::newLogWithExistingNameKeepsOpenLog() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {LogBuilder::qso(1)});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    const QByteArray before = dir.readFile("a.log");
    DaluSession session;
    TMainForm* form = session.mainForm();
    ModalDialogs::answerInputDialog("a");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    newLogItem(form)->trigger();
    QTRY_VERIFY(!message.isEmpty());
    QVERIFY2(message.startsWith("\"a.log") && message.endsWith(dir.file("a.log") + "\"!"),
             qPrintable(message));
    QCOMPARE(dir.readFile("a.log"), before);
    QCOMPARE(form->LogFileMenu->title(), QString("a.log"));
    QCOMPARE(form->listeModel->RowCount(), 2);
}

void TestMainForm::refillShowsMultiLineCommentOnOneLine() {
    TempProgramDir dir;
    dir.copyDataFiles();
    TQsoRecord rec = LogBuilder::qso(1);
    rec[QsoField::Comments] = "abc\r\ndef";
    LogBuilder::writeLog(dir.file("a.log"), {rec});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    QCOMPARE(form->listeModel->Cells(13, 1), QString("abc def"));
    LogBuilder::writeLog(dir.file("a.log"), {});
    form->Listenneuladen1->trigger();
    QCOMPARE(form->listeModel->RowCount(), 2);
    QCOMPARE(form->listeModel->Cells(13, 1), QString());
    QCOMPARE(form->entryPage->NumberLabel->text(), QString("1"));
}

void TestMainForm::pageHistoryBackTwiceThenNewPage() {
    TempProgramDir dir;
    dir.copyDataFiles();
    LogBuilder::writeLog(dir.file("a.log"), {});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    form->show();
    QTabWidget* tabs = form->MainPageControl;
    for (int page : {1, 2, 3})
        tabs->setCurrentIndex(page);
    QTest::mouseClick(form->BackSpeedButton, Qt::LeftButton);
    QTest::mouseClick(form->BackSpeedButton, Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(form->NextSpeedButton->isEnabled());
    tabs->setCurrentIndex(5);
    QVERIFY(!form->NextSpeedButton->isEnabled());
    QTest::mouseClick(form->BackSpeedButton, Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 1);
    QTest::mouseClick(form->BackSpeedButton, Qt::LeftButton);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!form->BackSpeedButton->isEnabled());
}

void TestMainForm::navigationPanelStaysTopRight() {
    TempProgramDir dir;
    dir.copyDataFiles();
    DaluSession session;
    TMainForm* form = session.mainForm();
    form->show();
    form->resize(900, 600);
    QCoreApplication::processEvents();
    QCOMPARE(form->NavigationPanel->x() + form->NavigationPanel->width(), form->width());
}

void TestMainForm::ctrlClickOnHeaderFitsColumns() {
    TempProgramDir dir;
    dir.copyDataFiles();
    TQsoRecord rec = LogBuilder::qso(1);
    rec[QsoField::Name] = "  Maximilian Alexander von Wurmbrand  ";
    rec[QsoField::Band].clear();
    LogBuilder::writeLog(dir.file("a.log"), {rec});
    dir.writeFile("Dalu.ini", "[Allgemein]\r\nLastLogFileName=a.log\r\n");
    DaluSession session;
    TMainForm* form = session.mainForm();
    form->show();
    form->MainPageControl->setCurrentIndex(1);
    QsoGrid* grid = form->ListeStringGrid;
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QPoint cell = grid->visualRect(grid->model()->index(0, 9)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell);
    QCOMPARE(grid->columnWidth(9), 64);
    QWidget* header = grid->horizontalHeader()->viewport();
    QTest::mouseClick(header, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
    const QFontMetrics metrics(grid->font());
    QCOMPARE(grid->columnWidth(9),
             metrics.horizontalAdvance("Maximilian Alexander von Wurmbrand") + 10);
    QVERIFY(grid->columnWidth(3) < 64); // only the header "Band"
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
