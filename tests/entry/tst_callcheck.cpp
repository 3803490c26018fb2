#include "callcheck.h"
#include "doppeltform.h"
#include "maskfixture.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "widgettest.h"

namespace {

TQsoRecord qso(int n, const QByteArray& call, const QByteArray& band = "20m",
               const QByteArray& mode = "SSB", const QByteArray& date = "01.01.2000") {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Band] = band;
    r[QsoField::Mode] = mode;
    r[QsoField::Date] = date;
    return r;
}

// The last QSO sets the mask's band and mode (they carry over): 2m FM.
TQsoRecord lastQso(int n) {
    return qso(n, "QX9ZZZ", "2m", "FM");
}

struct CheckSession : MaskFixture {
    using MaskFixture::MaskFixture;
    // Reference logs by number (1 to 4) and file name, and the Luxusfunktion. ref1.log holds
    // DK2XY and QX1ABC, ref4.log DL5UU.
    void useReferenceLogs(const QList<std::pair<int, const char*>>& logs, bool luxury) {
        dir.writeFile("ref1.log", LogBuilder::rawLog({"7;01.06.2004;07:31:00;2m;FM;DK2XY;59;59;B01;"
                                                      "Hans;Berlin;JO62QM;10W;;;",
                                                      "8;01.06.2004;08:31:00;2m;FM;QX1ABC;59;59;"
                                                      "A01;Otto;Bonn;JO30RQ;10W;;;"}));
        dir.writeFile("ref4.log", LogBuilder::rawLog({"9;01.06.2004;09:31:00;2m;FM;DL5UU;59;59;C05;"
                                                      "Erika;Kiel;JN58TD;10W;;;"}));
        for (const auto& [n, name] : logs)
            form->station().settings().WriteString("Referenz-Logs", QString("Log%1").arg(n),
                                                   dir.file(name));
        form->station().settings().WriteBool("Referenz-Logs", "Luxusfunktion", luxury);
    }
    QString liste2(int col, int row) const { return form->lists().lower()->cell(row - 1, col); }
    QStringList liste2Calls() const {
        QStringList calls;
        for (int row = 1; row <= form->lists().lower()->rowCount(); ++row)
            calls.append(liste2(5, row));
        return calls;
    }
    bool yellow() const {
        return ShellDriver(form).maskGrid()->palette().color(QPalette::Base) == QColor(255, 255, 0);
    }
};

// While it lives, answers the duplicate window once it is active: with a key on its focused
// button ("1", "2", "3", Return) or by clicking button 2 or 3.
struct DuplicateAnswer {
    explicit DuplicateAnswer(Qt::Key key = Qt::Key_Return, int button = 0) {
        QObject::connect(&timer, &QTimer::timeout, [this, key, button] {
            auto* form = qobject_cast<TDoppeltForm*>(QApplication::activeModalWidget());
            if (!form || shown || !form->isActiveWindow() ||
                !form->isAncestorOf(QApplication::focusWidget()))
                return;
            shown = true;
            const auto* qso = form->findChild<QTableWidget*>("ValueListEditor");
            for (int row = 0; row < qso->rowCount(); ++row)
                fields.append(qso->item(row, 0)->text() + "=" + qso->item(row, 1)->text());
            if (button)
                form->findChild<QPushButton*>(button == 2 ? "Button2" : "Button3")->click();
            else
                QTest::keyClick(QApplication::focusWidget(), key);
        });
        timer.start(10);
    }
    ModalDialogs::Expecting expecting;
    QTimer timer;
    bool shown = false;
    QStringList fields;
};

} // namespace

class TestCallCheck : public QObject {
    Q_OBJECT
private slots:
    void duplicateSwitches_data() {
        // logged: options; the earlier QSO's call, band, mode, day
        columns<QString, bool>("logged", "duplicate");
        // QX1ABC typed; the mask shows 2m, FM and today. The core's test covers the whole matrix.
        QTest::newRow("all off: logged in lower case") << "000 qx1abc 20m SSB 2000" << true;
        QTest::newRow("band on: other band") << "100 QX1ABC 20m FM today" << false;
        QTest::newRow("mode on: other mode") << "010 QX1ABC 2m SSB today" << false;
        QTest::newRow("date on: other day") << "001 QX1ABC 2m FM 2000" << false;
        QTest::newRow("all on: all equal") << "111 QX1ABC 2m FM today" << true;
    }

    void duplicateSwitches() {
        const QList<QByteArray> f = fetched<QString>("logged").toLatin1().split(' ');
        const QByteArray day = f[4] == "today"
                                   ? QDate::currentDate().toString("dd.MM.yyyy").toLatin1()
                                   : QByteArray("01.01.2000");
        CheckSession s({qso(1, f[1], f[2], f[3], day), lastQso(2)},
                       "[Doppel-Check]\r\nOptions=" + f[0] + "\r\n");
        DuplicateAnswer answer;
        s.type({"QX1ABC"});
        QCOMPARE(answer.shown, fetched<bool>("duplicate"));
    }

    void duplicateResults_data() {
        columns<int, int, int>("key", "button", "result");
        QTest::newRow("Enter is 1") << int(Qt::Key_Return) << 0 << 1;
        QTest::newRow("key 1") << int(Qt::Key_1) << 0 << 1;
        QTest::newRow("key 2") << int(Qt::Key_2) << 0 << 2;
        QTest::newRow("key 3") << int(Qt::Key_3) << 0 << 3;
        QTest::newRow("button 2") << 0 << 2 << 2;
        QTest::newRow("button 3") << 0 << 3 << 3;
    }

    // The duplicate window shows the first earlier QSO from the top (2, not 3), and answers.
    void duplicateResults() {
        QFETCH(int, result);
        TQsoRecord earlier = qso(1, "QX1ABC");
        earlier[QsoField::Comments] = "erste\r\nZeile";
        earlier[QsoField::QslOut] = "02.01.2000";
        CheckSession s({lastQso(1), earlier, qso(3, "QX1ABC", "2m")});
        {
            DuplicateAnswer answer(Qt::Key(fetched<int>("key")), fetched<int>("button"));
            s.type({"QX1ABC"});
            QCOMPARE(answer.fields.join('|'),
                     QString("#=1|Date=01.01.2000|UTC=01:31:00|Band=20m|Mode=SSB|Call=QX1ABC|"
                             "RST TX=59|RST RX=59|DOK=Z10|Name=Erika|QTH=Kiel|Locator=JO54AH|"
                             "TX Pwr=10W|Comments=erste Zeile|QSL Out=02.01.2000|QSL In="));
        }
        auto* window = s.session->doppeltForm();
        QCOMPARE(window->findChild<QLabel*>("Label1")->text(),
                 QString("Dieses Call wurde bereits geloggt!"));
        QCOMPARE(window->findChild<QPushButton*>("Button3")->text(),
                 QString("3 = Eingabe korrigieren"));
        QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        // 1 goes on in the next field, 2 discards, 3 goes back to the call. Where the focus is in
        // the main window, whether or not it is active again yet:
        QCOMPARE(s.form->focusWidget(),
                 result == 1 ? s.entry.edit("RstTxEdit") : s.entry.edit("CallEdit"));
        QCOMPARE(s.entry.edit("CallEdit")->text(), result == 2 ? QString() : QString("QX1ABC"));
    }

    void leavingTheCall_data() {
        // The call typed is in the log (none: an empty log, one empty list row). Ctrl+L goes to
        // the list, F2 opens the band list.
        columns<QString, int, bool, bool>("typed", "key", "duplicate", "red");
        const int enter = Qt::Key_Return, ctrlL = Qt::Key_L, f2 = Qt::Key_F2;
        QTest::newRow("one character: red, but compared") << "q" << enter << true << true;
        QTest::newRow("empty call finds no empty row") << "" << enter << false << true;
        QTest::newRow("to the list: no check") << "QX1ABC" << ctrlL << false << false;
        QTest::newRow("to an editor by its key: no check") << "QX1ABC" << f2 << false << false;
    }

    void leavingTheCall() {
        QFETCH(QString, typed);
        const QByteArray logged = typed.toUpper().toLatin1();
        QFETCH(int, key);
        QFETCH(bool, red);
        CheckSession s(logged.isEmpty() ? QList<TQsoRecord>() : QList{qso(1, logged), lastQso(2)},
                       "[Buttons]\r\nBF2=c\r\n");
        DuplicateAnswer answer;
        QTest::keyClicks(s.entry.edit("CallEdit"), typed);
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key(key),
                        key == Qt::Key_L ? Qt::ControlModifier : Qt::NoModifier);
        if (key == Qt::Key_L)
            QTRY_VERIFY(s.shell().maskGrid()->hasFocus());
        if (key == Qt::Key_F2) { // the band list confirmed, back in the call
            QTRY_VERIFY(s.entry.list("BandListBox")->hasFocus());
            QTest::keyClick(s.entry.list("BandListBox"), Qt::Key_Return);
            QTRY_VERIFY(s.entry.edit("CallEdit")->hasFocus());
        }
        // The check runs inside the key and focus handlers; what they posted runs here.
        QCoreApplication::processEvents();
        QCOMPARE(answer.shown, fetched<bool>("duplicate"));
        QCOMPARE(s.mask->isRed(s.entry.edit("CallEdit")), red);
        QCOMPARE(s.entry.edit("CallEdit")->palette().color(QPalette::Base) == QColor(255, 0, 0),
                 red);
        if (key == Qt::Key_F2) { // the next ordinary exit checks again
            QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_Return);
            QVERIFY(answer.shown);
        }
    }

    void luxuryListFollowsTyping() {
        TQsoRecord own = LogBuilder::qso(1, "DL1ABC");
        own[QsoField::Dok] = "B01";
        CheckSession s({own, LogBuilder::qso(2, "QX1ABC/P")});
        s.useReferenceLogs({{1, "ref1.log"}, {4, "ref4.log"}}, false);
        QTest::keyClicks(s.entry.edit("CallEdit"), "d");
        QVERIFY(!s.yellow());
        QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC", "QX1ABC/P"}));
        s.entry.edit("CallEdit")->clear();
        s.form->station().settings().WriteBool("Referenz-Logs", "Luxusfunktion", true);
        QTest::keyClicks(s.entry.edit("CallEdit"), "d");
        QVERIFY(s.yellow());
        QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC", "DK2XY", "DL5UU"}));
        QCOMPARE(s.liste2(0, 1), QString("1"));               // the open log's number stays
        QCOMPARE(s.liste2(0, 2) + s.liste2(0, 3), QString()); // reference rows have none
        QCOMPARE(s.liste2(9, 2), QString("Hans"));
        // Further keystrokes filter the table read at the first one: the files are not read again.
        QFile::remove(s.dir.file("ref1.log"));
        QFile::remove(s.dir.file("ref4.log"));
        QTest::keyClicks(s.entry.edit("DokEdit"), "B");
        QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC", "DK2XY"}));
        QTest::keyClicks(s.entry.edit("LocatorEdit"), "JO6");
        QCOMPARE(s.liste2Calls(), QStringList({"DK2XY"}));
        s.entry.edit("LocatorEdit")->clear();
        s.entry.edit("DokEdit")->clear();
        QTest::keyClicks(s.entry.edit("CallEdit"), "k");
        QCOMPARE(s.liste2Calls(), QStringList({"DK2XY"}));
        QTest::keyClicks(s.entry.edit("CallEdit"), "9");
        QCOMPARE(s.liste2Calls(), QStringList()); // no hit
        // Switching the function off does not end the yellow state already begun.
        s.form->station().settings().WriteBool("Referenz-Logs", "Luxusfunktion", false);
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_Backspace);
        QVERIFY(s.yellow());
        s.entry.edit("CallEdit")->clear();
        QVERIFY(!s.yellow());
        QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC", "QX1ABC/P"}));
        QCOMPARE(s.form->callCheck->referenceTable().size(), 0);
    }

    void takingAReferenceRow_data() {
        QTest::addColumn<bool>("doubleClick");
        QTest::newRow("Enter") << false;
        QTest::newRow("double-click") << true;
    }

    void takingAReferenceRow() {
        CheckSession s({LogBuilder::qso(1, "DL1ABC"), lastQso(2)});
        s.useReferenceLogs({{1, "ref1.log"}}, true);
        QTest::keyClicks(s.entry.edit("CallEdit"), "D");
        QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC", "DK2XY"}));
        s.entry.edit("NameEdit")->setText("alt");
        QsoGrid* grid = s.shell().maskGrid();
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        grid->selectGridRow(2);
        if (fetched<bool>("doubleClick")) {
            const QRect cell = grid->visualRect(s.form->lists().lower()->index(1, 5));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            QTest::keyClick(grid, Qt::Key_Return);
        }
        QCOMPARE((QStringList{s.entry.edit("CallEdit")->text(), s.entry.edit("DokEdit")->text(),
                              s.entry.edit("NameEdit")->text(), s.entry.edit("QthEdit")->text(),
                              s.entry.edit("LocatorEdit")->text()}),
                 (QStringList{"DK2XY", "B01", "Hans", "Berlin", "JO62QM"}));
        QTRY_VERIFY(s.entry.edit("CallEdit")->hasFocus());
        QVERIFY(s.yellow());
        QCOMPARE(s.liste2Calls(), QStringList({"DK2XY"}));
        // Still on the entry page: the edit page did not take the double click.
        QCOMPARE(s.form->currentPage(), Navigator::Page::Entry);
    }

    void standardFunction_data() {
        // expected: DOK, name, QTH, locator
        columns<QString, QStringList>("call", "expected");
        const QStringList unchanged = {"X99", "Name", "QTH", "JJ00AA"};
        QTest::newRow("unknown call changes nothing") << "W1AW" << unchanged;
        QTest::newRow("open log first")
            << "DL1ABC" << QStringList({"Z10", "Erika", "Kiel", "JO54AH"});
        QTest::newRow("portable finds the fixed station")
            << "QX1ABC/P" << QStringList({"A01", "Otto", "Bonn", "JO30RQ"});
        QTest::newRow("reference log 4 after missing ones")
            << "DL5UU" << QStringList({"C05", "Erika", "Kiel", "JN58TD"});
        QTest::newRow("no prefix match") << "DK2X" << unchanged;
    }

    void standardFunction() {
        QFETCH(QString, call);
        CheckSession s({LogBuilder::qso(1, "DL1ABC"), lastQso(2)});
        s.useReferenceLogs({{2, "missing.log"}, {3, "ref1.log"}, {4, "ref4.log"}}, false);
        s.entry.edit("CallEdit")->setText(call);
        s.entry.edit("DokEdit")->setText("X99");
        s.entry.edit("NameEdit")->setText("Name");
        s.entry.edit("QthEdit")->setText("QTH");
        s.entry.edit("LocatorEdit")->setText("JJ00AA");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(
            QStringList({s.entry.edit("DokEdit")->text(), s.entry.edit("NameEdit")->text(),
                         s.entry.edit("QthEdit")->text(), s.entry.edit("LocatorEdit")->text()}),
            fetched<QStringList>("expected"));
        QCOMPARE(s.entry.edit("CallEdit")->text(), call);
    }
};

QTEST_MAIN(TestCallCheck)
#include "tst_callcheck.moc"
