// "Etiketten drucken" on the QSL page: labels go to a PDF file, and only labels the operator
// confirms mark their QSOs as sent; cancelled, declined or outdated runs mark none.
#include "../browse/browsefixture.h"
#include "germanformat.h"
#include "labelprintdialog.h"
#include "modaldialogs.h"
#include "qsldriver.h"
#include "widgettest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

namespace {

enum class Run { Confirmed, Declined, Cancelled, ChangedBehind };

} // namespace

class TestQslLabelPrint : public QObject {
    Q_OBJECT
private slots:
    void marksOnlyConfirmedLabels_data() {
        QTest::addColumn<int>("run");
        QTest::addColumn<bool>("selectTwo");
        QTest::newRow("confirmed: all listed marked") << int(Run::Confirmed) << false;
        QTest::newRow("confirmed: the two selected marked") << int(Run::Confirmed) << true;
        QTest::newRow("labels came out wrong") << int(Run::Declined) << false;
        QTest::newRow("dialog cancelled") << int(Run::Cancelled) << false;
        QTest::newRow("log changed by another program") << int(Run::ChangedBehind) << false;
    }
    void marksOnlyConfirmedLabels() {
        QFETCH(int, run);
        QFETCH(bool, selectTwo);
        QList<TQsoRecord> log = LogBuilder::qsos(5);
        log[1][QsoField::QslOut] = "01.01.2020"; // not on the list
        BrowseFixture f(log);
        const QslDriver page(f.form());
        page.qslPage()->createList();
        QCOMPARE(page.outModel()->qsoCount(), 4);
        if (selectTwo) {
            page.outGrid()->selectRow(0);
            page.outGrid()->selectionModel()->select(page.outModel()->index(3, 0),
                                                     QItemSelectionModel::Select |
                                                         QItemSelectionModel::Rows);
        }
        const QString pdf = f.dir.file("labels.pdf");
        QList<TQsoRecord> changed = log;
        changed[4][QsoField::Comments] = "changed elsewhere";

        ModalDialogs::onNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<LabelPrintDialog*>(w);
            QVERIFY(dialog);
            if (Run(run) == Run::Cancelled) {
                dialog->reject();
                return;
            }
            dialog->findChild<QComboBox*>("labelLayoutCombo")->setCurrentIndex(1);
            dialog->findChild<QComboBox*>("labelTargetCombo")->setCurrentIndex(2);
            dialog->findChild<QLineEdit*>("labelPdfEdit")->setText(pdf);
            if (Run(run) == Run::ChangedBehind)
                LogBuilder::writeLog(f.dir.file("a.log"), changed);
            dialog->accept();
        });
        QString question, warning;
        if (Run(run) != Run::Cancelled)
            ModalDialogs::answerMessageBox(&question, Run(run) == Run::Declined ? QMessageBox::No
                                                                                : QMessageBox::Yes);
        if (Run(run) == Run::ChangedBehind)
            ModalDialogs::answerMessageBox(&warning);
        page.child<QPushButton>("qslPrintLabelsBtn")->click();

        QList<TQsoRecord> expected = Run(run) == Run::ChangedBehind ? changed : log;
        if (Run(run) == Run::Confirmed) {
            const QByteArray today = GermanFormat::formatDate(QDate::currentDate());
            for (int n : selectTwo ? QList<int>{1, 5} : QList<int>{1, 3, 4, 5})
                expected[n - 1][QsoField::QslOut] = today;
            QCOMPARE(page.outModel()->index(0, 8).data().toString(), QString(today));
        }
        QCOMPARE(f.log(), LogBuilder::logContent(expected));
        QCOMPARE(QFileInfo::exists(pdf), Run(run) != Run::Cancelled);
        if (Run(run) != Run::Cancelled)
            QVERIFY2(question.contains(selectTwo ? "2 QSOs" : "4 QSOs"), qPrintable(question));
        if (Run(run) == Run::ChangedBehind)
            QVERIFY2(warning.contains("nichts wurde markiert"), qPrintable(warning));
        // The sheet chosen is there the next time.
        if (Run(run) != Run::Cancelled)
            QVERIFY(f.dir.readFile("Dalu.ini").contains("Layout=3x8"));
    }
};

QTEST_MAIN(TestQslLabelPrint)
#include "tst_qsllabelprint.moc"
