// The QSL page driven as the operator does: the rule on the options page, the out list,
// Enter and n on it, and finding the QSO of a received card.
#include "../browse/browsefixture.h"
#include "datetickpicker.h"
#include "evaluationspage.h"
#include "germanformat.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "qsllistmodel.h"
#include "qsloptions.h"
#include "qslpage.h"
#include "qsogridmodel.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

QStringList column(const QAbstractItemModel* model, int col) {
    QStringList cells;
    for (int row = 0; row < model->rowCount(); ++row)
        cells.append(model->index(row, col).data().toString());
    return cells;
}

TQsoRecord qso(int n, const QByteArray& call, const QByteArray& band, const QByteArray& date) {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Band] = band;
    r[QsoField::Date] = date;
    return r;
}

} // namespace

class TestQslPage : public QObject {
    Q_OBJECT
private slots:
    void ruleOnTheOptionsPage() {
        BrowseFixture f(numberedQsos(1));
        TQslOptions* o = f.form()->optionsPage->qslOptions;
        QVERIFY(!o->qslBandChkBox->isEnabled());
        o->qslFirstQsoRadioBtn->click();
        QVERIFY(o->qslBandChkBox->isEnabled());
        o->qslYearChkBox->click();
        QVERIFY(f.dir.readFile("Dalu.ini")
                    .contains("[QSL]\r\nFirstQso=1\r\nBand=0\r\nMode=0\r\nDay=0\r\nYear=1\r\n"));
        o->qslQsoRadioBtn->click();
        QVERIFY(!o->qslYearChkBox->isEnabled());
        QVERIFY(f.dir.readFile("Dalu.ini").contains("FirstQso=0\r\n"));
    }

    void outList_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QStringList>("numbers");
        // 1 QX1A 20m, 2 QX1A 40m (sent), 3 QX2B "No QSL please", 4 QX2B "noqsl", 5 QX1A 20m
        QTest::newRow("every QSO") << QByteArray() << QStringList{"1", "4", "5"};
        // QX2B's first QSO wants no card, yet it is the earlier QSO of 4 unless the mode counts.
        QTest::newRow("first per mode: 3 SSB, 4 FM")
            << QByteArray("FirstQso=1\r\nMode=1\r\n") << QStringList{"1", "4"};
        QTest::newRow("first per year: 2005")
            << QByteArray("FirstQso=1\r\nYear=1\r\n") << QStringList{"1", "5"};
    }

    void outList() {
        QFETCH(QByteArray, rule);
        QFETCH(QStringList, numbers);
        QList<TQsoRecord> log = {
            qso(1, "QX1A", "20m", "01.06.2004"), qso(2, "QX1A", "40m", "02.06.2004"),
            qso(3, "QX2B", "20m", "03.06.2004"), qso(4, "QX2B", "20m", "04.06.2004"),
            qso(5, "QX1A", "20m", "01.06.2005")};
        log[1][QsoField::QslOut] = "05.06.2004";
        log[2][QsoField::Comments] = "No QSL please";
        log[3][QsoField::Comments] = "noqsl";
        BrowseFixture f(log, false);
        f.form()->settings().parse("[QSL]\r\n" + rule);
        TQslPage* page = f.form()->evaluationsPage->qslPage;
        page->qslCreateListBtn->click();
        QCOMPARE(column(page->qslModel, 0), numbers);
    }

    void markingWithEnterAndN() {
        QList<TQsoRecord> log = numberedQsos(3);
        log[1][QsoField::Comments] = "tnx";
        BrowseFixture f(log);
        TQslPage* page = f.form()->evaluationsPage->qslPage;
        f.form()->MainPageControl->setCurrentWidget(f.form()->AuswertungenTS);
        page->qslCreateListBtn->click();
        QTableView* grid = page->qslStringGrid;
        grid->setFocus();
        grid->setCurrentIndex(page->qslModel->index(0, 0));
        const QByteArray today = GermanFormat::formatDate(QDate::currentDate());

        QTest::keyClick(grid, Qt::Key_Return);
        log[0][QsoField::QslOut] = today;
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QCOMPARE(page->qslModel->index(0, 8).data().toString(), QString(today));
        QCOMPARE(f.form()->listeModel->Cells(14, 1), QString(today)); // the list page too
        QCOMPARE(grid->currentIndex().row(), 1);

        QTest::keyClick(grid, 'N', Qt::ShiftModifier);
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QTest::keyClick(grid, Qt::Key_N);
        log[1][QsoField::Comments] = "tnx / no QSL";
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QCOMPARE(page->qslModel->index(1, 7).data().toString(), QString("tnx / no QSL"));
        QCOMPARE(grid->currentIndex().row(), 2);

        // The last row is marked and stays selected.
        QTest::keyClick(grid, Qt::Key_Return);
        log[2][QsoField::QslOut] = today;
        QCOMPARE(f.log(), LogBuilder::logContent(log));
        QCOMPARE(grid->currentIndex().row(), 2);

        // The log changed behind the list: the listed QSO is no longer there, nothing is written.
        LogBuilder::writeLog(f.dir.file("a.log"), {log[1], log[0]});
        const QByteArray changed = f.log();
        QString message;
        ModalDialogs::answerMessageBox(&message);
        grid->setCurrentIndex(page->qslModel->index(0, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY2(message.contains("no longer the QSO listed"), qPrintable(message));
        QCOMPARE(f.log(), changed);
    }

    void cardIn_data() {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("utc");
        QTest::addColumn<QByteArray>("qslIn");
        QTest::addColumn<QString>("opened"); // "#" on the edit page, or the message box text
        QTest::addColumn<bool>("inputsKept");
        QTest::newRow("lower case, /P found with contains")
            << "qx7abc" << QString("08062004") << QString("0731") << QByteArray() << "7" << false;
        QTest::newRow("existing QSL in date kept")
            << "QX7ABC" << QString("080604") << QString("073100") << QByteArray("01.01.2005") << "7"
            << false;
        QTest::newRow("not found, data incomplete")
            << "QX7ABC" << QString() << QString("0832") << QByteArray()
            << "Kein passendes QSO gefunden. Um" << true;
        QTest::newRow("no criterion")
            << "" << QString("123") << QString("1") << QByteArray() << "Bitte Call" << true;
        QTest::newRow("unreadable date")
            << "QX7ABC" << QString("08132004") << QString() << QByteArray()
            << "\"08.13.2004\" is not a valid date." << true;
    }

    void cardIn() {
        QFETCH(QString, call);
        QFETCH(QString, date);
        QFETCH(QString, utc);
        QFETCH(QByteArray, qslIn);
        QFETCH(QString, opened);
        QFETCH(bool, inputsKept);
        QList<TQsoRecord> log = numberedQsos(8);
        log[6][QsoField::Call] = "QX7ABC/P";
        log[6][QsoField::QslIn] = qslIn;
        BrowseFixture f(log);
        TQslPage* page = f.form()->evaluationsPage->qslPage;
        f.form()->MainPageControl->setCurrentWidget(f.form()->AuswertungenTS);
        page->qslInDatePicker->setDate(QDate(2026, 12, 5));
        QTest::keyClicks(page->qslCallEdit, call);
        QTest::keyClicks(page->qslDateEdit, date);
        QTest::keyClicks(page->qslUtcEdit, utc);
        QString message;
        if (inputsKept)
            ModalDialogs::answerMessageBox(&message);
        QTest::keyClick(page->qslUtcEdit, Qt::Key_Return);
        QCOMPARE(page->qslUtcEdit->text().isEmpty(), !inputsKept || utc.isEmpty());
        if (inputsKept) {
            QVERIFY2(message.startsWith(opened), qPrintable(message));
            QCOMPARE(f.currentPage(), f.form()->AuswertungenTS);
            return;
        }
        QCOMPARE(f.currentPage(), f.form()->EditierenTS);
        TEditPage* e = f.edit();
        QCOMPARE(e->eNumberLabel->text(), opened);
        QCOMPARE(e->eQslInPicker->dateText(), qslIn.isEmpty() ? "05.12.2026" : QString(qslIn));
        e->eOkBtn->click();
        QCOMPARE(f.currentPage(), f.form()->AuswertungenTS);
        QVERIFY(f.log().contains(";" + (qslIn.isEmpty() ? "05.12.2026" : qslIn) + "\r\n"));
    }

    void severalHitsOpenTheChosenOne() {
        BrowseFixture f(numberedQsos(12));
        TQslPage* page = f.form()->evaluationsPage->qslPage;
        f.form()->MainPageControl->setCurrentWidget(f.form()->AuswertungenTS);
        QTest::keyClicks(page->qslCallEdit, "qx1"); // QX1ABC, QX10ABC, QX11ABC, QX12ABC
        QTest::keyClick(page->qslCallEdit, Qt::Key_Return);
        QVERIFY(page->qslSearchPanel->isVisible());
        QCOMPARE(column(page->qslSearchModel, 5),
                 (QStringList{"QX1ABC", "QX10ABC", "QX11ABC", "QX12ABC"}));
        QVERIFY(page->qslCallEdit->text().isEmpty());
        QTest::keyClick(page->qslSearchStringGrid, Qt::Key_Down);
        QTest::keyClick(page->qslSearchStringGrid, Qt::Key_Return);
        QCOMPARE(f.currentPage(), f.form()->EditierenTS);
        QCOMPARE(f.edit()->eNumberLabel->text(), QString("10"));
        QVERIFY(f.edit()->eQslInPicker->isChecked());
    }

    void cardOfAnUnloggedQsoOnAnEmptyLog() {
        BrowseFixture f({});
        TQslPage* page = f.form()->evaluationsPage->qslPage;
        f.form()->MainPageControl->setCurrentWidget(f.form()->AuswertungenTS);
        page->qslInDatePicker->setDate(QDate(2026, 12, 5));
        QTest::keyClicks(page->qslCallEdit, "qx9zz/p");
        QTest::keyClicks(page->qslDateEdit, "051224");
        QTest::keyClicks(page->qslUtcEdit, "142305");
        QString message;
        ModalDialogs::answerMessageBox(&message, QMessageBox::Yes);
        page->qslInBtn->click();
        QVERIFY2(message.startsWith("Kein passendes QSO gefunden. Soll"), qPrintable(message));
        QCOMPARE(f.log(),
                 LogBuilder::rawLog({"1;05.12.2024;14:23:05;;;QX9ZZ/P;;;;;;;;;;05.12.2026"}));
        QCOMPARE(f.currentPage(), f.form()->EditierenTS);
        QCOMPARE(f.edit()->eNumberLabel->text(), QString("1"));
        QVERIFY(page->qslDateEdit->text().isEmpty());
    }
};

QTEST_MAIN(TestQslPage)
#include "tst_qslpage.moc"
