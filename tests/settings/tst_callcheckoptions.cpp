#include "../entry/callcheckfixture.h"
#include "dalusession.h"
#include "duplicateoptions.h"
#include "languagefile.h"
#include "logbuilder.h"
#include "mainform.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "referencelogoptions.h"
#include "tempprogramdir.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// The options pages of a station.
struct Options : CallCheckFixture {
    explicit Options(const QByteArray& ini = {})
        : CallCheckFixture({LogBuilder::qso(1)}, ini), dc(duplicateOptions),
          refs(referenceOptions) {
        form->optionsPage->OptionenPageControl->setCurrentWidget(form->optionsPage->DoppelCheckTS);
        form->MainPageControl->setCurrentWidget(form->OptionenTS);
        if (!QTest::qWaitForWindowExposed(form))
            qWarning("main window not exposed");
    }
    QByteArray iniFile() const { return dir.readFile("Dalu.ini"); }
    TDuplicateOptions* dc;
    TReferenceLogOptions* refs;
};

// While it lives, accepts every message box that shows and counts them.
class MessageBoxes {
public:
    MessageBoxes() {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++m_count;
                m_text = box->text();
                box->accept();
            }
        });
        m_timer.start();
    }
    int count() const { return m_count; }
    QString text() const { return m_text; }

private:
    ModalDialogs::Expecting m_expecting;
    QTimer m_timer;
    int m_count = 0;
    QString m_text;
};

} // namespace

class TestCallCheckOptions : public QObject {
    Q_OBJECT
private slots:
    void captionsAndNames();
    void memoMatchesTheLanguageFile();
    void callBoxAlwaysChecked();
    void boxesWriteOptions_data();
    void boxesWriteOptions();
    void damagedOptionsReportedOnce_data();
    void damagedOptionsReportedOnce();
    void loadingWritesNothing();
    void radioButtonsWriteLuxusfunktion();
    void editsWriteAllFourLogs();
    void fileDialogFillsTheMatchingEdit();
};

// The language file reaches the controls by these names.
void TestCallCheckOptions::captionsAndNames() {
    Options o;
    QWidget* page = o.form->optionsPage->DoppelCheckTS;
    for (const char* name :
         {"Label10", "dcCallCheckBox", "dcBandCheckBox", "dcModeCheckBox", "dcDateCheckBox"})
        QVERIFY2(page->findChild<QWidget*>(name), name);
    QWidget* refPage = o.form->optionsPage->ReferenzLogsTS;
    for (const char* name : {"rStandartRadioBtn", "rLuxusRadioBtn", "Label71", "Memo6", "rLog1Edit",
                             "rLog2Edit", "rLog3Edit", "rLog4Edit", "rLog1Btn", "rLog4Btn"})
        QVERIFY2(refPage->findChild<QWidget*>(name), name);
    QCOMPARE(o.refs->rStandartRadioBtn->text(), QString("Standartfunktion (schneller)"));
    QVERIFY(o.refs->Memo6->isReadOnly());
}

void TestCallCheckOptions::memoMatchesTheLanguageFile() {
    // The built-in texts are the German file's: a language switch back to German changes
    // nothing.
    Options o;
    const LanguageTexts german = readLanguageFile(o.dir.file("deutsch.lng"));
    const QString memo = german.text(111).replace("\r\n", "\n");
    QCOMPARE(o.refs->Memo6->toPlainText(), memo);
    QCOMPARE(o.dc->Label10->text(), german.text(103));
    QCOMPARE(o.refs->Label71->text(), german.text(110));
}

void TestCallCheckOptions::callBoxAlwaysChecked() {
    Options o;
    MessageBoxes boxes;
    o.dc->dcCallCheckBox->click();
    QVERIFY(o.dc->dcCallCheckBox->isChecked());
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.text(), o.form->msg(186));
    QVERIFY(!boxes.text().isEmpty());
}

void TestCallCheckOptions::boxesWriteOptions_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("options");
    QTest::newRow("band") << QStringList({"dcBandCheckBox"}) << "100";
    QTest::newRow("mode") << QStringList({"dcModeCheckBox"}) << "010";
    QTest::newRow("date") << QStringList({"dcDateCheckBox"}) << "001";
    QTest::newRow("band and date") << QStringList({"dcBandCheckBox", "dcDateCheckBox"}) << "101";
    QTest::newRow("band on and off") << QStringList({"dcBandCheckBox", "dcBandCheckBox"}) << "000";
}

void TestCallCheckOptions::boxesWriteOptions() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, options);
    Options o;
    for (const QString& name : clicks)
        o.form->optionsPage->DoppelCheckTS->findChild<QCheckBox*>(name)->click();
    // At once on disk, and the check uses it.
    QVERIFY(o.iniFile().contains("[Doppel-Check]\r\nOptions=" + options.toLatin1() + "\r\n"));
    QVERIFY(o.check->criteria() == DuplicateCheck::parseOptions(options).criteria);
}

void TestCallCheckOptions::damagedOptionsReportedOnce_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("band");
    QTest::addColumn<bool>("mode");
    QTest::addColumn<bool>("date");
    QTest::addColumn<bool>("reported");
    QTest::newRow("fine") << QByteArray("011") << false << true << true << false;
    QTest::newRow("empty value") << QByteArray("") << false << false << false << true;
    QTest::newRow("short") << QByteArray("1") << true << false << false << true;
    QTest::newRow("letter") << QByteArray("1x1") << true << false << true << true;
}

void TestCallCheckOptions::damagedOptionsReportedOnce() {
    QFETCH(QByteArray, value);
    QFETCH(bool, band);
    QFETCH(bool, mode);
    QFETCH(bool, date);
    QFETCH(bool, reported);
    MessageBoxes boxes;
    Options o("[Doppel-Check]\r\nOptions=" + value + "\r\n");
    QTest::qWait(100);
    QCOMPARE(boxes.count(), reported ? 1 : 0);
    if (reported)
        QVERIFY(boxes.text().contains("\"" + value + "\""));
    QCOMPARE(o.dc->dcBandCheckBox->isChecked(), band);
    QCOMPARE(o.dc->dcModeCheckBox->isChecked(), mode);
    QCOMPARE(o.dc->dcDateCheckBox->isChecked(), date);
    QVERIFY(o.dc->dcCallCheckBox->isChecked());
    QCOMPARE(o.check->criteria().date, date);
    QVERIFY(o.form->initialised());
}

void TestCallCheckOptions::loadingWritesNothing() {
    MessageBoxes boxes;
    Options o(
        "[Doppel-Check]\r\nOptions=1\r\n[Referenz-Logs]\r\nLuxusfunktion=1\r\nLog2=/x/b.log\r\n");
    // The damaged value stays as it was until the operator changes a box.
    QCOMPARE(o.form->settings().ReadString("Doppel-Check", "Options", "?"), QString("1"));
    QVERIFY(o.refs->rLuxusRadioBtn->isChecked());
    QCOMPARE(o.refs->rLogEdit[1]->text(), QString("/x/b.log"));
    QCOMPARE(o.form->settings().ReadSection("Referenz-Logs"),
             QStringList({"Luxusfunktion", "Log2"}));
}

void TestCallCheckOptions::radioButtonsWriteLuxusfunktion() {
    Options o;
    QVERIFY(o.refs->rStandartRadioBtn->isChecked());
    o.refs->rLuxusRadioBtn->click();
    QVERIFY(o.iniFile().contains("[Referenz-Logs]\r\nLuxusfunktion=1\r\n"));
    o.refs->rStandartRadioBtn->click();
    QVERIFY(o.iniFile().contains("[Referenz-Logs]\r\nLuxusfunktion=0\r\n"));
}

void TestCallCheckOptions::editsWriteAllFourLogs() {
    Options o;
    QTest::keyClicks(o.refs->rLogEdit[2], "c.log");
    const QByteArray ini = o.iniFile();
    QVERIFY(ini.contains("Log1=\r\nLog2=\r\nLog3=c.log\r\nLog4=\r\n"));
}

void TestCallCheckOptions::fileDialogFillsTheMatchingEdit() {
    Options o;
    LogBuilder::writeLog(o.dir.file("ref.log"), {LogBuilder::qso(5)});
    o.refs->rLogEdit[1]->setText(o.dir.file("old.log"));
    QString title;
    ModalDialogs::onNextModal([&](QWidget* w) {
        if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
            title = dialog->windowTitle();
            dialog->selectFile(o.dir.file("ref.log"));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    o.refs->rLogBtn[1]->click();
    QCOMPARE(title, o.form->msg(192));
    QCOMPARE(o.refs->rLogEdit[1]->text(), o.dir.file("ref.log"));
    QCOMPARE(o.refs->rLogEdit[0]->text(), QString());
    QVERIFY(o.iniFile().contains("Log2=" + o.dir.file("ref.log").toUtf8() + "\r\n"));
}

QTEST_MAIN(TestCallCheckOptions)
#include "tst_callcheckoptions.moc"
