// "Drucken" on the list and search pages: the QSOs shown, in the range chosen, as PDF pages.
#include "browsefixture.h"
#include "logprintdialog.h"
#include "modaldialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("pdftotext failed: ") + p.errorString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestPrintLog : public QObject {
    Q_OBJECT
private slots:
    void listPagePrintsTheRangeChosen_data() {
        QTest::addColumn<bool>("numbers");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("all") << false << QStringList{"QX1ABC", "QX2ABC", "QX4ABC", "Summe: 4"}
                             << QStringList{};
        QTest::newRow("QSO 2 to 3") << true << QStringList{"QX2ABC", "QX3ABC", "Summe: 2"}
                                    << QStringList{"QX1ABC", "QX4ABC"};
    }
    void listPagePrintsTheRangeChosen() {
        QFETCH(bool, numbers);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, left);
        BrowseFixture f(LogBuilder::qsos(4));
        const QString pdf = f.dir.file("log.pdf");
        ModalDialogs::onNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<LogPrintDialog*>(w);
            QVERIFY(dialog);
            if (numbers) {
                dialog->findChild<QRadioButton*>("printNumbersRadioBtn")->setChecked(true);
                dialog->findChild<QSpinBox*>("printFirstSpin")->setValue(2);
                dialog->findChild<QSpinBox*>("printLastSpin")->setValue(3);
            }
            dialog->findChild<QComboBox*>("printTargetCombo")->setCurrentIndex(2);
            dialog->findChild<QLineEdit*>("printPdfEdit")->setText(pdf);
            dialog->accept();
        });
        f.form()->findChild<QPushButton*>("ListePrintBtn")->click();
        const QString text = pdfText(pdf);
        for (const QString& s : printed)
            QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
        for (const QString& s : left)
            QVERIFY2(!text.contains(s), qPrintable(s));
        QVERIFY(text.contains("a.log") && text.contains("Seite 1 von 1"));
    }

    void cancelledWritesNothing() {
        BrowseFixture f(LogBuilder::qsos(2));
        ModalDialogs::cancelNextModal();
        f.form()->findChild<QPushButton*>("sPrintBtn")->click();
        QVERIFY(QDir(f.dir.path()).entryList({"*.pdf"}).isEmpty());
    }
};

QTEST_MAIN(TestPrintLog)
#include "tst_printlog.moc"
