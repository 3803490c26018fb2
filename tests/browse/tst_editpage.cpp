#include "bandmode.h"
#include "browsefixture.h"
#include "datetickpicker.h"
#include "modaldialogs.h"
#include "qsogridmodel.h"
#include "textform.h"
#include "widgettest.h"

#include <QClipboard>
#include <QScrollBar>
#include <QTimeEdit>

namespace {

bool isRed(const QLabel* label) {
    return label->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

} // namespace

class TestEditPage : public QObject {
    Q_OBJECT
private slots:
    void loadsTheSelectedRowAndSavesItInPlace() {
        QList<TQsoRecord> records = LogBuilder::qsos(5);
        records[2][QsoField::Comments] = "first\r\nsecond";
        records[2][QsoField::QslOut] = "05.06.2004";
        records[2][QsoField::Number] = "7"; // out of step: saved where it was read, not at 7
        BrowseFixture f(records);
        f.editRow(3);
        const BrowseDriver::Edit e = f.edit();
        QCOMPARE(f.currentPage(), Navigator::Page::Edit);
        QCOMPARE((QStringList{e.eNumberLabel->text(), e.eDatePicker->date().toString("dd.MM.yyyy"),
                              e.eUtcPicker->time().toString(), e.eModeComboBox->currentText(),
                              e.eCallEdit->text(), e.eNameEdit->text(), e.eQthEdit->text(),
                              e.eCommentsMemo->toPlainText(), e.eQslOutPicker->dateText()}),
                 (QStringList{"7", "04.06.2004", "03:31:00", "SSB", "QX3ABC", "Erika", "Kiel",
                              "first\nsecond", "05.06.2004"}));
        QVERIFY(e.eOkBtn->isEnabled());
        // The choices are the mask's band and mode tables.
        QCOMPARE(e.eBandComboBox->itemText(e.eBandComboBox->count() - 1), QString("2200m"));
        QCOMPARE(e.eModeComboBox->count(), BandMode::modeTexts().size());
        // Alt + the save button's letter saves, and opens no menu.
        for (QMenu* menu : f.form()->menuBar()->findChildren<QMenu*>())
            QVERIFY(QKeySequence::mnemonic(menu->title()) !=
                    QKeySequence::mnemonic(e.eOkBtn->text()));
        e.eNameEdit->setText(QString::fromUtf8("J\u00fcrgen"));
        // A pasted line break becomes a blank; a typed ";" is refused, a typed letter the log
        // cannot hold becomes its base letter as pasted.
        QApplication::clipboard()->setText(QString::fromUtf8("Ji\u0159\u00ed\r\nNov\u00e1k"));
        e.eQthEdit->clear();
        QTest::keyClick(e.eQthEdit, Qt::Key_V, Qt::ControlModifier);
        for (const QChar c : QString::fromUtf8(";\u0159"))
            QTest::sendKeyEvent(QTest::Click, e.eNameEdit, Qt::Key_unknown, QString(c), {});
        e.eOkBtn->click();
        records[2][QsoField::Name] = "J\xfcrgenr"; // Windows-1252 on disk
        records[2][QsoField::Qth] = "Jir\xed Nov\xe1k";
        QCOMPARE(f.log(), LogBuilder::logContent(records));
        QCOMPARE(f.form()->lists().upper()->cell(2, 9), QString::fromUtf8("J\u00fcrgenr"));
        QCOMPARE(f.currentPage(), Navigator::Page::List);
        QCOMPARE(ShellDriver(f.form()).listGrid()->Row(), 3);
    }

    void typedFieldsAndCaptionColours_data() {
        // red: the field's caption
        columns<QString, QString, QString, bool>("field", "typed", "shown", "red");
        const auto row = [](const char* name, const char* field, const char* typed,
                            const char* shown, bool red) {
            QTest::newRow(name) << QString(field) << QString(typed) << QString(shown) << red;
        };
        row("call of one character", "eCallEdit", "q", "Q", true);
        row("call in capitals", "eCallEdit", "qx1abc/p", "QX1ABC/P", false);
        row("report of one character", "eRstRxEdit", "5", "5", true);
        row("four-character locator", "eLocatorEdit", "jo43", "JO43", true);
        row("six-character locator", "eLocatorEdit", "jo54ah", "JO54AH", false);
        row("power: letters refused, unit kept behind", "eTxPwrEdit", "1a0x0,5", "100,5W", false);
        row("no power", "eTxPwrEdit", "", "", true);
    }

    void typedFieldsAndCaptionColours() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        BrowseFixture f(LogBuilder::qsos(1));
        f.editRow(1);
        auto* edit = f.edit()->findChild<QLineEdit*>(field);
        auto* caption = f.edit()->findChild<QLabel*>(QString(field).replace("Edit", "Label"));
        QVERIFY(!isRed(caption));
        retype(edit, typed);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(isRed(caption), fetched<bool>("red"));
        if (field == "eTxPwrEdit" && !typed.isEmpty()) { // the unit comes back
            QTest::keyClick(edit, Qt::Key_End);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QCOMPARE(edit->text(), shown);
        }
    }

    void unusableQsoCannotBeSaved_data() {
        columns<QList<QByteArray>, QString>("lines", "named");
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

    void unusableQsoCannotBeSaved() {
        BrowseFixture f({});
        f.dir.writeFile("a.log", LogBuilder::rawLog(fetched<QList<QByteArray>>("lines")));
        f.form()->ListeNeuFuellen();
        const QByteArray before = f.log();
        // An empty list has no row to open: the page is chosen by its tab.
        if (fetched<QList<QByteArray>>("lines").isEmpty())
            f.form()->navigator().showPage(Navigator::Page::Edit);
        else
            f.editRow(1);
        const QString message = f.edit().eStateLabel->text();
        QVERIFY2(message.contains(fetched<QString>("named")), qPrintable(message));
        QVERIFY(f.edit().eStateLabel->isVisible() && !f.edit().eOkBtn->isEnabled());
        QCOMPARE(f.currentPage(), Navigator::Page::Edit);
        f.edit()->eOkBtnClick();
        QCOMPARE(f.log(), before);
        QCOMPARE(f.currentPage(), Navigator::Page::Edit);

        // A QSO that can be saved clears the message. A list row that is another QSO in the log
        // now opens nothing, and the lists are refilled.
        f.dir.writeFile("a.log", LogBuilder::logContent(LogBuilder::qsos(3)));
        f.form()->ListeNeuFuellen();
        f.editRow(2);
        QVERIFY(!f.edit().eStateLabel->isVisible() && f.edit().eOkBtn->isEnabled());
        LogBuilder::writeLog(f.dir.file("a.log"), {LogBuilder::qso(1), LogBuilder::qso(7)});
        f.editRow(2);
        QVERIFY(f.edit().eStateLabel->isVisible() && !f.edit().eOkBtn->isEnabled());
        QCOMPARE(f.form()->lists().upper()->cell(1, 5), QString("QX7ABC"));
        f.editRow(2);
        QVERIFY(f.edit().eOkBtn->isEnabled());
    }

    void savingReturnsToWhereTheEditCameFrom_data() {
        columns<int, QString>("marker", "page");
        QTest::newRow("list") << 0 << "ListeTS";
        QTest::newRow("evaluations") << 1 << "AuswertungenTS";
        QTest::newRow("search") << 2 << "SucheTS";
    }

    void savingReturnsToWhereTheEditCameFrom() {
        QFETCH(int, marker);
        QFETCH(QString, page);
        BrowseFixture f(LogBuilder::qsos(3));
        f.edit()->setReturnMarker(Navigator::ReturnTo(marker));
        f.edit()->openQso(2);
        QCOMPARE(f.edit().eNumberLabel->text(), QString("2"));
        f.edit().eOkBtn->click();
        QCOMPARE(ShellDriver(f.form()).pages()->currentWidget()->objectName(), page);
        QCOMPARE(int(f.edit()->returnMarker()), 0);

        // A marker left over from an edit not saved is no reason to leave the list page.
        f.edit()->setReturnMarker(Navigator::ReturnTo(marker));
        f.editRow(1);
        f.edit().eOkBtn->click();
        QCOMPARE(f.currentPage(), Navigator::Page::List);
    }

    void savingScrollsTheListToTheRow_data() {
        QTest::addColumn<int>("row");
        QTest::newRow("middle row") << 100;
        QTest::newRow("last row") << 200;
    }

    void savingScrollsTheListToTheRow() {
        QFETCH(int, row);
        BrowseFixture f(LogBuilder::qsos(200));
        QsoGrid* list = ShellDriver(f.form()).listGrid();
        f.editRow(row);
        f.edit().eOkBtn->click();
        QCOMPARE(list->Row(), row);
        // The last row shown whole: the one after it reaches past the bottom.
        const int height = list->viewport()->height();
        QVERIFY(list->visualRect(list->model()->index(row - 1, 0)).bottom() < height);
        if (row < 200)
            QVERIFY(list->visualRect(list->model()->index(row, 0)).bottom() >= height);
    }

    void theMaskListOpensTheRowReachedAndTheCommentEditorWorks() {
        BrowseFixture f(LogBuilder::qsos(5));
        QsoGrid* liste2 = ShellDriver(f.form()).maskGrid();
        f.form()->navigator().showPage(Navigator::Page::List);
        ShellDriver(f.form()).listGrid()->setColumnWidth(13, 250);
        f.form()->navigator().showPage(Navigator::Page::Entry);
        QCOMPARE(liste2->columnWidth(13), 250); // EingabeTSEnter
        liste2->setFocus();
        liste2->selectGridRow(1);
        QTest::keyClick(liste2, Qt::Key_Down);
        QTest::keyClick(liste2, Qt::Key_Down);
        QCOMPARE(ShellDriver(f.form()).listGrid()->Row(), 3); // both lists on the same row
        QTest::keyClick(liste2, Qt::Key_Return);
        QCOMPARE(f.currentPage(), Navigator::Page::Edit);
        QCOMPARE(f.edit().eCallEdit->text(), QString("QX3ABC"));
        // The comment editor gets the comment and hands its text back.
        const BrowseDriver::Edit e = f.edit();
        e.eCommentsMemo->setPlainText("old");
        QString seen;
        ModalDialogs::onNextModal([&seen](QWidget* w) {
            auto* editor = qobject_cast<TTextForm*>(w);
            if (!editor)
                return;
            seen = editor->text();
            editor->setText(QString::fromUtf8("abc\n\u0141\u00f3d\u017a;"));
            editor->close();
        });
        e.eCommentsBtn->click();
        QCOMPARE(seen, QString("old"));
        // Made storable as typing into the comments would: letter transliterated, ";" a comma.
        QCOMPARE(e.eCommentsMemo->toPlainText(), QString::fromUtf8("abc\nL\u00f3dz,"));
        e.eOkBtn->click();
        QVERIFY(f.log().contains(";abc#13#10L\xf3"
                                 "dz,;"));
    }

    void untouchedQsoIsSavedUnchanged_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("no-break spaces, no QSL dates")
            << QByteArray("1;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;A\xa0"
                          "B;;;10W;x\xa0y;;");
        QTest::newRow("two-line comment, QSL dates")
            << QByteArray("1;05.06.2004;17:31:00;2m;FM;QX1ABC;59;59;;;;;10W;a#13#10b;06.06.2004;"
                          "07.06.2004");
    }

    void untouchedQsoIsSavedUnchanged() {
        QFETCH(QByteArray, line);
        BrowseFixture f({});
        f.dir.writeFile("a.log", LogBuilder::rawLog({line}));
        f.form()->ListeNeuFuellen();
        f.editRow(1);
        const BrowseDriver::Edit e = f.edit();
        if (line.endsWith(';')) { // an empty QSL in stays empty
            QVERIFY(!e.eQslInPicker->isChecked() && !e.eQslInAddBtn->isVisible());
            QCOMPARE(e.eQslInPicker->date(), QDate::currentDate());
        }
        e.eOkBtn->click();
        QCOMPARE(f.log(), LogBuilder::rawLog({line}));
    }
};

QTEST_MAIN(TestEditPage)
#include "tst_editpage.moc"
