#include "browsefixture.h"
#include "datetickpicker.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"
#include "textform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimeEdit>

namespace {

bool isRed(const QLabel* label) {
    return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

// The record lines of a log, header dropped.
QList<QByteArray> recordLines(const QByteArray& log) {
    QList<QByteArray> lines = log.split('\n');
    lines.removeFirst();
    lines.removeLast(); // after the last line end
    return lines;
}

void retype(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestEditPage : public QObject {
    Q_OBJECT
private slots:
    void loadsTheSelectedRowAndSavesItInPlace();
    void emptyQslInStaysEmpty();
    void captionColours_data();
    void captionColours();
    void typedLettersAndPower();
    void dependentLabelsFollowTheFields();
    void unusableQsoCannotBeSaved_data();
    void unusableQsoCannotBeSaved();
    void numberOutOfStepSavesWhereTheQsoWasRead();
    void savingReturnsToWhereTheEditCameFrom_data();
    void savingReturnsToWhereTheEditCameFrom();
    void savingScrollsTheListToTheRow_data();
    void savingScrollsTheListToTheRow();
    void theMaskListOpensTheRowReachedAndTakesTheWidths();
    void commentEditorHandsTheTextBack();
    void qslButtonsFollowPickerAndCardFile();
    void untouchedQsoIsSavedUnchanged_data();
    void untouchedQsoIsSavedUnchanged();
    void staleListRowOpensNoOtherQso();
    void pastedLineBreakStaysOnOneLine();
};

void TestEditPage::loadsTheSelectedRowAndSavesItInPlace() {
    QList<TQsoRecord> records = numberedQsos(5);
    records[2][QsoField::Comments] = "first\r\nsecond";
    records[2][QsoField::QslOut] = "05.06.2004";
    BrowseFixture f(records);
    const QByteArray before = f.log();
    f.editRow(3);
    TEditPage* e = f.edit();
    QCOMPARE(f.currentPage(), f.form()->EditierenTS);
    QCOMPARE(e->eNumberLabel->text(), QString("3"));
    QCOMPARE(e->eDatePicker->date(), QDate(2004, 6, 4));
    QCOMPARE(e->eUtcPicker->time(), QTime(3, 31, 0));
    QCOMPARE(e->eModeComboBox->currentText(), QString("SSB"));
    QCOMPARE(e->eCallEdit->text(), QString("QX3ABC"));
    QCOMPARE(e->eCommentsMemo->toPlainText(), QString("first\nsecond"));
    QVERIFY(e->eQslOutPicker->isChecked());
    QCOMPARE(e->eQslOutPicker->date(), QDate(2004, 6, 5));
    QVERIFY(e->eOkBtn->isEnabled());
    // Alt + the save button's letter saves, and opens no menu.
    for (QMenu* menu : f.form()->menuBar()->findChildren<QMenu*>())
        QVERIFY(QKeySequence::mnemonic(menu->title()) != QKeySequence::mnemonic(e->eOkBtn->text()));

    e->eNameEdit->setText(QString::fromUtf8("J\u00fcrgen"));
    e->eOkBtn->click();

    QList<QByteArray> expected = recordLines(before);
    TQsoRecord changed = records[2];
    changed[QsoField::Name] = "J\xfcrgen"; // Windows-1252 on disk
    expected[2] = QsoLine::join(changed) + '\r';
    QCOMPARE(recordLines(f.log()), expected);
    QVERIFY(f.log().startsWith(QsoLine::kHeader + "\r\n"));
    QCOMPARE(f.form()->listeModel->Cells(9, 3), QString::fromUtf8("J\u00fcrgen"));
    QCOMPARE(f.currentPage(), f.form()->ListeTS);
    QCOMPARE(f.form()->ListeStringGrid->Row(), 3);
}

void TestEditPage::emptyQslInStaysEmpty() {
    BrowseFixture f(numberedQsos(2));
    f.editRow(2);
    TEditPage* e = f.edit();
    QVERIFY(!e->eQslInPicker->isChecked());
    QCOMPARE(e->eQslInPicker->date(), QDate::currentDate());
    QVERIFY(!e->eQslInAddBtn->isVisible());
    e->eOkBtn->click();
    const TQsoRecord saved = *QsoLine::split(recordLines(f.log())[1].chopped(1));
    QCOMPARE(saved, LogBuilder::qso(2));
}

void TestEditPage::captionColours_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("red");
    const auto row = [](const char* name, const char* field, const char* text, const char* caption,
                        bool red) {
        QTest::newRow(name) << QString(field) << QString(text) << QString(caption) << red;
    };
    row("call of one character", "eCallEdit", "Q", "eCallLabel", true);
    row("report of one character", "eRstRxEdit", "5", "eRstRxLabel", true);
    row("four-character locator", "eLocatorEdit", "JO43", "eLocatorLabel", true);
    row("six-character locator", "eLocatorEdit", "JO54AH", "eLocatorLabel", false);
    row("power gets its unit", "eTxPwrEdit", "5", "eTxPwrLabel", false);
    row("no power", "eTxPwrEdit", "", "eTxPwrLabel", true);
}

void TestEditPage::captionColours() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(bool, red);
    BrowseFixture f(numberedQsos(1));
    f.editRow(1);
    auto* label = f.edit()->findChild<QLabel*>(caption);
    QVERIFY(!isRed(label));
    f.edit()->findChild<QLineEdit*>(field)->setText(text);
    QCOMPARE(isRed(label), red);
}

void TestEditPage::typedLettersAndPower() {
    BrowseFixture f(numberedQsos(1));
    f.editRow(1);
    TEditPage* e = f.edit();
    retype(e->eCallEdit, "qx1abc/p");
    QCOMPARE(e->eCallEdit->text(), QString("QX1ABC/P"));
    retype(e->eLocatorEdit, "jo54ah");
    QCOMPARE(e->eLocatorEdit->text(), QString("JO54AH"));
    retype(e->eTxPwrEdit, "1a0x0");
    QCOMPARE(e->eTxPwrEdit->text(), QString("100W"));
    QCOMPARE(e->eTxPwrEdit->cursorPosition(), 3);
    QTest::keyClicks(e->eTxPwrEdit, ",5");
    QCOMPARE(e->eTxPwrEdit->text(), QString("100,5W"));
    QTest::keyClick(e->eTxPwrEdit, Qt::Key_End);
    QTest::keyClick(e->eTxPwrEdit, Qt::Key_Backspace); // the unit comes back
    QCOMPARE(e->eTxPwrEdit->text(), QString("100,5W"));
}

void TestEditPage::dependentLabelsFollowTheFields() {
    BrowseFixture f(numberedQsos(1));
    f.editRow(1);
    TEditPage* e = f.edit();
    QCOMPARE(e->eDxccLabel->text(), QString("Qx Island")); // QX1ABC as loaded
    retype(e->eCallEdit, "QX2ABC");
    QCOMPARE(e->eDxccLabel->text(), QString("Qx Mainland"));
    retype(e->eCallEdit, "OE");
    QCOMPARE(e->eDxccLabel->text(), QString());

    retype(e->eDokEdit, "A01");
    QCOMPARE(e->eOvLabel->text(), QString("Konstanz"));
    QCOMPARE(e->eDistriktLabel->text(), QString("Baden"));
    e->eDokEdit->setText("A0X"); // the last character replaced
    QCOMPARE(e->eOvLabel->text(), QString());
    QCOMPARE(e->eDistriktLabel->text(), QString("Baden"));
    e->eDokEdit->setText("A0");
    QCOMPARE(e->eDistriktLabel->text(), QString());

    retype(e->eLocatorEdit, "JN58TD");
    QCOMPARE(e->eBearingLabel->text(), QString::fromUtf8("166 \u00b0"));
    QCOMPARE(e->eDistanceLabel->text(), QString("633 km"));
    QTest::keyClick(e->eLocatorEdit, Qt::Key_Backspace);
    QCOMPARE(e->eBearingLabel->text(), QString());
    QCOMPARE(e->eDistanceLabel->text(), QString());
}

void TestEditPage::unusableQsoCannotBeSaved_data() {
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QString>("named");
    QTest::newRow("empty log") << QList<QByteArray>() << "kein QSO 1";
    QTest::newRow("unreadable date")
        << QList<QByteArray>{"1;5 June 2004;17:31:00;2m;FM;QX1ABC"} << "5 June 2004";
    QTest::newRow("unreadable time")
        << QList<QByteArray>{"1;05.06.2004;;2m;FM;QX1ABC"} << "UTC \"\"";
    QTest::newRow("unreadable QSL in")
        << QList<QByteArray>{"1;05.06.2004;17:31:00;2m;FM;QX1ABC;;;;;;;;;;yes"} << "yes";
    QTest::newRow("date before the calendar")
        << QList<QByteArray>{"1;05.06.1004;17:31:00;2m;FM;QX1ABC"} << "05.06.1004";
}

void TestEditPage::unusableQsoCannotBeSaved() {
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QString, named);
    BrowseFixture f({});
    f.dir.writeFile("a.log", LogBuilder::rawLog(lines));
    f.form()->ListeNeuFuellen();
    const QByteArray before = f.log();
    f.editRow(1);
    const QString message = f.edit()->eStateLabel->text();
    QVERIFY(f.edit()->eStateLabel->isVisible());
    QVERIFY2(message.contains(named), qPrintable(message));
    QCOMPARE(f.currentPage(), f.form()->EditierenTS);
    QVERIFY(!f.edit()->eOkBtn->isEnabled());
    f.edit()->eOkBtnClick();
    QCOMPARE(f.log(), before);
    QCOMPARE(f.currentPage(), f.form()->EditierenTS);

    // A QSO that can be saved clears the message.
    f.dir.writeFile("a.log", LogBuilder::logContent(numberedQsos(1)));
    f.form()->ListeNeuFuellen();
    f.editRow(1);
    QVERIFY(!f.edit()->eStateLabel->isVisible());
    QVERIFY(f.edit()->eOkBtn->isEnabled());
}

void TestEditPage::numberOutOfStepSavesWhereTheQsoWasRead() {
    const QList<TQsoRecord> records = {LogBuilder::qso(1), LogBuilder::qso(2), LogBuilder::qso(5)};
    BrowseFixture f(records);
    f.editRow(3);
    QCOMPARE(f.edit()->eNumberLabel->text(), QString("5"));
    retype(f.edit()->eNameEdit, "Anna");
    f.edit()->eOkBtn->click();
    const QList<QByteArray> lines = recordLines(f.log());
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QsoLine::join(records[0]) + '\r');
    QCOMPARE(lines[1], QsoLine::join(records[1]) + '\r');
    TQsoRecord changed = records[2];
    changed[QsoField::Name] = "Anna";
    QCOMPARE(lines[2], QsoLine::join(changed) + '\r');
}

void TestEditPage::savingReturnsToWhereTheEditCameFrom_data() {
    QTest::addColumn<int>("marker");
    QTest::addColumn<QString>("page");
    QTest::newRow("list") << 0 << "ListeTS";
    QTest::newRow("evaluations") << 1 << "AuswertungenTS";
    QTest::newRow("search") << 2 << "SucheTS";
}

void TestEditPage::savingReturnsToWhereTheEditCameFrom() {
    QFETCH(int, marker);
    QFETCH(QString, page);
    BrowseFixture f(numberedQsos(3));
    f.edit()->setReturnMarker(marker);
    f.edit()->openQso(2);
    QCOMPARE(f.edit()->eNumberLabel->text(), QString("2"));
    f.edit()->eOkBtn->click();
    QCOMPARE(f.currentPage()->objectName(), page);
    QCOMPARE(f.edit()->returnMarker(), 0);

    // A marker left over from an edit not saved is no reason to leave the list page.
    f.edit()->setReturnMarker(marker);
    f.editRow(1);
    f.edit()->eOkBtn->click();
    QCOMPARE(f.currentPage(), f.form()->ListeTS);
}

void TestEditPage::savingScrollsTheListToTheRow_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("first row") << 1;
    QTest::newRow("middle row") << 100;
    QTest::newRow("last row") << 200;
}

void TestEditPage::savingScrollsTheListToTheRow() {
    QFETCH(int, row);
    BrowseFixture f(numberedQsos(200));
    QsoGrid* list = f.form()->ListeStringGrid;
    f.editRow(row);
    f.edit()->eOkBtn->click();
    QCOMPARE(list->Row(), row);
    if (row == 1) {
        QCOMPARE(list->verticalScrollBar()->value(), 0);
        return;
    }
    // The last row shown whole: the one after it reaches past the bottom.
    const int height = list->viewport()->height();
    QVERIFY(list->visualRect(list->model()->index(row - 1, 0)).bottom() < height);
    if (row < 200)
        QVERIFY(list->visualRect(list->model()->index(row, 0)).bottom() >= height);
}

void TestEditPage::theMaskListOpensTheRowReachedAndTakesTheWidths() {
    BrowseFixture f(numberedQsos(5));
    QsoGrid* liste2 = f.form()->Liste2StringGrid;
    f.form()->MainPageControl->setCurrentWidget(f.form()->ListeTS);
    f.form()->ListeStringGrid->setColumnWidth(13, 250);
    f.form()->MainPageControl->setCurrentWidget(f.form()->EingabeTS);
    QCOMPARE(liste2->columnWidth(13), 250); // EingabeTSEnter
    liste2->setFocus();
    liste2->selectGridRow(1);
    QTest::keyClick(liste2, Qt::Key_Down);
    QTest::keyClick(liste2, Qt::Key_Down);
    QCOMPARE(f.form()->ListeStringGrid->Row(), 3); // both lists on the same row
    QTest::keyClick(liste2, Qt::Key_Return);
    QCOMPARE(f.currentPage(), f.form()->EditierenTS);
    QCOMPARE(f.edit()->eCallEdit->text(), QString("QX3ABC"));
}

void TestEditPage::commentEditorHandsTheTextBack() {
    BrowseFixture f(numberedQsos(1));
    f.editRow(1);
    TEditPage* e = f.edit();
    e->eCommentsMemo->setPlainText("old");
    QString seen;
    ModalDialogs::onNextModal([&seen](QWidget* w) {
        auto* editor = qobject_cast<TTextForm*>(w);
        if (!editor)
            return;
        seen = editor->Memo->toPlainText();
        editor->Memo->setPlainText("abc\ndef");
        editor->close();
    });
    e->eCommentsBtn->click();
    QCOMPARE(seen, QString("old"));
    QCOMPARE(e->eCommentsMemo->toPlainText(), QString("abc\ndef"));
    e->eOkBtn->click();
    QVERIFY(f.log().contains(";abc#13#10def;"));
}

void TestEditPage::qslButtonsFollowPickerAndCardFile() {
    TQsoRecord qso = LogBuilder::qso(1, "QX1ABC/P");
    qso[QsoField::Date] = "05.06.2004";
    qso[QsoField::Utc] = "17:31:00";
    BrowseFixture f({qso});
    f.dir.writeFile("cards/qx1abc-p-050604173100.jpg", "card");
    f.form()->settings().WriteString("Allgemein", "QslPath", f.dir.file("cards/"));
    f.editRow(1);
    TEditPage* e = f.edit();
    QCOMPARE(e->eQslInFileName(), f.dir.file("cards/qx1abc-p-050604173100.jpg"));
    QVERIFY(e->eQslInShowBtn->isVisible());
    QVERIFY(!e->eQslInAddBtn->isVisible());
    e->eQslInPicker->checkBox()->click();
    QVERIFY(e->eQslInAddBtn->isVisible());
    e->eUtcPicker->setTime(QTime(17, 32, 0));
    QVERIFY(!e->eQslInShowBtn->isVisible());
    e->eUtcPicker->setTime(QTime(17, 31, 0));
    QVERIFY(e->eQslInShowBtn->isVisible());
}

void TestEditPage::untouchedQsoIsSavedUnchanged_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("no-break spaces") << QByteArray("1;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;"
                                                   "A\xa0"
                                                   "B;;;10W;x\xa0y;;");
    QTest::newRow("two-line comment, QSL dates")
        << QByteArray("1;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;;;;10W;a#13#10b;06.06.2004;"
                      "07.06.2004");
}

void TestEditPage::untouchedQsoIsSavedUnchanged() {
    QFETCH(QByteArray, line);
    BrowseFixture f({});
    f.dir.writeFile("a.log", LogBuilder::rawLog({line}));
    f.form()->ListeNeuFuellen();
    f.editRow(1);
    f.edit()->eOkBtn->click();
    QCOMPARE(f.log(), LogBuilder::rawLog({line}));
}

void TestEditPage::staleListRowOpensNoOtherQso() {
    BrowseFixture f(numberedQsos(3));
    // Another program rewrote the log behind the lists: row 2 is another QSO now.
    LogBuilder::writeLog(f.dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(7)});
    f.editRow(2);
    QVERIFY(f.edit()->eStateLabel->isVisible());
    QVERIFY(!f.edit()->eOkBtn->isEnabled());
    QCOMPARE(f.form()->listeModel->Cells(5, 2), QString("QX7ABC")); // the lists were refilled
    f.editRow(2);
    QVERIFY(f.edit()->eOkBtn->isEnabled());
}

void TestEditPage::pastedLineBreakStaysOnOneLine() {
    BrowseFixture f(numberedQsos(2));
    f.editRow(1);
    QApplication::clipboard()->setText(QString::fromUtf8("Ji\u0159\u00ed\r\nNov\u00e1k"));
    f.edit()->eQthEdit->clear();
    QTest::keyClick(f.edit()->eQthEdit, Qt::Key_V, Qt::ControlModifier);
    for (const QChar c : QString::fromUtf8(";\u0159")) // refused as typed
        QTest::sendKeyEvent(QTest::Click, f.edit()->eNameEdit, Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    f.edit()->eOkBtn->click();
    const QList<QByteArray> lines = recordLines(f.log());
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].contains(";Erika;Jir\xed Nov\xe1k;"), lines[0].constData());
}

QTEST_MAIN(TestEditPage)
#include "tst_editpage.moc"
