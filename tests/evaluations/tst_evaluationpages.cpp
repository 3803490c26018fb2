#include "browsefixture.h"
#include "evaluationsdriver.h"
#include "modaldialogs.h"
#include "widgettest.h"

#include <QListView>
#include <QStringListModel>
#include <QTextEdit>

namespace {

// band, mode, call, DOK, locator, QSL in
TQsoRecord qso(int n, const char* band, const char* mode, const char* call, const char* dok,
               const char* locator, const char* qslIn) {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Band] = band;
    r[QsoField::Mode] = mode;
    r[QsoField::Dok] = dok;
    r[QsoField::Locator] = locator;
    r[QsoField::QslIn] = qslIn;
    return r;
}

QList<TQsoRecord> smallLog() {
    return {qso(1, "20m", "CW", "QX1ABC", "B01", "JO43SQ", ""),
            qso(2, "40m", "SSB", "QX2ABC", "B01", "JO43AB", "01.02.2005"),
            qso(3, "20m", "SSB", "OE1ABC", "A01", "JO42", ""),
            qso(4, "20m", "SSB", "QX", "", "", "")};
}

// The checked criteria of the search page ("Band ist 20m; ...") and the numbers it found.
QString searched(const QWidget* s) {
    const auto named = [s](const char* name, int row) {
        return s->findChild<QWidget*>(name + QString::number(row));
    };
    QStringList rows;
    for (int row = 1; named("sCheckBox", row); ++row) {
        if (static_cast<QCheckBox*>(named("sCheckBox", row))->isChecked())
            rows.append(static_cast<QComboBox*>(named("sFeldComboBox", row))->currentText() + " " +
                        static_cast<QComboBox*>(named("sOperatorComboBox", row))->currentText() +
                        " " + static_cast<QLineEdit*>(named("sEdit", row))->text());
    }
    const QAbstractItemModel* hits = s->findChild<QTableView*>("sStringGrid")->model();
    QStringList numbers;
    for (int row = 0; row < hits->rowCount(); ++row)
        numbers.append(hits->index(row, 0).data().toString());
    return rows.join("; ") + " -> " + numbers.join(",");
}

struct Pages : BrowseFixture, EvaluationsDriver {
    explicit Pages(const QList<TQsoRecord>& records)
        : BrowseFixture(records), EvaluationsDriver(form()) {
        form()->navigator().showPage(Navigator::Page::Evaluations);
    }
    // Runs the locator ("squares"), DOK or DXCC page; what it lists, joined by ",".
    QString run(const QString& page) const {
        if (page == "squares") {
            showSheet("LocatorGrossfelderTS");
            child<QPushButton>("locAuswertenBtn")->click();
            const EvaluationGridModel* list = gridModel("locListeDrawGrid");
            QStringList squares;
            for (int row = 0; row < list->rowCount(); ++row)
                squares.append(list->cell(0, row));
            return squares.join(',');
        }
        if (page == "doks") {
            showSheet("TabSheet3");
            child<QPushButton>("dokOkBtn")->click();
            return listModel("dokGearbeitetListBox")->stringList().join(',');
        }
        showSheet("TabSheet4");
        child<QPushButton>("dxccStartBtn")->click();
        return child<QTextEdit>("dxccWorkedRichEdit")->toPlainText().replace('\n', ',');
    }
    QLineEdit* stopNumberEdit(const QString& page) const {
        return filterEdit(page == "squares" ? "loc"
                          : page == "doks"  ? "dok"
                                            : "dxcc",
                          "StopNumberEdit");
    }
    QWidget* searchPage() const { return child("SucheTS"); }
    QPoint cellCentre(QTableView* grid, int column, int row) const {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }
    void ctrlClick(QWidget* viewport, QPoint at) const {
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, at);
    }
};

} // namespace

class TestEvaluationPages : public QObject {
    Q_OBJECT
private slots:
    // result: the search made, or the page shown when there is none
    void countsDrillDown_data() {
        columns<bool, int, int, QString>("confirmedGrid", "column", "row", "result");
        QTest::newRow("count") << false << 2 << 2 << "Band ist 20m; Mode ist SSB -> 3,4";
        QTest::newRow("band total") << false << 2 << 3 << "Band ist 20m -> 1,3,4";
        QTest::newRow("mode total") << false << 3 << 1 << "Mode ist CW -> 1";
        QTest::newRow("heading") << false << 1 << 0 << "AuswertungenTS";
        QTest::newRow("grand total lists the log") << false << 3 << 3 << "ListeTS";
        QTest::newRow("confirmed count")
            << true << 1 << 2 << "Band ist 40m; Mode ist SSB; QSL In ist nicht  -> 2";
        QTest::newRow("confirmed grand total") << true << 3 << 3 << "QSL In ist nicht  -> 2";
    }

    void countsDrillDown() {
        QFETCH(bool, confirmedGrid);
        Pages f(smallLog());
        EvaluationGridModel* all = f.gridModel("AnzahlQsosStringGrid");
        QAbstractItemModelTester tester(all);
        f.showSheet("AnzahlQsosTS");
        QCOMPARE(all->cell(4, 0), QString()); // columns: heading, 40m, 20m, Summe (band order)
        QCOMPARE(all->cell(3, 3), QString("4"));
        // unconfirmed, still there
        QCOMPARE(f.gridModel("AnzahlWorkedQsosStringGrid")->cell(1, 0), QString("40m"));
        auto* grid = f.child<QTableView>(confirmedGrid ? "AnzahlWorkedQsosStringGrid"
                                                       : "AnzahlQsosStringGrid");
        f.child<QTabWidget>("AnzQsosPageControl")->setCurrentIndex(confirmedGrid ? 1 : 0);
        // The widget's double-click, then the release that acts on it.
        const QPoint at = f.cellCentre(grid, fetched<int>("column"), fetched<int>("row"));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
        QTEST(f.form()->currentPage() == Navigator::Page::Search
                  ? searched(f.searchPage())
                  : ShellDriver(f.form()).pages()->currentWidget()->objectName(),
              "result");
    }

    void countColumnsAreMeasuredBeyondFourteenBands() {
        QList<TQsoRecord> log;
        for (int n = 1; n <= 16; ++n)
            log.append(qso(n, QByteArray::number(n * 1000).append("m").constData(), "CW", "QX1A",
                           "", "", ""));
        Pages f(log);
        f.showSheet("AnzahlQsosTS");
        auto* confirmed = f.child<QTableView>("AnzahlWorkedQsosStringGrid");
        QCOMPARE(confirmed->model()->columnCount(), 18);
        QCOMPARE(confirmed->columnWidth(16),
                 confirmed->fontMetrics().horizontalAdvance("16000m") + 10);
    }

    void locatorSquaresAndDoksAndDrillDown() {
        QList<TQsoRecord> log = smallLog();
        log.append(qso(5, "2m", "FM", "QX5ABC", "", "J?12", ""));
        Pages f(log);
        f.showSheet("LocatorGrossfelderTS");
        EvaluationGridModel* squares = f.gridModel("locListeDrawGrid");
        EvaluationGridModel* table = f.gridModel("locTabelleDrawGrid");
        QAbstractItemModelTester tester(table);
        const QString message =
            ModalDialogs::messageOf([&f] { f.child<QPushButton>("locAuswertenBtn")->click(); });
        QCOMPARE(message,
                 QString::fromUtf8("Der Locator \"J?12\" ist ung\u00fcltig und fehlt deshalb "
                                   "in der Tabelle."));
        QCOMPARE(
            f.child<QLabel>("locResultLabel")->text(),
            QString::fromUtf8("Ergebnis: 3 Gro\u00dffelder gearbeitet, davon 1 best\u00e4tigt."));
        QCOMPARE(squares->colour(0, 0), QColor(255, 0, 0));
        QCOMPARE(squares->colour(0, 1), QColor(0, 128, 0));
        QCOMPARE(table->cell(0, 1), QString("JO42"));
        QCOMPARE(table->colour(0, 0), QColor(0, 0, 255));

        f.child<QTabWidget>("locPageControl")->setCurrentWidget(f.child("locListeTS"));
        auto* squareGrid = f.child<QTableView>("locListeDrawGrid");
        QTest::mouseClick(squareGrid->viewport(), Qt::LeftButton, {},
                          f.cellCentre(squareGrid, 0, 0));
        QCOMPARE(f.form()->currentPage(), Navigator::Page::Evaluations); // no Ctrl, no search
        f.ctrlClick(squareGrid->viewport(), f.cellCentre(squareGrid, 0, 0));
        QCOMPARE(searched(f.searchPage()),
                 QString::fromUtf8("Locator enth\u00e4lt JO43; QSL In ist nicht  -> 2"));
        // The DOK page on the same log.
        f.form()->navigator().showPage(Navigator::Page::Evaluations);
        f.showSheet("TabSheet3");
        QStringListModel* worked = f.listModel("dokGearbeitetListBox");
        QStringListModel* confirmed = f.listModel("dokBestaetigtListBox");
        auto* info = f.child<QPlainTextEdit>("dokInfoMemo");
        f.child<QPushButton>("dokOkBtn")->click();
        QCOMPARE(worked->stringList(), QStringList{"A01"});
        QCOMPARE(confirmed->stringList(), QStringList{"B01"});
        QVERIFY(f.child<QLabel>("dokResultLabel")->text().contains("2 DOKs gearbeitet, davon 1"));
        f.child<QListView>("dokGearbeitetListBox")->setCurrentIndex(worked->index(0));
        QCOMPARE(info->toPlainText(),
                 QString("A01\nOrtsverband Konstanz\nDistrikt Baden\nhttps://a.example.org/"));
        auto* list = f.child<QListView>("dokBestaetigtListBox");
        list->setCurrentIndex(confirmed->index(0));
        QCOMPARE(info->toPlainText(), QString("B01\nSonder-DOK"));
        QCOMPARE(info->palette().color(QPalette::Text), QColor(255, 0, 0));
        f.ctrlClick(list->viewport(), list->visualRect(confirmed->index(0)).center());
        QCOMPARE(searched(f.searchPage()), QString("DOK ist B01; QSL In ist nicht  -> 2"));
    }

    // The default QSO-number range is the whole log, however long; a typed stop number counts
    // as typed.
    void numberRangeDefaultsToTheWholeLog_data() {
        columns<QString>("page");
        QTest::newRow("locator squares") << "squares";
        QTest::newRow("DOKs") << "doks";
        QTest::newRow("DXCC") << "dxcc";
    }
    void numberRangeDefaultsToTheWholeLog() {
        QFETCH(QString, page);
        QList<TQsoRecord> log = LogBuilder::qsos(10201);
        log.last() = qso(10201, "2m", "FM", "OE1ABC", "A01", "JO42", "");
        Pages f(log);
        const QString newest = page == "squares" ? "JO42" : page == "doks" ? "A01" : "Austria";
        const QString whole = f.run(page);
        QVERIFY2(whole.contains(newest), qPrintable(whole));
        retype(f.stopNumberEdit(page), "10000");
        const QString typed = f.run(page);
        QVERIFY2(!typed.isEmpty() && !typed.contains(newest), qPrintable(typed));
        QCOMPARE(f.stopNumberEdit(page)->text(), QString("10000"));
    }

    // A QSO whose date cannot be read is named with its line; the others are evaluated.
    void unreadableDateIsNamed_data() { numberRangeDefaultsToTheWholeLog_data(); }
    void unreadableDateIsNamed() {
        QFETCH(QString, page);
        QList<TQsoRecord> log = smallLog();
        log[2][QsoField::Date] = "00.00.0000"; // OE1ABC, A01, JO42
        log[3][QsoField::Call] = "QX4ABC";
        Pages f(log);
        QString shown;
        const QString message = ModalDialogs::messageOf([&] { shown = f.run(page); });
        QVERIFY2(message.startsWith("1 QSOs konnten nicht gelesen werden") &&
                     message.contains("QSO 3 (Zeile 4): \"00.00.0000\""),
                 qPrintable(message));
        QCOMPARE(shown, page == "squares" ? "JO43" : page == "doks" ? "" : "Qx Island,Qx Mainland");
    }

    void dxccListsShortCallsAndDrillDown() {
        QList<TQsoRecord> log = smallLog();
        for (int n = 5; n <= 24; ++n)
            log.append(qso(n, "2m", "FM", "Q", "", "", ""));
        Pages f(log);
        f.showSheet("TabSheet4");
        auto* worked = f.child<QTextEdit>("dxccWorkedRichEdit");
        // One message for 21 short calls.
        const QString message =
            ModalDialogs::messageOf([&f] { f.child<QPushButton>("dxccStartBtn")->click(); });
        QVERIFY(message.startsWith("Das Call \"QX\" von QSO Nr. 4 ist zu kurz"));
        QVERIFY(message.contains("13 weitere"));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(worked->toPlainText(), QString("Austria\nQx Island\nQx Mainland"));
        QCOMPARE(f.child<QTextEdit>("dxccAllRichEdit")->toPlainText(),
                 QString("Austria\nQx Island\nQx Mainland"));
        QVERIFY(f.child<QLabel>("dxccResultLabel")->text().contains("3 DXCCs gearbeitet, davon 1"));
        const QTextBlock mainland = worked->document()->findBlockByNumber(2);
        QCOMPARE(mainland.begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));
        f.child<QTabWidget>("dxccPageControl")->setCurrentWidget(f.child("dxccWorkedTS"));
        QTextCursor at(mainland);
        at.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        const QPoint point = worked->cursorRect(at).center();
        f.ctrlClick(worked->viewport(), point);
        QCOMPARE(searched(f.searchPage()), QString("DXCC ist Qx Mainland; QSL In ist nicht  -> 2"));
        QVERIFY(!worked->textCursor().hasSelection());
    }
};

QTEST_MAIN(TestEvaluationPages)
#include "tst_evaluationpages.moc"
