#include "browsefixture.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// #, call, band, mode, TX Pwr, QSL in
TQsoRecord qso(const QByteArray& n, const QByteArray& call, const QByteArray& band,
               const QByteArray& mode, const QByteArray& power, const QByteArray& qslIn) {
    TQsoRecord r = LogBuilder::qso(n.toInt(), call);
    r[QsoField::Number] = n;
    r[QsoField::Band] = band;
    r[QsoField::Mode] = mode;
    r[QsoField::TxPwr] = power;
    r[QsoField::QslIn] = qslIn;
    return r;
}

QList<TQsoRecord> mixedLog() {
    return {qso("1", "QX1ABC", "2m", "FM", "10W", ""),
            qso("2", "qx1xyz/p", "2m", "SSB", "0,5W", "05.06.2004"),
            qso("3", "OE/QX1ABC", "20m", "CW", "4W", "31.12.2003"),
            qso("4", "QX2ABC", "2m", "CW", "", ""),
            qso("5", "ZZ9ZZ", "70cm", "FM", "5W", "02.01.2004")};
}

// The "#" column of every result row; an empty result keeps one empty row.
QStringList resultNumbers(const TSearchPage* s) {
    QStringList numbers;
    for (int row = 1; row < s->sModel->RowCount(); ++row)
        numbers.append(s->sModel->Cells(0, row));
    return numbers;
}

void uncheckAll(TSearchPage* s) {
    for (QCheckBox* box : s->sCheckBox) {
        if (box->isChecked())
            box->click();
    }
}

} // namespace

class TestSearchPage : public QObject {
    Q_OBJECT
private slots:
    void startsWithCallContainsInRowOne();
    void orderedOperatorResetsTheField_data();
    void orderedOperatorResetsTheField();
    void search_data();
    void search();
    void enterInATextFieldStartsTheSearch();
    void unreadableTextStopsWithItsName();
    void englishOperatorsKeepTheirPositions();
    void hitOpensOnTheEditPageAndSavingReturns();
    void hitBeyondTheListsOpensItself();
};

void TestSearchPage::startsWithCallContainsInRowOne() {
    BrowseFixture f(mixedLog(), false);
    TSearchPage* s = f.search();
    QVERIFY(s->sCheckBox[0]->isChecked());
    QCOMPARE(s->sFeldComboBox[0]->currentText(), QString("Call"));
    QCOMPARE(s->sOperatorComboBox[0]->currentText(), QString::fromUtf8("enth\u00e4lt"));
    QVERIFY(!s->sCheckBox[4]->isChecked() && !s->sEdit[4]->isEnabled());
    QCOMPARE(s->sFeldComboBox[4]->currentIndex(), 0);
    QCOMPARE(s->sOperatorComboBox[4]->currentIndex(), 0);
    QVERIFY(s->Memo1->toPlainText().startsWith("Formatvorschriften:\nDatum    dd.mm.yyyy\n"));

    s->sCheckBox[2]->click();
    QVERIFY(s->sFeldComboBox[2]->isEnabled());
    uncheckAll(s);
    QVERIFY(!s->SearchBtn->isEnabled());
    for (int row = 0; row < TSearchPage::kRows; ++row)
        QVERIFY(!s->sFeldComboBox[row]->isEnabled() && !s->sOperatorComboBox[row]->isEnabled() &&
                !s->sEdit[row]->isEnabled());
}

void TestSearchPage::orderedOperatorResetsTheField_data() {
    QTest::addColumn<bool>("operatorFirst");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("fieldAfter");
    QTest::newRow("greater than while Call") << false << 5 << 4 << 0;
    QTest::newRow("Call while less than") << true << 5 << 5 << 0;
    QTest::newRow("DXCC while greater than") << true << 16 << 4 << 0;
    QTest::newRow("greater than on Date") << false << 1 << 4 << 1;
    QTest::newRow("less than on TX Pwr") << true << 12 << 5 << 12;
}

void TestSearchPage::orderedOperatorResetsTheField() {
    QFETCH(bool, operatorFirst);
    QFETCH(int, field);
    QFETCH(int, op);
    QFETCH(int, fieldAfter);
    BrowseFixture f(mixedLog(), false);
    TSearchPage* s = f.search();
    s->sCheckBox[1]->click();
    if (operatorFirst) {
        s->sOperatorComboBox[1]->setCurrentIndex(op);
        s->sFeldComboBox[1]->setCurrentIndex(field);
    } else {
        s->sFeldComboBox[1]->setCurrentIndex(field);
        s->sOperatorComboBox[1]->setCurrentIndex(op);
    }
    QCOMPARE(s->sFeldComboBox[1]->currentIndex(), fieldAfter);
    QCOMPARE(s->sOperatorComboBox[1]->currentIndex(), op);
    QCOMPARE(s->sFeldComboBox[0]->currentIndex(), 5); // the other rows keep theirs
}

void TestSearchPage::search_data() {
    QTest::addColumn<QStringList>("criteria"); // "field|operator|text"
    QTest::addColumn<QStringList>("found");
    QTest::newRow("call contains qx1") << QStringList{"5|2|qx1"} << QStringList{"1", "2", "3"};
    QTest::newRow("2m but not FM") << QStringList{"3|0|2m", "4|1|FM"} << QStringList{"2", "4"};
    QTest::newRow("QSL in after 01.01.2004")
        << QStringList{"15|4|01.01.2004"} << QStringList{"2", "5"};
    QTest::newRow("TX Pwr below 5W") << QStringList{"12|5|5W"} << QStringList{"2", "3"};
    QTest::newRow("DXCC is an entity") << QStringList{"16|0|qx island"} << QStringList{"1", "2"};
    QTest::newRow("number above 3") << QStringList{"0|4|3"} << QStringList{"4", "5"};
    QTest::newRow("nothing found") << QStringList{"5|0|QX1"} << QStringList{""};
}

void TestSearchPage::search() {
    QFETCH(QStringList, criteria);
    QFETCH(QStringList, found);
    BrowseFixture f(mixedLog(), false);
    TSearchPage* s = f.search();
    uncheckAll(s);
    for (int row = 0; row < criteria.size(); ++row) {
        const QStringList parts = criteria[row].split('|');
        s->setCriterion(row, true, parts[0].toInt(), parts[1].toInt(), parts[2]);
    }
    s->SearchBtn->click();
    QCOMPARE(resultNumbers(s), found);
}

void TestSearchPage::enterInATextFieldStartsTheSearch() {
    BrowseFixture f(mixedLog());
    f.form()->ListeStringGrid->setColumnWidth(5, 140);
    f.form()->MainPageControl->setCurrentWidget(f.form()->SucheTS);
    TSearchPage* s = f.search();
    s->sEdit[0]->setFocus();
    QTest::keyClicks(s->sEdit[0], "zz9");
    QTest::keyClick(s->sEdit[0], Qt::Key_Return);
    QCOMPARE(resultNumbers(s), QStringList{"5"});
    QCOMPARE(s->sStringGrid->columnWidth(5), 140);
}

void TestSearchPage::unreadableTextStopsWithItsName() {
    BrowseFixture f(mixedLog(), false);
    TSearchPage* s = f.search();
    s->SearchBtn->click();
    QCOMPARE(resultNumbers(s).size(), 5);
    s->setCriterion(1, true, 15, 4, "kein Datum");
    QString message;
    ModalDialogs::answerMessageBox(&message);
    s->SearchBtn->click();
    QVERIFY2(message.contains("\"kein Datum\""), qPrintable(message));
    QCOMPARE(resultNumbers(s), QStringList{""});
}

void TestSearchPage::englishOperatorsKeepTheirPositions() {
    BrowseFixture f(mixedLog(), false);
    f.form()->EnglishMenu->trigger();
    TSearchPage* s = f.search();
    QCOMPARE(s->sOperatorComboBox[0]->itemText(2), QString("contains"));
    QCOMPARE(s->sOperatorComboBox[0]->currentIndex(), 2);
    QCOMPARE(s->sOperatorComboBox[4]->count(), 6);
    QCOMPARE(s->SearchBtn->text(), QString("Start search!"));
    s->setCriterion(1, true, 12, 5, "5W");
    s->SearchBtn->click();
    QCOMPARE(resultNumbers(s), (QStringList{"2", "3"}));
}

void TestSearchPage::hitOpensOnTheEditPageAndSavingReturns() {
    QList<TQsoRecord> records = mixedLog();
    records[1][QsoField::Number] = "7"; // out of step with its position, 2
    BrowseFixture f(records);
    f.form()->MainPageControl->setCurrentWidget(f.form()->SucheTS);
    TSearchPage* s = f.search();
    s->setCriterion(0, true, 5, 2, "xyz");
    s->SearchBtn->click();
    QCOMPARE(resultNumbers(s), QStringList{"7"});
    s->sStringGrid->selectGridRow(1);
    QTest::keyClick(s->sStringGrid, Qt::Key_Return);
    QCOMPARE(f.currentPage(), f.form()->EditierenTS);
    QCOMPARE(f.edit()->returnMarker(), 2);
    QCOMPARE(f.form()->ListeStringGrid->Row(), 2);
    QCOMPARE(f.edit()->eCallEdit->text(), QString("qx1xyz/p"));
    f.edit()->eQthEdit->setText("Kiel-Holtenau");
    f.edit()->eOkBtn->click();
    QCOMPARE(f.currentPage(), f.form()->SucheTS);
    QCOMPARE(f.edit()->returnMarker(), 0);
    QVERIFY(f.log().contains("\r\n7;03.06.2004;"));
    QVERIFY(f.log().contains(";Kiel-Holtenau;"));
    QCOMPARE(f.form()->listeModel->Cells(10, 2), QString("Kiel-Holtenau"));
    QCOMPARE(s->sModel->Cells(10, 1), QString("Kiel-Holtenau")); // searched again
    QCOMPARE(s->sStringGrid->Row(), 1);
}

void TestSearchPage::hitBeyondTheListsOpensItself() {
    BrowseFixture f(mixedLog());
    // An import into the open log appended a QSO the lists do not show yet.
    LogBuilder::writeLog(f.dir.file("a.log"), mixedLog() << qso("6", "QX6NEW", "2m", "FM", "", ""));
    f.form()->MainPageControl->setCurrentWidget(f.form()->SucheTS);
    TSearchPage* s = f.search();
    s->setCriterion(0, true, 5, 2, "new");
    s->SearchBtn->click();
    s->sStringGrid->selectGridRow(1);
    QTest::keyClick(s->sStringGrid, Qt::Key_Return);
    QCOMPARE(f.edit()->eCallEdit->text(), QString("QX6NEW"));
    QVERIFY(f.edit()->eOkBtn->isEnabled());
}

QTEST_MAIN(TestSearchPage)
#include "tst_searchpage.moc"
