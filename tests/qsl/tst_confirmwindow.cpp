// A LoTW report read from the QSL page: the result window, the confirmed counts by the
// option chosen, the edit page's line and the QSL out list that leaves such QSOs out.
#include "../browse/browsefixture.h"
#include "confirmwindow.h"
#include "qsldriver.h"
#include "settingsdriver.h"
#include "station.h"
#include "widgettest.h"

#include <QDialog>
#include <QPlainTextEdit>

namespace {

QByteArray tag(const char* name, const QByteArray& value) {
    return '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value;
}

QByteArray report() {
    QByteArray out = "ARRL Logbook of the World Status Report\nGenerated at 2026-03-02\n\n"
                     "<PROGRAMID:4>LoTW\n<eoh>\n";
    for (const char* call : {"QX1A", "QX9Z"})
        out += tag("CALL", call) + tag("BAND", "20M") + tag("MODE", "FT8") +
               tag("APP_LoTW_MODEGROUP", "DATA") + tag("QSO_DATE", "20260201") +
               tag("TIME_ON", "121000") + tag("QSL_RCVD", "Y") + tag("QSLRDATE", "20260215") +
               "\n<eor>\n";
    return out;
}

} // namespace

class TestConfirmWindow : public QObject {
    Q_OBJECT
private slots:
    void importCountsAndShows() {
        QList<TQsoRecord> log;
        for (const char* line : {"1;01.02.2026;12:00:00;20m;FT8;QX1A;-10;-12;;;;;;;;",
                                 "2;01.02.2026;12:30:00;40m;CW;QX1B;599;599;;;;;;;;"})
            log.append(*QsoLine::split(line));
        BrowseFixture f(log);
        f.dir.writeFile("lotwreport.adi", report());
        const SettingsDriver options(f.form()->optionsPage);
        options.radio("confirmLotwRadioBtn")->click();
        options.find<QCheckBox>("confirmSkipChkBox")->click();
        QVERIFY(f.dir.readFile("Dalu.ini").contains("[LoTW]\r\nConfirmedBy=1\r\n"));

        f.form()->navigator().showPage(Navigator::Page::Evaluations);
        const QslDriver page(f.form());
        page.qslPage()->findChild<TConfirmWindow*>()->importReport(f.dir.file("lotwreport.adi"));
        QDialog* result = nullptr;
        QTRY_VERIFY((result = f.form()->findChild<QDialog*>("ConfirmResultDialog")));
        const QString text = namedChild<QPlainTextEdit>(result, QStringLiteral("confirmResultMemo"))->toPlainText();
        QVERIFY2(text.contains("Zugeordnet: 1 (neu: 1)"), qPrintable(text));
        QVERIFY2(text.contains("Nicht zugeordnet: QX9Z 01.02.2026 12:10:00"), qPrintable(text));
        result->close();

        // Counted as confirmed without a card; left off the QSL out list.
        page.showSheet("AnzahlQsosTS");
        EvaluationGridModel* confirmed = page.gridModel("AnzahlWorkedQsosStringGrid");
        QCOMPARE(confirmed->cell(confirmed->columnCount() - 1, confirmed->rowCount() - 1),
                 QString("1"));
        page.qslPage()->createList();
        QCOMPARE(page.outModel()->rowCount(), 1);
        QCOMPARE(page.outModel()->index(0, 1).data().toString(), QString("QX1B"));

        f.editRow(0);
        QCOMPARE(page.child<QLabel>("eConfirmLabel")->text(), QString("LoTW 15.02.2026"));
    }
};

QTEST_MAIN(TestConfirmWindow)
#include "tst_confirmwindow.moc"
