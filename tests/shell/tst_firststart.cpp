// A new operator's first start and the window by keyboard: the dialog for call and locator,
// what the mask says while they are missing, the first log, pages and menus by keyboard.
#include "entrydriver.h"
#include "entrypage.h"
#include "evaluationcommon.h"
#include "languagetargets.h"
#include "logfile.h"
#include "modaldialogs.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
#include "settingskeys.h"
#include "widgettest.h"

namespace {

void answerFirstStart(const QString& call, const QString& locator) {
    ModalDialogs::onNextModal([call, locator](QWidget* dialog) {
        QTest::keyClicks(namedChild<QLineEdit>(dialog, "FirstCallEdit"), call);
        QTest::keyClicks(namedChild<QLineEdit>(dialog, "FirstLocatorEdit"), locator);
        QTest::mouseClick(namedChild<QPushButton>(dialog, "OkButton"), Qt::LeftButton);
    });
}

} // namespace

class TestFirstStart : public QObject {
    Q_OBJECT
private slots:
    void firstStartAsksCallAndLocatorOnce() {
        SessionFixture s(nullptr);
        s.start({}); // no settings file: a first start
        answerFirstStart("dl9new", "jo31ab");
        s.session->showMainWindow();
        QTRY_VERIFY(s.ini().contains("EigenesCall=DL9NEW\r\n"));
        QVERIFY2(s.ini().contains("EigenerLocator=JO31AB\r\n"), s.ini().constData());
        QCOMPARE(SettingsDriver(s.form->optionsPage).edit("EigCallEdit")->text(),
                 QStringLiteral("DL9NEW"));
        s.stop();
        // Not asked again: a dialog now would fail the test.
        s.start({});
        s.session->showMainWindow();
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void skippedFirstStartSaysWhatIsMissing() {
        SessionFixture s(nullptr);
        s.start({});
        ModalDialogs::onNextModal([](QWidget* dialog) {
            QTest::mouseClick(namedChild<QPushButton>(dialog, "LaterButton"), Qt::LeftButton);
        });
        s.session->showMainWindow();
        QTRY_VERIFY(!QApplication::activeModalWidget());
        const EntryDriver entry(s.form->entryPage);
        entry.edit("LocatorEdit")->setText("JN58TD");
        QCOMPARE(entry.label("BearingValueLabel")->text(), QStringLiteral("eigener Locator fehlt"));
        QCOMPARE(entry.label("DistanceValueLabel")->text(),
                 QStringLiteral("eigener Locator fehlt"));
    }

    void firstLogPutsTheFocusIntoTheCallField() {
        SessionFixture s(nullptr);
        s.start({});
        s.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.form));
        const ShellDriver shell(s.form);
        QVERIFY(shell.noLogHint()->isVisible());
        QVERIFY(
            shell.noLogHint()->text().contains(s.form->station().msg(Msg::NewLogItem).remove('&')));
        ModalDialogs::answerInputDialog("erstes");
        shell.child<QAction>("NewLogFileMenu")->trigger();
        QVERIFY(QFile::exists(s.dir.file("erstes.log")));
        QVERIFY(!shell.noLogHint()->isVisible());
        // The window's focus, which the call field keeps while the dialog's focus returns.
        QTRY_COMPARE(s.form->focusWidget(),
                     static_cast<QWidget*>(EntryDriver(s.form->entryPage).edit("CallEdit")));
    }

    void pagesByKeyboardInOrderAndBack_data() {
        columns<int, int, int>("key", "modifiers", "step");
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+PageDown") << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 1;
        QTest::newRow("Ctrl+Shift+Tab")
            << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << -1;
        QTest::newRow("Ctrl+PageUp") << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << -1;
    }
    void pagesByKeyboardInOrderAndBack() {
        SessionFixture s({LogBuilder::qso(1)});
        s.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.form));
        s.form->entryPage->focusCall();
        QTabWidget* pages = s.shell().pages();
        const int step = fetched<int>("step");
        int expected = 0;
        for (int i = 0; i < pages->count(); ++i) {
            // On the edit page the key would have reached the date picker.
            if (pages->currentWidget() == s.shell().page(Navigator::Page::Edit))
                namedChild<QDateEdit>(pages->currentWidget(), "eDatePicker")->setFocus();
            QWidget* focus = QApplication::focusWidget();
            const auto* date = qobject_cast<QDateEdit*>(focus);
            const QDate before = date ? date->date() : QDate();
            QTest::keyClick(focus, Qt::Key(fetched<int>("key")),
                            Qt::KeyboardModifiers(fetched<int>("modifiers")));
            expected = (expected + step + pages->count()) % pages->count();
            QCOMPARE(pages->currentIndex(), expected);
            if (date)
                QCOMPARE(date->date(), before);
        }
        QCOMPARE(expected, 0);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(EntryDriver(s.form->entryPage).edit("CallEdit")));
    }

    void everyMenuHasItsOwnMnemonic() {
        SessionFixture s;
        for (const char* language : {"DeutschMenu", "EnglishMenu"}) {
            s.shell().action(language)->trigger();
            QSet<QChar> letters;
            for (const QAction* menu : s.form->menuBar()->actions()) {
                const QString title = QString(menu->text()).replace("&&", "");
                const qsizetype amp = title.indexOf('&');
                QVERIFY2(amp >= 0 && amp + 1 < title.size(), qPrintable(title));
                QVERIFY2(!letters.contains(title.at(amp + 1).toUpper()), qPrintable(title));
                letters.insert(title.at(amp + 1).toUpper());
            }
        }
    }

    void maskAndHelpFollowTheLanguage_data() {
        columns<QByteArray, QStringList, QString, QString>("language", "captions", "keyCaption",
                                                           "help");
        QTest::newRow("German") << QByteArray("DeutschMenu")
                                << QStringList{"Datum", "Leistung", "Bemerkungen"} << "F1: Datum"
                                << "Hilfe/index.htm";
        QTest::newRow("English") << QByteArray("EnglishMenu")
                                 << QStringList{"Date", "TX Pwr", "Comments"} << "F1: Date"
                                 << "Hilfe/en/index.htm";
    }
    void maskAndHelpFollowTheLanguage() {
        SessionFixture s({}, "[Buttons]\r\nBF1=a\r\n");
        s.shell().action(fetched<QByteArray>("language"))->trigger();
        const EntryDriver entry(s.form->entryPage);
        QCOMPARE((QStringList{entry.label("DateLabelTitle")->text(),
                              entry.label("TxPwrLabelTitle")->text(),
                              entry.label("CommentsLabel")->text()}),
                 fetched<QStringList>("captions"));
        QCOMPARE(entry.caption(1)->text(), fetched<QString>("keyCaption"));
        QCOMPARE(s.form->helpPage("index.htm"), fetched<QString>("help"));
    }

    void locatorLegendsAreReadable() {
        SessionFixture s;
        for (const char* name : {"Label63", "Label78", "Label79"}) {
            const auto* legend = s.shell().child<QLabel>(name);
            const double ratio =
                Evaluation::contrastRatio(legend->palette().color(QPalette::WindowText),
                                          legend->palette().color(QPalette::Window));
            QVERIFY2(ratio >= 4.5, qPrintable(QString("%1: %2").arg(name).arg(ratio)));
        }
    }

    void defaultWindowFitsTheScreenAndCaptionsKeepTheirText() {
        SessionFixture s;
        // The window fits a 1280x800 screen, and at its default size every key caption shows
        // whole.
        QVERIFY(s.form->minimumSizeHint().width() <= 1280 &&
                s.form->minimumSizeHint().height() <= 800);
        s.form->resize(SettingsKeys::MainFormWidth.def, SettingsKeys::MainFormHeight.def);
        const EntryDriver entry(s.form->entryPage);
        for (int k = 1; k <= 12; ++k) {
            QLabel* caption = entry.caption(k);
            QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <=
                         caption->width() - 6,
                     qPrintable(caption->text()));
        }
        // A caption wider than its share is cut where it is painted, its text stays whole.
        entry.field("EingabePanel")->resize(400, entry.field("EingabePanel")->height());
        QCOMPARE(entry.caption(3)->text(), QStringLiteral("F3: Leistung"));
        QVERIFY(entry.caption(3)->x() + entry.caption(3)->width() <= entry.caption(4)->x());
    }

    void logWrittenBesideAppearsInTheMenu() {
        SessionFixture s;
        LogBuilder::writeLog(s.dir.file("converted.log"), {LogBuilder::qso(1)});
        QTRY_VERIFY(s.shell().menu("LogFileMenu")->actions().size() == 3);
        QCOMPARE(s.shell().logFileItems().at(1)->data().toString(),
                 QStringLiteral("converted.log"));
    }
};

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
