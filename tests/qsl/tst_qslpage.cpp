// The QSL page driven as the operator does: the rule on the options page, the out list,
// Enter and n on it, and finding the QSO of a received card.
#include "../browse/browsefixture.h"
#include "germanformat.h"
#include "modaldialogs.h"
#include "qsldriver.h"
#include "qsogridmodel.h"
#include "settingsdriver.h"
#include "station.h"
#include "widgettest.h"

namespace {

QStringList column(const QAbstractItemModel* model, int col) {
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells.append(model->index(row, col).data().toString());
    return cells;
}

// The QSL page shown, as the operator opens it.
QslDriver shownQslPage(const BrowseFixture& f) {
    f.form()->navigator().showPage(Navigator::Page::Evaluations);
    return QslDriver(f.form());
}

} // namespace

class TestQslPage : public QObject {
    Q_OBJECT
private slots:
    void outList_data() {
        columns<QByteArray, QStringList>("rule", "numbers");
        QTest::newRow("every QSO") << QByteArray() << QStringList{"1", "4", "5"};
        // QX2B's first QSO wants no card, yet it is the earlier QSO of 4 unless the mode counts.
        QTest::newRow("first per mode: 3 SSB, 4 FM")
            << QByteArray("FirstQso=1\r\nMode=1\r\n") << QStringList{"1", "4"};
        QTest::newRow("first per year: 2005")
            << QByteArray("FirstQso=1\r\nYear=1\r\n") << QStringList{"1", "5"};
    }

    void outList() {
        QList<TQsoRecord> log;
        for (const char* line : {"1;01.06.2004;01:31:00;20m;FM;QX1A;59;59;;;;;;;;",
                                 "2;02.06.2004;02:31:00;40m;FM;QX1A;59;59;;;;;;;05.06.2004;",
                                 "3;03.06.2004;03:31:00;20m;SSB;QX2B;59;59;;;;;;No QSL please;;",
                                 "4;04.06.2004;04:31:00;20m;FM;QX2B;59;59;;;;;;noqsl;;",
                                 "5;01.06.2005;05:31:00;20m;FM;QX1A;59;59;;;;;;;;"})
            log.append(*QsoLine::split(line));
        BrowseFixture f(log, false);
        f.form()->station().settings().parse("[QSL]\r\n" + fetched<QByteArray>("rule"));
        const QslDriver page(f.form());
        page.child<QPushButton>("qslCreateListBtn")->click();
        QCOMPARE(column(page.outModel(), 0), fetched<QStringList>("numbers"));
    }

    void markingWithEnterAndNAndTheRule() {
        QList<TQsoRecord> log = LogBuilder::qsos(3);
        log[1][QsoField::Comments] = "tnx";
        BrowseFixture f(log);
        // The rule on the options page: its boxes count only for the first QSO, written at once.
        const SettingsDriver o(f.form()->optionsPage);
        QVERIFY(!o.checkBox("qslBandChkBox")->isEnabled());
        o.radio("qslFirstQsoRadioBtn")->click();
        QVERIFY(o.checkBox("qslBandChkBox")->isEnabled());
        o.checkBox("qslYearChkBox")->click();
        QVERIFY(f.dir.readFile("Dalu.ini")
                    .contains("[QSL]\r\nFirstQso=1\r\nBand=0\r\nMode=0\r\nDay=0\r\nYear=1\r\n"));
        o.radio("qslQsoRadioBtn")->click();
        QVERIFY(!o.checkBox("qslYearChkBox")->isEnabled());
        QVERIFY(f.dir.readFile("Dalu.ini").contains("FirstQso=0\r\n"));
        const QslDriver page = shownQslPage(f);
        page.createListAndFocus();
        QTableView* grid = page.outGrid();
        const QByteArray today = GermanFormat::formatDate(QDate::currentDate());
        QTest::keyClick(grid, Qt::Key_Return);
        log[0][QsoField::QslOut] = today;
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QCOMPARE(page.outModel()->index(0, 8).data().toString(), QString(today));
        QCOMPARE(f.form()->lists().upper()->cell(0, 14), QString(today)); // the list page too
        QCOMPARE(grid->currentIndex().row(), 1);

        QTest::keyClick(grid, 'N', Qt::ShiftModifier);
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QTest::keyClick(grid, Qt::Key_N);
        log[1][QsoField::Comments] = "tnx / no QSL";
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QCOMPARE(page.outModel()->index(1, 7).data().toString(), QString("tnx / no QSL"));
        QCOMPARE(grid->currentIndex().row(), 2);

        // The last row is marked and stays selected.
        QTest::keyClick(grid, Qt::Key_Return);
        log[2][QsoField::QslOut] = today;
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QCOMPARE(grid->currentIndex().row(), 2);

        // The log changed behind the list: the listed QSO is no longer there, nothing is written.
        LogBuilder::writeLog(f.dir.file("a.log"), {log[1], log[0]});
        const QByteArray changed = f.log();
        grid->setCurrentIndex(page.outModel()->index(0, 0));
        const QString message =
            ModalDialogs::messageOf([&] { QTest::keyClick(grid, Qt::Key_Return); });
        QVERIFY2(message.contains("nicht mehr das dort gelistete QSO"), qPrintable(message));
        QCOMPARE(f.log(), changed);
    }

    // The mark "n" writes ends the comments; the list built again leaves the QSO out.
    void noCardMarkKeepsTheQsoOffTheNextList_data() {
        columns<QByteArray>("comments");
        QTest::newRow("empty comments") << QByteArray();
        QTest::newRow("after a comment") << QByteArray("tnx fer QSO");
    }
    void noCardMarkKeepsTheQsoOffTheNextList() {
        QList<TQsoRecord> log = LogBuilder::qsos(2);
        log[0][QsoField::Comments] = fetched<QByteArray>("comments");
        BrowseFixture f(log);
        const QslDriver page = shownQslPage(f);
        page.createListAndFocus();
        QTest::keyClick(page.outGrid(), Qt::Key_N);
        QVERIFY(f.log().contains("no QSL;;\r\n"));
        page.qslPage()->createList();
        QCOMPARE(column(page.outModel(), 0), QStringList{"2"});
    }

    // A QSO saved elsewhere shows its new fields in the out list, and a mark on it is written.
    void outListFollowsSavedQsos() {
        QList<TQsoRecord> log = LogBuilder::qsos(2);
        BrowseFixture f(log);
        const QslDriver page = shownQslPage(f);
        page.createListAndFocus();
        log[0][QsoField::Comments] = "tnx";
        f.form()->station().replaceQso(1, log[0]);
        QCOMPARE(page.outModel()->index(0, 7).data().toString(), QString("tnx"));
        QTest::keyClick(page.outGrid(), Qt::Key_Return);
        log[0][QsoField::QslOut] = GermanFormat::formatDate(QDate::currentDate());
        QCOMPARE(f.log(), LogBuilder::logContent(log));
    }

    // opened: "#" on the edit page, or the start of the message that keeps the inputs.
    void cardIn_data() {
        columns<QString, QString, QString, QByteArray, QString>("call", "date", "utc", "qslIn",
                                                                "opened");
        const auto row = [](const char* name, const char* call, const char* date, const char* utc,
                            const char* qslIn, const char* opened) {
            QTest::newRow(name) << call << QString(date) << QString(utc) << QByteArray(qslIn)
                                << opened;
        };
        row("lower case, /P found with contains; hhmm is the minute", "qx7abc", "08062004", "0731",
            "", "7");
        row("existing QSL in date kept; hhmmss exact", "QX7ABC", "080604", "073127", "01.01.2005",
            "7");
        row("not found, data incomplete", "QX7ABC", "", "0832", "",
            "Kein passendes QSO gefunden. Um");
        row("no criterion", "", "123", "1", "", "Bitte Call");
        row("unreadable date", "QX7ABC", "08132004", "", "",
            "\"08.13.2004\" ist kein g\u00fcltiges Datum.");
    }

    void cardIn() {
        QFETCH(QString, utc);
        QFETCH(QByteArray, qslIn);
        QFETCH(QString, opened);
        const bool inputsKept = !opened[0].isDigit();
        QList<TQsoRecord> log = LogBuilder::qsos(8);
        log[6][QsoField::Call] = "QX7ABC/P";
        log[6][QsoField::Utc] = "07:31:27";
        log[6][QsoField::QslIn] = qslIn;
        BrowseFixture f(log);
        const QslDriver page = shownQslPage(f);
        page.qslPage()->setCardArrival(QDate(2026, 12, 5));
        QString message;
        if (inputsKept)
            ModalDialogs::answerMessageBox(&message);
        page.enterCard(fetched<QString>("call"), fetched<QString>("date"), utc);
        QCOMPARE(page.utcEdit()->text().isEmpty(), !inputsKept || utc.isEmpty());
        if (inputsKept) {
            QVERIFY2(message.startsWith(opened), qPrintable(message));
            QCOMPARE(f.form()->currentPage(), Navigator::Page::Evaluations);
            return;
        }
        const QByteArray stored = qslIn.isEmpty() ? "05.12.2026" : qslIn;
        QCOMPARE(f.form()->currentPage(), Navigator::Page::Edit);
        QCOMPARE(page.editedNumber() + ' ' + page.editedQslIn()->dateText(), opened + ' ' + stored);
        page.saveEdited();
        QCOMPARE(f.form()->currentPage(), Navigator::Page::Evaluations);
        QVERIFY(f.log().contains(";" + stored + "\r\n"));
    }

    void severalHitsOpenTheChosenOne() {
        BrowseFixture f(LogBuilder::qsos(12));
        const QslDriver page = shownQslPage(f);
        QTest::keyClicks(page.callEdit(), "qx1"); // QX1ABC, QX10ABC, QX11ABC, QX12ABC
        QTest::keyClick(page.callEdit(), Qt::Key_Return);
        QVERIFY(page.hitPanel()->isVisible());
        QCOMPARE(column(page.hitModel(), 5),
                 (QStringList{"QX1ABC", "QX10ABC", "QX11ABC", "QX12ABC"}));
        QVERIFY(page.callEdit()->text().isEmpty());
        QTest::keyClick(page.hitGrid(), Qt::Key_Down);
        QTest::keyClick(page.hitGrid(), Qt::Key_Return);
        QCOMPARE(f.form()->currentPage(), Navigator::Page::Edit);
        QCOMPARE(page.editedNumber(), QString("10"));
        QVERIFY(page.editedQslIn()->isChecked());
    }

    // Every QSO of the card's minute is a hit: several go to the choice.
    void cardMinuteWithSeveralQsos() {
        QList<TQsoRecord> log = LogBuilder::qsos(4);
        const char* const times[] = {"16:53:00", "16:53:59", "16:54:00"};
        for (int i = 1; i < 4; ++i) {
            log[i][QsoField::Call] = "QX9ZZ";
            log[i][QsoField::Date] = "05.12.2024";
            log[i][QsoField::Utc] = times[i - 1];
        }
        BrowseFixture f(log);
        const QslDriver page = shownQslPage(f);
        page.enterCard("qx9zz", "051224", "1653");
        QVERIFY(page.hitPanel()->isVisible());
        QCOMPARE(column(page.hitModel(), 0), (QStringList{"2", "3"}));
    }

    // A card without a logged QSO: band and mode are asked for; only what the operator
    // confirms is written, and cancelling writes nothing.
    void cardOfAnUnloggedQso_data() {
        columns<bool>("confirmed");
        QTest::newRow("band and mode chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void cardOfAnUnloggedQso() {
        QFETCH(bool, confirmed);
        BrowseFixture f({});
        f.form()->station().settings().parse("[Vorgaben]\r\nRstTx=59\r\n");
        const QslDriver page = shownQslPage(f);
        page.qslPage()->setCardArrival(QDate(2026, 12, 5));
        QString message;
        bool okAtFirst = true;
        ModalDialogs::answerMessageBox(&message, QMessageBox::Yes);
        ModalDialogs::onNextModal([&](QWidget* dialog) {
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            okAtFirst = buttons->button(QDialogButtonBox::Ok)->isEnabled();
            QCOMPARE(dialog->findChild<QLineEdit*>("qslNewRstTxEdit")->text(), QString("59"));
            dialog->findChild<QComboBox*>("qslNewBandComboBox")->setCurrentText("20m");
            dialog->findChild<QComboBox*>("qslNewModeComboBox")->setCurrentText("CW");
            QTest::keyClicks(dialog->findChild<QLineEdit*>("qslNewRstRxEdit"), "57;9");
            buttons->button(confirmed ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        page.enterCard("qx9zz/p", "051224", "1423");
        QVERIFY2(message.startsWith("Kein passendes QSO gefunden. Soll"), qPrintable(message));
        QVERIFY(!okAtFirst);
        QVERIFY(page.dateEdit()->text().isEmpty());
        if (!confirmed) {
            QCOMPARE(f.log(), LogBuilder::rawLog({}));
            QCOMPARE(f.form()->currentPage(), Navigator::Page::Evaluations);
            return;
        }
        QCOMPARE(f.log(), LogBuilder::rawLog(
                              {"1;05.12.2024;14:23:00;20m;CW;QX9ZZ/P;59;57,9;;;;;;;;05.12.2026"}));
        QCOMPARE(f.form()->currentPage(), Navigator::Page::Edit);
        QCOMPARE(page.editedNumber(), QString("1"));
    }
};

QTEST_MAIN(TestQslPage)
#include "tst_qslpage.moc"
