#include "browsefixture.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"
#include "widgettest.h"

namespace {

// Calls, bands, modes, powers and QSL-in dates that tell the criteria apart.
QList<TQsoRecord> mixedLog() {
    QList<TQsoRecord> records;
    for (const char* line : {"1;01.06.2004;01:31:00;2m;FM;QX1ABC;59;59;;;;;10W;;;",
                             "2;02.06.2004;02:31:00;2m;SSB;qx1xyz/p;59;59;;;;;0,5W;;;05.06.2004",
                             "3;03.06.2004;03:31:00;20m;CW;OE/QX1ABC;59;59;;;;;4W;;;31.12.2003",
                             "4;04.06.2004;04:31:00;2m;CW;QX2ABC;59;59;;;;;;;;",
                             "5;05.06.2004;05:31:00;70cm;FM;ZZ9ZZ;59;59;;;;;5W;;;02.01.2004"})
        records.append(*QsoLine::split(line));
    return records;
}

// The "#" column of every result row; an empty result keeps one empty row.
QStringList resultNumbers(const BrowseDriver::Search& s) {
    QStringList numbers;
    for (int row = 1; row <= s.sModel->rowCount(); ++row)
        numbers.append(s.sModel->cell(row - 1, 0));
    return numbers;
}

void uncheckAll(const BrowseDriver::Search& s) {
    for (QCheckBox* box : s.sCheckBox) {
        if (box->isChecked())
            box->click();
    }
}

} // namespace

class TestSearchPage : public QObject {
    Q_OBJECT
private slots:
    void startsWithCallContainsInRowOneAndSearchesInEnglish() {
        BrowseFixture f(mixedLog(), false);
        const BrowseDriver::Search s = f.search();
        const auto state = [s](int row) {
            return QStringList{s.sCheckBox[row]->isChecked() ? "on" : "off",
                               s.sFeldComboBox[row]->currentText(),
                               s.sOperatorComboBox[row]->currentText(),
                               s.sEdit[row]->isEnabled() ? "enabled" : "disabled"};
        };
        QCOMPARE(state(0),
                 (QStringList{"on", "Call", QString::fromUtf8("enth\u00e4lt"), "enabled"}));
        QCOMPARE(state(4), (QStringList{"off", "#", "ist", "disabled"}));
        QVERIFY(s.Memo1->toPlainText().startsWith("Formatvorschriften:\nDatum    dd.mm.yyyy\n"));
        s.sCheckBox[2]->click();
        QVERIFY(s.sFeldComboBox[2]->isEnabled() && s.sOperatorComboBox[2]->isEnabled());
        uncheckAll(s);
        QVERIFY(!s.SearchBtn->isEnabled());
        QVERIFY(!s.sFeldComboBox[0]->isEnabled() && !s.sEdit[0]->isEnabled());
        // In English the operators keep their positions.
        ShellDriver(f.form()).action("EnglishMenu")->trigger();
        QCOMPARE(s.sOperatorComboBox[0]->currentText(), QString("contains"));
        QCOMPARE(s.sOperatorComboBox[4]->count(), 6);
        QCOMPARE(s.SearchBtn->text(), QString("Start search!"));
        s->setCriterion(1, true, 12, 5, "5W");
        s.SearchBtn->click();
        QCOMPARE(resultNumbers(s), (QStringList{"2", "3"}));
    }

    void orderedOperatorResetsTheField_data() {
        columns<bool, int, int, int>("operatorFirst", "field", "op", "fieldAfter");
        QTest::newRow("greater than while Call") << false << 5 << 4 << 0;
        QTest::newRow("Call while less than") << true << 5 << 5 << 0;
        QTest::newRow("DXCC while greater than") << true << 16 << 4 << 0;
        QTest::newRow("greater than on Date") << false << 1 << 4 << 1;
        QTest::newRow("less than on TX Pwr") << true << 12 << 5 << 12;
    }

    void orderedOperatorResetsTheField() {
        QFETCH(int, field);
        QFETCH(int, op);
        BrowseFixture f(mixedLog(), false);
        const BrowseDriver::Search s = f.search();
        s.sCheckBox[1]->click();
        if (fetched<bool>("operatorFirst")) {
            s.sOperatorComboBox[1]->setCurrentIndex(op);
            s.sFeldComboBox[1]->setCurrentIndex(field);
        } else {
            s.sFeldComboBox[1]->setCurrentIndex(field);
            s.sOperatorComboBox[1]->setCurrentIndex(op);
        }
        QCOMPARE(s.sFeldComboBox[1]->currentIndex(), fetched<int>("fieldAfter"));
        QCOMPARE(s.sOperatorComboBox[1]->currentIndex(), op);
        QCOMPARE(s.sFeldComboBox[0]->currentIndex(), 5); // the other rows keep theirs
    }

    // criteria: "field|operator|text", separated by ';'. A text the search cannot use stops it,
    // named in the message.
    void search_data() {
        columns<QString, QString, QString>("criteria", "found", "message");
        const auto row = [](const char* name, const char* criteria, const char* found,
                            const char* message = "") {
            QTest::newRow(name) << criteria << found << message;
        };
        row("call contains qx1", "5|2|qx1", "1,2,3");
        row("2m but not FM", "3|0|2m;4|1|FM", "2,4");
        row("QSL in after 01.01.2004", "15|4|01.01.2004", "2,5");
        row("TX Pwr below 5W", "12|5|5W", "2,3");
        row("DXCC is an entity", "16|0|qx island", "1,2");
        row("number above 3", "0|4|3", "4,5");
        row("nothing found", "5|0|QX1", "");
        row("unreadable date", "15|4|kein Datum", "", "\"kein Datum\"");
    }

    void search() {
        QFETCH(QString, message);
        BrowseFixture f(mixedLog(), false);
        const BrowseDriver::Search s = f.search();
        s.SearchBtn->click(); // every QSO: the results to be replaced
        uncheckAll(s);
        const QStringList criteria = fetched<QString>("criteria").split(';');
        for (int row = 0; row < criteria.size(); ++row) {
            const QStringList parts = criteria[row].split('|');
            s->setCriterion(row, true, parts[0].toInt(), parts[1].toInt(), parts[2]);
        }
        QString shown;
        if (!message.isEmpty())
            ModalDialogs::answerMessageBox(&shown);
        s.SearchBtn->click();
        QTEST(resultNumbers(s).join(','), "found");
        QVERIFY2(shown.contains(message), qPrintable(shown));
    }

    // Return in a text field searches with the list's widths. A hit opens on the edit page, and
    // saving returns to the search, renewed. A hit the lists do not show yet opens too.
    void hitOpensOnTheEditPageAndSavingReturns() {
        QList<TQsoRecord> records = mixedLog();
        records[1][QsoField::Number] = "7"; // out of step with its position, 2
        BrowseFixture f(records);
        ShellDriver(f.form()).listGrid()->setColumnWidth(5, 140);
        f.form()->navigator().showPage(Navigator::Page::Search);
        const BrowseDriver::Search s = f.search();
        const auto open = [s](const char* call) {
            s.sEdit[0]->clear();
            s.sEdit[0]->setFocus();
            QTest::keyClicks(s.sEdit[0], call);
            QTest::keyClick(s.sEdit[0], Qt::Key_Return);
            s.sStringGrid->selectGridRow(1);
            QTest::keyClick(s.sStringGrid, Qt::Key_Return);
        };
        open("xyz");
        QCOMPARE(resultNumbers(s), QStringList{"7"});
        QCOMPARE(s.sStringGrid->columnWidth(5), 140);
        QCOMPARE(f.currentPage(), Navigator::Page::Edit);
        QCOMPARE(int(f.edit()->returnMarker()), 2);
        QCOMPARE(ShellDriver(f.form()).listGrid()->Row(), 2);
        QCOMPARE(f.edit().eCallEdit->text(), QString("qx1xyz/p"));
        f.edit().eQthEdit->setText("Kiel-Holtenau");
        f.edit().eOkBtn->click();
        QCOMPARE(f.currentPage(), Navigator::Page::Search);
        QCOMPARE(int(f.edit()->returnMarker()), 0);
        records[1][QsoField::Qth] = "Kiel-Holtenau";
        QCOMPARE(f.log(), LogBuilder::logContent(records));
        QCOMPARE(f.form()->lists().upper()->cell(1, 10), QString("Kiel-Holtenau"));
        QCOMPARE(s.sModel->cell(0, 10), QString("Kiel-Holtenau")); // searched again
        QCOMPARE(s.sStringGrid->Row(), 1);
        // An import into the open log appended a QSO the lists do not show yet.
        f.dir.writeFile("a.log", f.log() + "6;01.06.2004;06:31:00;2m;FM;QX6NEW;59;59;;;;;;;;\r\n");
        open("new");
        QCOMPARE(f.edit().eCallEdit->text(), QString("QX6NEW"));
        QVERIFY(f.edit().eOkBtn->isEnabled());
    }
};

QTEST_MAIN(TestSearchPage)
#include "tst_searchpage.moc"
