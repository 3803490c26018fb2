#include "entrydriver.h"
#include "entrypage.h"
#include "languagetargets.h"
#include "logfile.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
#include "widgetfactory.h"
#include "widgettest.h"

namespace {

const QByteArray kOpenA = "[Allgemein]\r\nLastLogFileName=a.log\r\n";

// The items as shown: "&&" is a plain "&".
QStringList logMenuItems(TMainForm* form) {
    QStringList items;
    for (QAction* a : ShellDriver(form).menu("LogFileMenu")->actions())
        items.append((a->isChecked() ? QStringLiteral("[x] ") : QString()) +
                     QString(a->text()).replace("&&", "&"));
    return items;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT
private slots:
    void firstStartInEmptyDirectory() {
        SessionFixture s(nullptr);
        s.start({}, false); // a shown window keeps the size it shows in
        TMainForm* form = s.form;
        const ShellDriver shell(form);
        QCOMPARE(form->windowTitle(), QString("Dalu 0.5"));
        QVERIFY(!shell.pagesEnabled());
        QCOMPARE(logMenuItems(form).size(), 1);
        // The empty list under the disabled mask says how to get a log.
        QVERIFY(shell.noLogHint()->isVisibleTo(form));
        QVERIFY(
            shell.noLogHint()->text().contains(form->station().msg(Msg::NewLogItem).remove('&')));
        const int dateWidth = shell.listGrid()->fontMetrics().horizontalAdvance("07.12.2026");
        s.stop();
        const TMemIniFile ini(s.dir.file("Dalu.ini"));
        // The default size, as far as the screen takes it.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(ini.ReadInteger("Positionen", "MainForm.Width", -1),
                 std::min(1200, screen.width()));
        // Default widths fit a date in the platform font.
        for (int col : {1, 14, 15})
            QVERIFY(ini.ReadInteger("Positionen", QString("ListeStringGrid.ColWidths[%1]").arg(col),
                                    -1) > dateWidth);
        QVERIFY(!ini.ValueExists("Allgemein", "LastLogFileName"));
    }

    void reopensLastLogWithFilledLists() {
        SessionFixture s(nullptr);
        LogBuilder::writeLog(s.dir.file("a.log"), LogBuilder::qsos(3));
        s.start();
        QVERIFY(!s.shell().pagesEnabled());
        s.shell().menu("LogFileMenu")->actions().first()->trigger();
        s.shell().listGrid()->setColumnWidth(5, 111);
        s.stop();
        s.start();
        TMainForm* form = s.form;
        const ShellDriver shell(form);
        QVERIFY(shell.pagesEnabled());
        QCOMPARE((QList<int>{form->lists().upper()->rowCount(), form->lists().lower()->rowCount(),
                             shell.listGrid()->columnWidth(5), shell.maskGrid()->columnWidth(5)}),
                 (QList<int>{3, 3, 111, 111}));
        QCOMPARE(form->lists().upper()->cell(2, 5) + ' ' +
                     WidgetFactory::shownCaption(shell.menu("LogFileMenu")->title()) + ' ' +
                     EntryDriver(form->entryPage).label("NumberLabel")->text(),
                 QString("QX3ABC a.log 4"));
        LogBuilder::writeLog(s.dir.file("a.log"), LogBuilder::qsos(2));
        shell.action("Listenneuladen1")->trigger();
        QCOMPARE(form->lists().upper()->rowCount(), 2);
        QCOMPARE(EntryDriver(form->entryPage).label("NumberLabel")->text(), QString("3"));
    }

    // Names Windows-1252 cannot hold: the log chosen in the menu and a reference log in a
    // folder "Łukasz" are there again after a restart.
    void namesBeyondWindows1252ComeBackAfterARestart() {
        SessionFixture s(nullptr);
        const QString logName = QString::fromUtf8("\u0141\u00f3d\u017a.log");
        QVERIFY(QDir(s.dir.path()).mkdir(QString::fromUtf8("\u0141ukasz")));
        const QString refLog = s.dir.file(QString::fromUtf8("\u0141ukasz/ref.log"));
        LogBuilder::writeLog(s.dir.file(logName), LogBuilder::qsos(2));
        LogBuilder::writeLog(refLog, LogBuilder::qsos(1));
        s.start();
        for (QAction* a : s.shell().menu("LogFileMenu")->actions()) {
            if (a->text() == logName)
                a->trigger();
        }
        SettingsDriver(s.form->optionsPage).referenceLog(1)->setText(refLog);
        s.stop();
        s.start();
        QCOMPARE(logMenuItems(s.form).first(), "[x] " + logName);
        QCOMPARE(s.form->station().log()->FileName(), s.dir.file(logName));
        QCOMPARE(SettingsDriver(s.form->optionsPage).referenceLog(1)->text(), refLog);
    }

    // "&" in a log name is no mnemonic: the item and the menu show the name as it is.
    void logMenuSwitchesLogs() {
        SessionFixture s(nullptr);
        LogBuilder::writeLog(s.dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
        LogBuilder::writeLog(s.dir.file("b&d.log"), {LogBuilder::qso(1, "QX9ZZZ")});
        LogBuilder::writeLog(s.dir.file("c.log"), {});
        s.start(kOpenA + showOnly(""));
        TMainForm* form = s.form;
        const ShellDriver shell(form);
        const QString newLog = logMenuItems(form).last();
        QCOMPARE(logMenuItems(form), QStringList({"[x] a.log", "b&d.log", "c.log", newLog}));
        QCOMPARE(form->lists().upper()->rowCount(), 2);
        QAction* bd = shell.menu("LogFileMenu")->actions()[1];
        QVERIFY(QKeySequence::mnemonic(bd->text()).isEmpty());
        bd->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(logMenuItems(form), QStringList({"a.log", "[x] b&d.log", "c.log", newLog}));
        // The menu's own mnemonic is its first free letter, never the "d" after the "&".
        const QString title = shell.menu("LogFileMenu")->title();
        QCOMPARE(QKeySequence::mnemonic(title), QKeySequence(Qt::ALT | Qt::Key_B));
        QCOMPARE(QString::number(form->lists().upper()->rowCount()) + ' ' +
                     form->lists().lower()->cell(0, 5) + ' ' + WidgetFactory::shownCaption(title) +
                     ' ' + EntryDriver(form->entryPage).label("NumberLabel")->text(),
                 QString("1 QX9ZZZ b&d.log 2"));
        // A log removed behind the program's back: an error naming it, and no log open.
        QFile::remove(s.dir.file("c.log"));
        const QString message = // c.log
            ModalDialogs::messageOf(
                [&shell] { shell.menu("LogFileMenu")->actions()[2]->trigger(); });
        QVERIFY2(message.endsWith("c.log\""), qPrintable(message));
        QVERIFY(!shell.pagesEnabled() && form->station().log() == nullptr);
        QCoreApplication::processEvents();
        QCOMPARE(logMenuItems(form), QStringList({"a.log", "b&d.log", newLog}));
        // A commit without a log says why and keeps the mask.
        shell.pages()->setEnabled(true); // as a failed "new log" used to leave it
        const EntryDriver entry(form->entryPage);
        entry.edit("CallEdit")->setText("DL1ABC");
        entry.edit("RstTxEdit")->setText("59");
        entry.edit("RstRxEdit")->setText("59");
        const QString why = ModalDialogs::messageOf(
            [entry] { QTest::keyClick(entry.edit("RstRxEdit"), Qt::Key_Return); });
        QVERIFY2(why.contains("Log"), qPrintable(why));
        QCOMPARE(entry.edit("CallEdit")->text(), QString("DL1ABC"));
    }

    // open: a.log is open before; created: empty when refused with a message holding the reason
    void newLog_data() {
        columns<QString, bool, QString, QString>("answer", "open", "created", "reason");
        QTest::newRow("name gets .log") << "contest" << false << "contest.log" << QString();
        QTest::newRow("upper-case extension kept, open log closed")
            << "contest.LOG" << true << "contest.LOG.log" << QString();
        QTest::newRow("existing name keeps the open log")
            << "a" << true << QString() << "%1a.log\"!";
        // A name no file system takes.
        QTest::newRow("failure keeps the open log")
            << QString(300, 'x') << true << QString() << "xxxxxxxxxx.log";
    }

    void newLog() {
        QFETCH(QString, created);
        const bool refused = created.isEmpty();
        SessionFixture s(nullptr);
        LogBuilder::writeLog(s.dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(2)});
        const QByteArray before = s.dir.readFile("a.log");
        s.start(fetched<bool>("open") ? kOpenA : QByteArray());
        ModalDialogs::answerInputDialog(fetched<QString>("answer"));
        QString message;
        if (refused)
            ModalDialogs::answerMessageBox(&message);
        s.shell().menu("LogFileMenu")->actions().last()->trigger();
        QVERIFY2(
            message.contains(QString(fetched<QString>("reason")).replace("%1", s.dir.path())) &&
                message.isEmpty() != refused,
            qPrintable(message));
        QCOMPARE(s.dir.readFile("a.log"), before);
        QCOMPARE(WidgetFactory::shownCaption(s.shell().menu("LogFileMenu")->title()),
                 refused ? QString("a.log") : created);
        QCOMPARE(s.form->lists().upper()->rowCount(), refused ? 2 : 0);
        if (refused) {
            QCOMPARE(s.form->station().log()->FileName(), s.dir.file("a.log"));
            return;
        }
        QCOMPARE(s.dir.readFile(created), QsoLine::kHeader + "\r\n");
        QVERIFY(s.shell().pages()->isEnabled() && !s.shell().noLogHint()->isVisibleTo(s.form));
        QCOMPARE(EntryDriver(s.form->entryPage).label("NumberLabel")->text(), QString("1"));
        QCOMPARE(s.form->focusWidget(), EntryDriver(s.form->entryPage).edit("CallEdit"));
    }

    void ctrlClickOnHeaderFitsColumnsAndPagesHaveAHistory() {
        TQsoRecord rec = LogBuilder::qso(1);
        rec[QsoField::Name] = "  Maximilian Alexander von Wurmbrand  ";
        rec[QsoField::Band].clear();
        SessionFixture s({rec});
        s.shell().pages()->setCurrentIndex(1);
        QsoGrid* grid = s.shell().listGrid();
        const QPoint cell = grid->visualRect(grid->model()->index(0, 9)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, cell);
        QCOMPARE(grid->columnWidth(9), 64);
        QWidget* header = grid->horizontalHeader()->viewport();
        QTest::mouseClick(header, Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
        const QFontMetrics metrics(grid->font());
        QCOMPARE(grid->columnWidth(9),
                 metrics.horizontalAdvance("Maximilian Alexander von Wurmbrand") + 10);
        QVERIFY(grid->columnWidth(3) < 64); // only the header "Band"
        // The navigation panel stays top right; its buttons walk the page history.
        s.form->resize(900, 600);
        QCoreApplication::processEvents();
        QCOMPARE(s.shell().navigationPanel()->x() + s.shell().navigationPanel()->width(),
                 s.form->width());
        QTabWidget* tabs = s.shell().pages();
        const auto click = [](QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); };
        for (int page : {1, 2, 3})
            tabs->setCurrentIndex(page);
        click(s.shell().backButton());
        QCOMPARE(tabs->currentIndex(), 2);
        click(s.shell().nextButton());
        QCOMPARE(tabs->currentIndex(), 3);
        QVERIFY(!s.shell().nextButton()->isEnabled());
        click(s.shell().backButton());
        click(s.shell().backButton());
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(s.shell().nextButton()->isEnabled());
        tabs->setCurrentIndex(5); // a new page drops the pages ahead
        QVERIFY(!s.shell().nextButton()->isEnabled());
        click(s.shell().backButton());
        QCOMPARE(tabs->currentIndex(), 1);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
