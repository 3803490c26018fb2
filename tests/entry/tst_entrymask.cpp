#include "bandmode.h"
#include "browsedriver.h"
#include "daluerror.h"
#include "datetickpicker.h"
#include "filelock.h"
#include "logconverter.h"
#include "maskfixture.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "settingsdriver.h"
#include "widgettest.h"

#include <QClipboard>
#include <QScopeGuard>
#include <QSemaphore>

#include <poll.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

class TestEntryMask : public QObject {
    Q_OBJECT
private slots:
    void returnWalksThroughShownFieldsAndCommits() {
        MaskFixture s({}, "UtcDiffAuto=0\r\nUtcDiff=-1\r\n");
        const EntryDriver& entry = s.entry;
        QTest::keyClicks(entry.edit("CallEdit"), "qx1abc");
        QCOMPARE(entry.edit("CallEdit")->text(), QString("QX1ABC"));
        QTest::keyClick(entry.edit("CallEdit"), Qt::Key_Return);
        QVERIFY(entry.edit("RstTxEdit")->hasFocus() &&
                !entry.field<QTimer>("AutoDateTimeTimer")->isActive());
        QCOMPARE(entry.label("RstTxLabel")->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QCOMPARE(entry.label("CallLabel")->palette().color(QPalette::WindowText),
                 QColor(0, 128, 0));
        s.type({"59", "57", "z10", "jo54ah", "Kiel", "Erika", "first QSO"});
        QVERIFY(entry.field<TDateTickPicker>("QslOutPicker")->checkBox()->hasFocus());
        const QByteArray line = s.enter({"", ""}); // through both QSL pickers
        // Date and time were frozen when the call was left, one hour behind the local clock.
        const QList<QByteArray> f = line.split(';');
        const QDateTime logged = QDateTime::fromString(
            QString::fromLatin1(f.value(1) + ' ' + f.value(2)), "dd.MM.yyyy HH:mm:ss");
        QVERIFY2(qAbs(logged.secsTo(QDateTime::currentDateTime()) - 3600) < 60, line.constData());
        QCOMPARE(line, "1;" + f[1] + ';' + f[2] +
                           ";2m;FM;QX1ABC;59;57;Z10;Erika;Kiel;JO54AH;10W;first QSO;;");
        QCOMPARE(s.logLines().size(), 1);
        QCOMPARE(s.form->lists().upper()->cell(0, 5), QString("QX1ABC"));
        QCOMPARE(s.form->lists().lower()->cell(0, 11), QString("JO54AH"));
        QCOMPARE(s.shell().maskGrid()->Row(), 1);
        QCOMPARE(entry.label("NumberLabel")->text(), QString("2"));
        QVERIFY(entry.edit("CallEdit")->hasFocus() && entry.edit("CallEdit")->text().isEmpty());
        QVERIFY(entry.field<QTimer>("AutoDateTimeTimer")->isActive());
    }

    void qso42MakesQso43WithPresetsAndCarriedOverBandModePower() {
        QList<TQsoRecord> qsos = LogBuilder::qsos(41);
        qsos.last()[QsoField::Band] = "40m";
        qsos.last()[QsoField::Mode] = "CW";
        qsos.last()[QsoField::TxPwr] = "5W";
        MaskFixture s(qsos, showOnly("") + "[Vorgaben]\r\nRstTx=599\r\nRstRx=5NN\r\n");
        QVERIFY(s.entry.edit("DokEdit")->isHidden() && s.entry.label("OvValueLabel")->isHidden() &&
                s.entry.label("BearingLabel")->isHidden());
        QCOMPARE(s.entry.label("NumberLabel")->text(), QString("42"));
        const QByteArray line = s.enter({"QX42ABC", "", ""}); // reports as preset
        QVERIFY2(line.startsWith("42;") && line.endsWith(";40m;CW;QX42ABC;599;5NN;;;;;5W;;;"),
                 line.constData());
        QCOMPARE(s.logLines().size(), 42);
        QCOMPARE(s.form->lists().upper()->cell(41, 5) + s.form->lists().lower()->cell(41, 0),
                 QString("QX42ABC42"));
        QCOMPARE(s.form->lists().lower()->rowCount(), 42);
        QCOMPARE(
            (QStringList{s.entry.label("NumberLabel")->text(), s.entry.edit("RstTxEdit")->text(),
                         s.entry.label("BandLabel")->text(), s.entry.label("TxPwrLabel")->text()}),
            (QStringList{"43", "599", "40m", "5W"}));
    }

    // Each text typed is followed by Return. The call and reports stored, or the field that
    // keeps the focus when nothing is.
    void shortReportBlocksCommit_data() {
        columns<QStringList, QString>("typed", "result");
        const QString call = "DL1ABC";
        QTest::newRow("report sent of one character")
            << QStringList{call, "5", "59"} << "RstTxEdit";
        QTest::newRow("report received of one character")
            << QStringList{call, "59", "5"} << "RstRxEdit";
        QTest::newRow("both two characters") << QStringList{call, "55", "57"} << "DL1ABC;55;57";
        QTest::newRow("last report corrected in place")
            << QStringList{call, "59", "5", "7"} << "DL1ABC;59;57";
    }

    void shortReportBlocksCommit() {
        MaskFixture s({}, showOnly(""));
        const QByteArray line = s.enter(fetched<QStringList>("typed"));
        QTEST(line.isEmpty() ? QApplication::focusWidget()->objectName()
                             : QString(line.split(';').mid(5, 3).join(';')),
              "result");
    }

    void serialNumberCountsUp() {
        MaskFixture s({}, showOnly("") + "[ErgRstTx]\r\nText=007\r\nNummer=1\r\n");
        QCOMPARE(s.entry.label("RstTxLabel")->text(), QString("RST + 007 TX"));
        s.type({"DL1ABC", "59"});
        QCOMPARE(s.entry.edit("RstTxEdit")->text(), QString("59 007"));
        QVERIFY(s.enter({"59"}).contains(";59 007;59;"));
        QCOMPARE(SettingsDriver(s.form->optionsPage).edit("ErgRstTxTextEdit")->text(),
                 QString("008"));
        QCOMPARE(s.form->station().settings().ReadString("ErgRstTx", "Text", {}), QString("008"));
        s.type({"DL2ABC", "59"});
        QCOMPARE(s.entry.edit("RstTxEdit")->text(), QString("59 008"));
    }

    void powerEditorKeys_data() {
        // steps: the text after each key; the last one is taken
        columns<QString, QList<int>, QStringList>("start", "keys", "steps");
        const int up = Qt::Key_Up, down = Qt::Key_Down;
        QTest::newRow("up from 18W")
            << "18W" << QList{up, up, up} << QStringList{"20W", "30W", "40W"};
        QTest::newRow("down from 3W") << "3W" << QList{down, down} << QStringList{"1W", "1W"};
        QTest::newRow("editing keys")
            << "25W" << QList<int>{Qt::Key_Home, Qt::Key_Delete,    Qt::Key_End,
                                   Qt::Key_Left, Qt::Key_Backspace, Qt::Key_7}
            << QStringList{"25W", "5W", "5W", "5W", "W", "7W"};
    }

    void powerEditorKeys() {
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, steps);
        MaskFixture s;
        s.entry.label("TxPwrLabel")->setText(fetched<QString>("start"));
        QTest::mouseDClick(s.entry.label("TxPwrLabel"), Qt::LeftButton);
        QVERIFY(s.entry.edit("TxPwrEdit")->isVisible() && s.entry.edit("TxPwrEdit")->hasFocus());
        for (int i = 0; i < keys.size(); ++i) {
            // Delete with the text the X server gives it, which the test library leaves out.
            const QString text = keys[i] == Qt::Key_Delete ? QString(QChar(0x7f)) : QString();
            if (text.isEmpty())
                QTest::keyClick(s.entry.edit("TxPwrEdit"), Qt::Key(keys[i]));
            else
                QTest::sendKeyEvent(QTest::Click, s.entry.edit("TxPwrEdit"), Qt::Key(keys[i]), text,
                                    {});
            QCOMPARE(s.entry.edit("TxPwrEdit")->text(), steps[i]);
        }
        QTest::keyClick(s.entry.edit("TxPwrEdit"), Qt::Key_Return);
        QVERIFY(s.entry.edit("TxPwrEdit")->isHidden());
        QCOMPARE(s.entry.label("TxPwrLabel")->text(), steps.last());
        QVERIFY(s.entry.edit("CallEdit")->hasFocus());
    }

    void functionKeysToggleFieldsAndOpenEditors() {
        MaskFixture s({}, "[Buttons]\r\nBF3=c\r\nBF5=eh\r\n");
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F5);
        QVERIFY(s.entry.edit("DokEdit")->isHidden() && s.entry.edit("QthEdit")->isHidden() &&
                s.entry.label("OvLabel")->isHidden());
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F5, Qt::ShiftModifier); // Shift too
        QVERIFY(s.entry.edit("DokEdit")->isVisible());
        // Opened by its key, the editor takes the focus without the call check running.
        int callChecks = 0;
        connect(s.mask, &TEntryPage::callLeft, this, [&] { ++callChecks; });
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F3);
        QVERIFY(s.entry.list("BandListBox")->isVisible() &&
                s.entry.list("BandListBox")->hasFocus());
        QCOMPARE(callChecks, 0);
        QVERIFY(!s.mask->leaveQuietly());
        s.entry.list("BandListBox")->setCurrentRow(BandMode::TextToBandIndex("40m"));
        QTest::keyClick(s.entry.list("BandListBox"), Qt::Key_F3);
        QVERIFY(s.entry.list("BandListBox")->isHidden());
        QCOMPARE(s.entry.label("BandLabel")->text(), QString("40m"));
        // Unbound keys and other pages: nothing breaks.
        s.form->navigator().showPage(Navigator::Page::List);
        QTest::keyClick(s.shell().listGrid(), Qt::Key_F7);
        QTest::keyClick(s.shell().listGrid(), Qt::Key_F5);
        QVERIFY(s.entry.edit("DokEdit")->isHidden());
    }

    // Typing into the open list takes the entry typed or begun, never another; text that
    // names no entry is offered in the input box of the "..." entry.
    void typeAheadInLists_data() {
        columns<bool, QString, QString>("band", "typed", "taken");
        QTest::newRow("FT8 is not FM") << false << "FT8"
                                       << "FT8";
        QTest::newRow("band begun") << true << "12"
                                    << "12m";
        QTest::newRow("no such band") << true << "5m"
                                      << "? 5m";
    }
    void typeAheadInLists() {
        QFETCH(bool, band);
        QFETCH(QString, taken);
        MaskFixture s;
        QLabel* label = band ? s.entry.label("BandLabel") : s.entry.label("ModeLabel");
        QListWidget* list = band ? s.entry.list("BandListBox") : s.entry.list("ModeListBox");
        QString offered;
        if (taken.startsWith("? ")) {
            taken = taken.mid(2);
            ModalDialogs::onNextModal([&offered](QWidget* w) {
                auto* input = qobject_cast<QInputDialog*>(w);
                offered = input->textValue();
                input->accept();
            });
        }
        QTest::mouseDClick(label, Qt::LeftButton);
        // As a keyboard types: Shift goes down and up around every capital.
        for (const QChar c : fetched<QString>("typed")) {
            if (c.isUpper())
                QTest::keyPress(list, Qt::Key_Shift);
            QTest::keyClick(list, c.toLatin1(), c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
            if (c.isUpper())
                QTest::keyRelease(list, Qt::Key_Shift, Qt::ShiftModifier);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(label->text(), taken);
        QCOMPARE(offered.isEmpty() ? taken : offered, taken);
    }

    void bandListAndOtherBand() {
        MaskFixture s({}, "[Vorgaben]\r\nName=Op\r\n");
        s.type({"D"}); // too short: the call is marked red when left
        QVERIFY(s.mask->isRed(s.entry.edit("CallEdit")));
        QTest::mouseDClick(s.entry.label("BandLabel"), Qt::LeftButton);
        QCOMPARE(s.entry.list("BandListBox")->currentItem()->text(), QString("2m"));
        QCOMPARE(s.entry.list("BandListBox")->count(), BandMode::kOtherBand + 1);
        for (const bool cancel : {false, true}) { // cancelling keeps the band typed before
            QTest::mouseDClick(s.entry.label("BandLabel"), Qt::LeftButton);
            s.entry.list("BandListBox")->setCurrentRow(BandMode::kOtherBand);
            cancel ? ModalDialogs::cancelNextModal() : ModalDialogs::answerInputDialog("5m");
            QTest::keyClick(s.entry.list("BandListBox"), Qt::Key_Return);
            QCOMPARE(s.entry.label("BandLabel")->text(), QString("5m"));
            if (cancel)
                continue;
            // The call gets the focus while the input box closes: entered, its mark cleared.
            s.form->activateWindow(); // as the window manager does when the input box has gone
            QVERIFY(QTest::qWaitForWindowActive(s.form));
            QVERIFY(s.entry.edit("CallEdit")->hasFocus() &&
                    !s.mask->isRed(s.entry.edit("CallEdit")));
            QCOMPARE(s.entry.label("CallLabel")->palette().color(QPalette::WindowText),
                     QColor(255, 0, 0));
        }
        QTest::mouseDClick(s.entry.label("ModeLabel"), Qt::LeftButton);
        s.entry.list("ModeListBox")->setCurrentRow(BandMode::TextToModeIndex("pactor"));
        QTest::keyClick(s.entry.list("ModeListBox"), Qt::Key_Return);
        QCOMPARE(s.entry.label("ModeLabel")->text(), QString("Pactor"));
        // Escape clears the fields to their presets and keeps band and mode.
        s.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.form));
        QTest::keyClicks(s.entry.edit("RstTxEdit"), "57");
        s.entry.edit("NameEdit")->setText("Otto");
        QTest::keyClick(s.entry.edit("RstTxEdit"), Qt::Key_Escape);
        QCOMPARE(
            (QStringList{s.entry.edit("CallEdit")->text(), s.entry.edit("RstTxEdit")->text(),
                         s.entry.edit("NameEdit")->text(), s.entry.label("BandLabel")->text()}),
            (QStringList{"", "", "Op", "5m"}));
        QVERIFY(s.entry.field<QTimer>("AutoDateTimeTimer")->isActive() &&
                s.entry.edit("CallEdit")->hasFocus());
        QVERIFY(s.logLines().isEmpty());
    }

    void failedCommitKeepsMaskAndLists() {
        MaskFixture s({LogBuilder::qso(1)}, showOnly(""));
        QFile::remove(s.dir.file("a.log"));
        s.type({"DL1ABC", "59"});
        const QString message = ModalDialogs::messageOf([&s] { s.type({"59"}); });
        QVERIFY2(message.contains(s.dir.file("a.log")), qPrintable(message));
        QCOMPARE(s.entry.edit("CallEdit")->text(), QString("DL1ABC"));
        QCOMPARE(s.entry.label("NumberLabel")->text(), QString("2"));
        QCOMPARE(s.form->lists().upper()->rowCount(), 1);
        QVERIFY(!QFile::exists(s.dir.file("a.log")));
    }

    // An import of another program rewrites the log while a QSO is committed. It holds the
    // log's write lock until the commit has opened the log, so the commit always comes
    // after the rewrite; every QSO must still be numbered by its position.
    void commitDuringAnImportIsNumberedByTheLog() {
        MaskFixture s(LogBuilder::qsos(2), showOnly(""));
        const QString log = s.dir.file("a.log");
        const auto restore =
            qScopeGuard([waitMs = FileWriteLock::waitMs] { FileWriteLock::waitMs = waitMs; });
        FileWriteLock::waitMs = 60000; // the commit waits as long as the import takes
        QStringList calls;
        for (int round = 1; round <= 3; ++round) {
            QByteArray adif;
            for (const char* suffix : {"IA", "IB"}) {
                const QByteArray call = "QX" + QByteArray::number(round) + suffix;
                calls.append(call);
                adif += "<CALL:5>" + call + "<BAND:2>2m<MODE:2>FM<QSO_DATE:8>20040605" +
                        "<TIME_ON:4>1731<EOR>";
            }
            s.dir.writeFile("in.adi", adif);
            calls.append(QString("QX%1NEW").arg(round));
            s.type({calls.last(), "59"});
            QTest::keyClicks(QApplication::focusWidget(), "59");
            QSemaphore holding;
            QString importError;
            std::thread import([&] {
                const auto waitForCommit = [&, first = true](qint64, qint64) mutable {
                    if (std::exchange(first, false)) {
                        pollfd watch{inotify_init1(IN_CLOEXEC), POLLIN, 0};
                        inotify_add_watch(watch.fd, QFile::encodeName(log).constData(), IN_OPEN);
                        holding.release();
                        poll(&watch, 1, 60000); // the window opens the log to commit
                        close(watch.fd);
                    }
                    return true;
                };
                try {
                    LogConverter::importAdif(s.dir.file("in.adi"), log, waitForCommit);
                } catch (const DaluError& e) {
                    importError = e.message();
                    holding.release(); // failed before holding the lock: nothing to wait for
                }
            });
            holding.acquire();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            import.join();
            QVERIFY2(importError.isEmpty(), qPrintable(importError));
        }
        const QList<QByteArray> lines = s.logLines();
        QCOMPARE(lines.size(), 2 + calls.size());
        QStringList logged;
        for (int n = 1; n <= lines.size(); ++n) {
            const QList<QByteArray> f = lines[n - 1].split(';');
            QCOMPARE(f[0], QByteArray::number(n));
            logged.append(f[5]);
        }
        QCOMPARE(logged.mid(2), calls);
        // The lists follow the log, not the window's own count.
        QCOMPARE(s.form->lists().upper()->cell(lines.size() - 1, 5), calls.last());
        QCOMPARE(s.entry.label("NumberLabel")->text(), QString::number(lines.size() + 1));
    }

    // Typing and pasting give the same: what Windows-1252 holds stays, other letters become
    // their base letter, a character without one "?"; a typed separator is refused.
    void fieldsTakeOnlyWhatTheLogCanHold_data() {
        columns<QString, bool, QString, QByteArray>("field", "paste", "input", "stored");
        const struct {
            const char* name;
            const char* field;
            QString input;
            QByteArray stored;
        } cases[] = {
            {"QTH", "QthEdit", QString::fromUtf8("\u0141\u00f3d\u017a"),
             "L\xf3"
             "dz"},
            {"name", "NameEdit", QString::fromUtf8("J\u00fcrgen \u0141ukasz"), "J\xfcrgen Lukasz"},
            {"comments", "CommentsMemo", QString::fromUtf8("Ji\u0159\u00ed \u4e2d\u20ac"),
             "Jir\xed ?\x80"},
        };
        for (const auto& c : cases) {
            for (const bool paste : {false, true})
                QTest::addRow("%s %s", paste ? "pasted" : "typed", c.name)
                    << c.field << paste << c.input << c.stored;
        }
        const QString jiri = QString::fromUtf8("Ji\u0159\u00ed;");
        QTest::newRow("typed: separator refused")
            << "NameEdit" << false << jiri << QByteArray("Jir\xed");
        QTest::newRow("pasted: line break, letter, separator")
            << "NameEdit" << true << jiri + "\r\nNov\u00e1k" << QByteArray("Jir\xed, Nov\xe1k");
        QTest::newRow("pasted into the comments: line break kept")
            << "CommentsMemo" << true << jiri + "\r\nx" << QByteArray("Jir\xed,#13#10x");
    }

    void fieldsTakeOnlyWhatTheLogCanHold() {
        QFETCH(QString, field);
        QFETCH(QString, input);
        MaskFixture s({}, showOnly("hij"));
        s.type({"DL1ABC", "59", "59"});
        QWidget* target = s.mask->findChild<QWidget*>(field);
        target->setFocus();
        if (fetched<bool>("paste")) {
            QApplication::clipboard()->setText(input);
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        } else {
            for (const QChar c : input) // also letters beyond Latin-1, which keyClicks refuses
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), {});
        }
        for (int i = 0; i < 4 && s.logLines().isEmpty(); ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(s.logLines().size(), 1);
        const QList<QByteArray> fields = s.logLines()[0].split(';');
        QCOMPARE(fields.size(), 16);
        const int column = field == "QthEdit" ? 10 : field == "NameEdit" ? 9 : 13;
        QCOMPARE(fields[column], fetched<QByteArray>("stored"));
    }

    void multiLineCommentStaysOneRecord() {
        const QByteArray before = LogBuilder::logContent({LogBuilder::qso(1)});
        MaskFixture s({LogBuilder::qso(1)}, showOnly("j"));
        s.type({"DL1ABC", "59", "59"});
        QVERIFY(s.entry.comments()->hasFocus());
        for (const char* text : {"erste", "zweite"}) {
            QTest::keyClicks(s.entry.comments(), text);
            QTest::keyClick(s.entry.comments(), Qt::Key_Return, Qt::ControlModifier);
        }
        s.type({"dritte"});
        const QByteArray log = s.dir.readFile("a.log");
        QVERIFY(log.startsWith(before));
        const QByteArray added = log.mid(before.size());
        QVERIFY2(added.endsWith(";2m;FM;DL1ABC;59;59;;;;;10W;erste#13#10zweite#13#10dritte;;\r\n"),
                 added.constData());
        QCOMPARE(added.count('\r') + added.count('\n'), 2);
        // Read back: the lists join the lines, the edit page (opened from the mask's list) splits
        // them.
        QCOMPARE(s.form->lists().lower()->cell(1, 13), QString("erste zweite dritte"));
        s.shell().maskGrid()->setFocus();
        QTest::keyClick(s.shell().maskGrid(), Qt::Key_Return);
        QCOMPARE(BrowseDriver::Edit(s.form->editPage).eCallEdit->text(), QString("DL1ABC"));
        QCOMPARE(BrowseDriver::Edit(s.form->editPage).eCommentsMemo->toPlainText(),
                 QString("erste\nzweite\ndritte"));
    }
};

QTEST_MAIN(TestEntryMask)
#include "tst_entrymask.moc"
