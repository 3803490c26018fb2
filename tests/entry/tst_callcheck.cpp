#include "callcheckfixture.h"
#include "cp1252.h"
#include "dalusession.h"
#include "doppeltform.h"
#include "duplicateoptions.h"
#include "entrypage.h"
#include "logbuilder.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "qsogrid.h"
#include "qsogridmodel.h"
#include "referencelogoptions.h"
#include "tempprogramdir.h"

#include <QCheckBox>
#include <QDate>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

const QColor kYellow(255, 255, 0);

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

QByteArray today() {
    return QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
}

// The mask of a station, active, with the focus in the call field.
struct Station : CallCheckFixture {
    explicit Station(const QList<TQsoRecord>& qsos = {}, const QByteArray& ini = {})
        : CallCheckFixture(qsos, ini), mask(form->entryPage) {
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form))
            qWarning("main window not active");
        mask->CallEdit->setFocus();
    }
    void pressCtrlR() {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
    }
    void enterCall(const char* call) {
        QTest::keyClicks(mask->CallEdit, call);
        QTest::keyClick(mask->CallEdit, Qt::Key_Return);
    }
    // Reference logs by number (1 to 4) and file name in the directory, and the Luxusfunktion
    // switched on if asked.
    void useReferenceLogs(const QList<std::pair<int, const char*>>& logs, bool luxury) {
        for (const auto& [n, name] : logs)
            form->settings().WriteString("Referenz-Logs", QString("Log%1").arg(n), dir.file(name));
        if (luxury)
            form->settings().WriteBool("Referenz-Logs", "Luxusfunktion", true);
    }
    QString liste2(int col, int row) const { return form->liste2Model->Cells(col, row); }
    QStringList liste2Calls() const {
        QStringList calls;
        for (int row = 1; row < form->liste2Model->RowCount(); ++row)
            calls.append(liste2(5, row));
        return calls;
    }
    bool yellow() const {
        return form->Liste2StringGrid->palette().color(QPalette::Base) == kYellow;
    }
    TEntryPage* mask;
};

// While it lives, answers the duplicate window when it shows: with a key on its focused
// button ("1", "2", "3", Return) or by clicking a button.
class DuplicateAnswer {
public:
    explicit DuplicateAnswer(Qt::Key key = Qt::Key_Return) : m_key(key) { arm(); }
    explicit DuplicateAnswer(int button) : m_button(button) { arm(); }
    bool shown() const { return m_shown; }
    QStringList fields() const { return m_fields; }

private:
    void arm() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* form = qobject_cast<TDoppeltForm*>(QApplication::activeModalWidget());
            // A key goes to the focused button only once the window is active and focused.
            if (!form || m_shown || !form->isActiveWindow() ||
                !form->isAncestorOf(QApplication::focusWidget()))
                return;
            m_shown = true;
            for (int row = 0; row < form->ValueListEditor->rowCount(); ++row)
                m_fields.append(form->ValueListEditor->item(row, 0)->text() + "=" +
                                form->ValueListEditor->item(row, 1)->text());
            if (m_button == 1)
                form->Button1->click();
            else if (m_button == 2)
                form->Button2->click();
            else if (m_button == 3)
                form->Button3->click();
            else
                QTest::keyClick(QApplication::focusWidget(), m_key);
        });
        m_timer.start();
    }
    ModalDialogs::Expecting m_expecting;
    QTimer m_timer;
    Qt::Key m_key = Qt::Key_Return;
    int m_button = 0;
    bool m_shown = false;
    QStringList m_fields;
};

// Writes the reference logs into the directory of a station not yet built.
struct RefLogFiles {
    explicit RefLogFiles(const TempProgramDir& dir) {
        TQsoRecord dk = LogBuilder::qso(7, "DK2XY");
        dk[QsoField::Dok] = "B01";
        dk[QsoField::Name] = "Hans";
        dk[QsoField::Qth] = "Berlin";
        dk[QsoField::Locator] = "JO62QM";
        TQsoRecord qx = LogBuilder::qso(8, "QX1ABC");
        qx[QsoField::Dok] = "A01";
        qx[QsoField::Name] = "Otto";
        qx[QsoField::Qth] = "Bonn";
        qx[QsoField::Locator] = "JO30RQ";
        LogBuilder::writeLog(dir.file("ref1.log"), {dk, qx});
        TQsoRecord dl = LogBuilder::qso(9, "DL5UU");
        dl[QsoField::Dok] = "C05";
        dl[QsoField::Locator] = "JN58TD";
        LogBuilder::writeLog(dir.file("ref4.log"), {dl});
    }
};

} // namespace

class TestCallCheck : public QObject {
    Q_OBJECT
private slots:
    void duplicateSwitches_data();
    void duplicateSwitches();
    void callComparison_data();
    void callComparison();
    void duplicateWindowShowsTheEarlierQso();
    void duplicateResults_data();
    void duplicateResults();
    void functionKeyOpeningMakesNoCheck();
    void listFocusMakesNoCheck();
    void oneCharacterCallRedButCompared();
    void emptyCallNoCheck();
    void luxuryListFollowsTyping();
    void luxuryOffKeepsListWhite();
    void takingAReferenceRow_data();
    void takingAReferenceRow();
    void standardFunction_data();
    void standardFunction();
    void luxuryRefilterIsFastOnTheWindow();
};

void TestCallCheck::duplicateSwitches_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<QByteArray>("band");
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<bool>("sameDay");
    QTest::addColumn<bool>("duplicate");
    // The mask shows 2m, FM and today; the unit test of the check covers the whole matrix.
    const auto row = [](const char* name, const char* options, const char* band, const char* mode,
                        bool sameDay, bool duplicate) {
        QTest::newRow(name) << QByteArray(options) << QByteArray(band) << QByteArray(mode)
                            << sameDay << duplicate;
    };
    row("all off: other band, mode and day", "000", "20m", "SSB", false, true);
    row("band on: other band", "100", "20m", "FM", true, false);
    row("band on: same band, other day", "100", "2m", "SSB", false, true);
    row("mode on: fm is FM", "010", "20m", "fm", false, true);
    row("mode on: other mode", "010", "2m", "SSB", true, false);
    row("date on: other day", "001", "2m", "FM", false, false);
    row("date on: same day", "001", "20m", "SSB", true, true);
    row("all on: all equal", "111", "2m", "FM", true, true);
}

void TestCallCheck::duplicateSwitches() {
    QFETCH(QByteArray, options);
    QFETCH(QByteArray, band);
    QFETCH(QByteArray, mode);
    QFETCH(bool, sameDay);
    QFETCH(bool, duplicate);
    Station s({qso(1, "QX1ABC", band, mode, sameDay ? today() : "01.01.2000"), lastQso(2)},
              "[Doppel-Check]\r\nOptions=" + options + "\r\n");
    QCOMPARE(s.mask->BandLabel->text(), QString("2m"));
    QCOMPARE(s.duplicateOptions->dcBandCheckBox->isChecked(), options[0] == '1');
    QCOMPARE(s.duplicateOptions->dcDateCheckBox->isChecked(), options[2] == '1');
    DuplicateAnswer answer;
    s.enterCall("QX1ABC");
    QCOMPARE(answer.shown(), duplicate);
}

void TestCallCheck::callComparison_data() {
    QTest::addColumn<QByteArray>("logged");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("qx1abc logged, QX1ABC typed") << QByteArray("qx1abc") << "QX1ABC" << true;
    QTest::newRow("QX1ABC logged, qx1abc set") << QByteArray("QX1ABC") << "qx1abc" << true;
    QTest::newRow("QX1ABC/P is not QX1ABC") << QByteArray("QX1ABC") << "QX1ABC/P" << false;
    QTest::newRow("QX1ABC is not QX1ABC/P") << QByteArray("QX1ABC/P") << "QX1ABC" << false;
    QTest::newRow("no prefix match") << QByteArray("QX1ABCD") << "QX1ABC" << false;
}

void TestCallCheck::callComparison() {
    QFETCH(QByteArray, logged);
    QFETCH(QString, typed);
    QFETCH(bool, duplicate);
    Station s({qso(1, logged), lastQso(2)});
    DuplicateAnswer answer;
    s.mask->CallEdit->setText(typed); // as set, not upper-cased by typing
    QTest::keyClick(s.mask->CallEdit, Qt::Key_Return);
    QCOMPARE(answer.shown(), duplicate);
}

void TestCallCheck::duplicateWindowShowsTheEarlierQso() {
    TQsoRecord earlier = qso(1, "QX1ABC");
    earlier[QsoField::Comments] = "erste\r\nZeile";
    earlier[QsoField::QslOut] = "02.01.2000";
    Station s({lastQso(1), earlier, qso(3, "QX1ABC", "2m")});
    DuplicateAnswer answer(1);
    s.enterCall("QX1ABC");
    QVERIFY(answer.shown());
    // The first duplicate from the top: QSO 2, not 3.
    QCOMPARE(answer.fields(),
             QStringList({"#=1", "Date=01.01.2000", "UTC=01:31:00", "Band=20m", "Mode=SSB",
                          "Call=QX1ABC", "RST TX=59", "RST RX=59", "DOK=Z10", "Name=Erika",
                          "QTH=Kiel", "Locator=JO54AH", "TX Pwr=10W", "Comments=erste Zeile",
                          "QSL Out=02.01.2000", "QSL In="}));
    auto* window = s.session->doppeltForm();
    QCOMPARE(window->Label1->text(), QString("Dieses Call wurde bereits geloggt!"));
    QCOMPARE(window->Button3->text(), QString("3 = Eingabe korriegieren")); // sic
    QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
}

void TestCallCheck::duplicateResults_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter is 1") << int(Qt::Key_Return) << 0 << 1;
    QTest::newRow("key 1") << int(Qt::Key_1) << 0 << 1;
    QTest::newRow("key 2") << int(Qt::Key_2) << 0 << 2;
    QTest::newRow("key 3") << int(Qt::Key_3) << 0 << 3;
    QTest::newRow("button 2") << 0 << 2 << 2;
    QTest::newRow("button 3") << 0 << 3 << 3;
}

void TestCallCheck::duplicateResults() {
    QFETCH(int, key);
    QFETCH(int, button);
    QFETCH(int, result);
    Station s({qso(1, "QX1ABC"), lastQso(2)});
    {
        std::unique_ptr<DuplicateAnswer> answer =
            button ? std::make_unique<DuplicateAnswer>(button)
                   : std::make_unique<DuplicateAnswer>(static_cast<Qt::Key>(key));
        s.enterCall("QX1ABC");
        QVERIFY(answer->shown());
    }
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    // Where the focus is in the main window, whether or not it is active again yet.
    QWidget* focus = s.form->focusWidget();
    switch (result) {
    case 1: // the entry goes on in the next field
        QCOMPARE(s.mask->CallEdit->text(), QString("QX1ABC"));
        QCOMPARE(focus, s.mask->RstTxEdit);
        break;
    case 2: // discarded
        QVERIFY(s.mask->CallEdit->text().isEmpty());
        QCOMPARE(focus, s.mask->CallEdit);
        break;
    default: // back to the call
        QCOMPARE(s.mask->CallEdit->text(), QString("QX1ABC"));
        QCOMPARE(focus, s.mask->CallEdit);
    }
}

void TestCallCheck::functionKeyOpeningMakesNoCheck() {
    Station s({qso(1, "QX1ABC"), lastQso(2)}, "[Buttons]\r\nBF2=c\r\n");
    QTest::keyClicks(s.mask->CallEdit, "QX1ABC");
    {
        DuplicateAnswer answer;
        QTest::keyClick(s.mask->CallEdit, Qt::Key_F2);
        QVERIFY(s.mask->BandListBox->isVisible());
        QTRY_VERIFY(s.mask->BandListBox->hasFocus());
        QTest::qWait(50);
        QVERIFY(!answer.shown());
        QTest::keyClick(s.mask->BandListBox, Qt::Key_Return);
        QTRY_VERIFY(s.mask->CallEdit->hasFocus());
        QVERIFY(!answer.shown());
    }
    // The next ordinary exit checks again.
    DuplicateAnswer answer(1);
    QTest::keyClick(s.mask->CallEdit, Qt::Key_Return);
    QVERIFY(answer.shown());
}

void TestCallCheck::listFocusMakesNoCheck() {
    Station s({qso(1, "QX1ABC"), lastQso(2)});
    DuplicateAnswer answer;
    QTest::keyClicks(s.mask->CallEdit, "QX1ABC");
    QTest::keyClick(s.mask->CallEdit, Qt::Key_L, Qt::ControlModifier);
    QTRY_VERIFY(s.form->Liste2StringGrid->hasFocus());
    QTest::qWait(50);
    QVERIFY(!answer.shown());
    QVERIFY(!s.mask->isRed(s.mask->CallEdit));
}

void TestCallCheck::oneCharacterCallRedButCompared() {
    Station s({qso(1, "Q"), lastQso(2)});
    DuplicateAnswer answer(1);
    s.enterCall("q");
    QVERIFY(answer.shown());
    QVERIFY(s.mask->isRed(s.mask->CallEdit));
    QCOMPARE(s.mask->CallEdit->palette().color(QPalette::Base), QColor(255, 0, 0));
}

void TestCallCheck::emptyCallNoCheck() {
    // An empty log has one empty row: an empty call must not find it.
    Station s;
    DuplicateAnswer answer;
    QTest::keyClick(s.mask->CallEdit, Qt::Key_Return);
    QTest::qWait(50);
    QVERIFY(!answer.shown());
    QVERIFY(s.mask->isRed(s.mask->CallEdit));
}

void TestCallCheck::luxuryListFollowsTyping() {
    std::unique_ptr<Station> s;
    {
        TQsoRecord own = LogBuilder::qso(1, "DL1ABC");
        own[QsoField::Dok] = "B01";
        s = std::make_unique<Station>(QList<TQsoRecord>{own, LogBuilder::qso(2, "QX1ABC/P")});
        RefLogFiles refs(s->dir);
        s->useReferenceLogs({{1, "ref1.log"}, {4, "ref4.log"}}, true);
    }
    QVERIFY(!s->yellow());
    QTest::keyClicks(s->mask->CallEdit, "d");
    QVERIFY(s->yellow());
    QCOMPARE(s->liste2Calls(), QStringList({"DL1ABC", "DK2XY", "DL5UU"}));
    QCOMPARE(s->liste2(0, 1), QString("1")); // the open log's number stays
    QVERIFY(s->liste2(0, 2).isEmpty());      // reference rows have none
    QVERIFY(s->liste2(0, 3).isEmpty());
    QCOMPARE(s->liste2(9, 2), QString("Hans"));
    QTest::keyClicks(s->mask->DokEdit, "B");
    QCOMPARE(s->liste2Calls(), QStringList({"DL1ABC", "DK2XY"}));
    QTest::keyClicks(s->mask->LocatorEdit, "JO6");
    QCOMPARE(s->liste2Calls(), QStringList({"DK2XY"}));
    s->mask->LocatorEdit->clear();
    s->mask->DokEdit->clear();
    QTest::keyClicks(s->mask->CallEdit, "k");
    QCOMPARE(s->liste2Calls(), QStringList({"DK2XY"}));
    QTest::keyClicks(s->mask->CallEdit, "9");
    QCOMPARE(s->liste2Calls(), QStringList({""})); // the single empty row
    // Switching the function off does not end the yellow state already begun.
    s->form->settings().WriteBool("Referenz-Logs", "Luxusfunktion", false);
    QTest::keyClick(s->mask->CallEdit, Qt::Key_Backspace);
    QVERIFY(s->yellow());
    s->mask->CallEdit->clear();
    QVERIFY(!s->yellow());
    QCOMPARE(s->liste2Calls(), QStringList({"DL1ABC", "QX1ABC/P"}));
    QCOMPARE(s->check->referenceTable().size(), 0);
}

void TestCallCheck::luxuryOffKeepsListWhite() {
    Station s({LogBuilder::qso(1, "DL1ABC")});
    QTest::keyClicks(s.mask->CallEdit, "Q");
    QVERIFY(!s.yellow());
    QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC"}));
}

void TestCallCheck::takingAReferenceRow_data() {
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("Enter") << false;
    QTest::newRow("double-click") << true;
}

void TestCallCheck::takingAReferenceRow() {
    QFETCH(bool, doubleClick);
    Station s({LogBuilder::qso(1, "DL1ABC"), lastQso(2)});
    RefLogFiles refs(s.dir);
    s.useReferenceLogs({{1, "ref1.log"}}, true);
    QTest::keyClicks(s.mask->CallEdit, "D");
    QCOMPARE(s.liste2Calls(), QStringList({"DL1ABC", "DK2XY"}));
    s.mask->NameEdit->setText("alt");
    QsoGrid* grid = s.form->Liste2StringGrid;
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
    grid->selectGridRow(2);
    if (doubleClick) {
        const QRect cell = grid->visualRect(s.form->liste2Model->index(1, 5));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        QTest::keyClick(grid, Qt::Key_Return);
    }
    QCOMPARE(s.mask->CallEdit->text(), QString("DK2XY"));
    QCOMPARE(s.mask->DokEdit->text(), QString("B01"));
    QCOMPARE(s.mask->NameEdit->text(), QString("Hans"));
    QCOMPARE(s.mask->QthEdit->text(), QString("Berlin"));
    QCOMPARE(s.mask->LocatorEdit->text(), QString("JO62QM"));
    QTRY_VERIFY(s.mask->CallEdit->hasFocus());
    QVERIFY(s.yellow());
    QCOMPARE(s.liste2Calls(), QStringList({"DK2XY"}));
    // Still on the entry page: the edit page did not take the double click.
    QCOMPARE(s.form->MainPageControl->currentWidget(), s.form->EingabeTS);
}

void TestCallCheck::standardFunction_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("expected"); // DOK, name, QTH, locator
    const QStringList unchanged = {"X99", "Name", "QTH", "JJ00AA"};
    QTest::newRow("unknown call changes nothing") << "W1AW" << unchanged;
    QTest::newRow("open log first") << "DL1ABC" << QStringList({"Z10", "Erika", "Kiel", "JO54AH"});
    QTest::newRow("portable finds the fixed station")
        << "QX1ABC/P" << QStringList({"A01", "Otto", "Bonn", "JO30RQ"});
    QTest::newRow("reference log 4 after missing ones")
        << "DL5UU" << QStringList({"C05", "Erika", "Kiel", "JN58TD"});
    QTest::newRow("no prefix match") << "DK2X" << unchanged;
}

void TestCallCheck::standardFunction() {
    QFETCH(QString, call);
    QFETCH(QStringList, expected);
    Station s({LogBuilder::qso(1, "DL1ABC"), lastQso(2)});
    RefLogFiles refs(s.dir);
    s.useReferenceLogs({{2, "missing.log"}, {3, "ref1.log"}, {4, "ref4.log"}}, false);
    s.mask->CallEdit->setText(call);
    s.mask->DokEdit->setText("X99");
    s.mask->NameEdit->setText("Name");
    s.mask->QthEdit->setText("QTH");
    s.mask->LocatorEdit->setText("JJ00AA");
    s.pressCtrlR();
    QCOMPARE(QStringList({s.mask->DokEdit->text(), s.mask->NameEdit->text(),
                          s.mask->QthEdit->text(), s.mask->LocatorEdit->text()}),
             expected);
    QCOMPARE(s.mask->CallEdit->text(), call);
}

void TestCallCheck::luxuryRefilterIsFastOnTheWindow() {
    // The whole keystroke as the operator sees it, list refill included: an open log and
    // four reference logs of 25,000 QSOs each.
    QList<TQsoRecord> big;
    for (int n = 1; n <= 25000; ++n)
        big.append(LogBuilder::qso(n, "D" + QByteArray::number(n % 10) + "ABC"));
    Station s(big);
    TMemIniFile& ini = s.form->settings();
    for (int n = 1; n <= 4; ++n) {
        const QString path = s.dir.file(QString("ref%1.log").arg(n));
        LogBuilder::writeLog(path, big);
        ini.WriteString("Referenz-Logs", QString("Log%1").arg(n), path);
    }
    ini.WriteBool("Referenz-Logs", "Luxusfunktion", true);
    QElapsedTimer t;
    t.start();
    QTest::keyClick(s.mask->CallEdit, Qt::Key_D);
    const qint64 first = t.restart();
    QCOMPARE(s.form->liste2Model->RowCount(), 125000 + 1);
    QTest::keyClick(s.mask->CallEdit, Qt::Key_1);
    const qint64 second = t.restart();
    QCOMPARE(s.form->liste2Model->RowCount(), 12500 + 1);
    QTest::keyClicks(s.mask->DokEdit, "Z");
    const qint64 dok = t.elapsed();
    qInfo("window: first character %lld ms, next %lld ms, DOK %lld ms", first, second, dok);
    QVERIFY2(first < 1500, "first character far too slow");
    QVERIFY2(second < 200 && dok < 200, "refilter far too slow");
}

QTEST_MAIN(TestCallCheck)
#include "tst_callcheck.moc"
