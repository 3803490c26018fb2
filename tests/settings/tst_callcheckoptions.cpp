#include "../entry/callcheckfixture.h"
#include "languagefile.h"
#include "modaldialogs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

// The options pages of a station, the duplicate check's page shown.
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

} // namespace

class TestCallCheckOptions : public QObject {
    Q_OBJECT
private slots:
    void textsAreTheLanguageFilesLines() {
        Options o;
        const LanguageTexts german = readLanguageFile(o.dir.file("deutsch.lng"));
        QCOMPARE(o.refs->Memo6->toPlainText(), german.text(111).replace("\r\n", "\n"));
        QCOMPARE(o.dc->Label10->text(), german.text(103));
        QCOMPARE(o.refs->Label71->text(), german.text(110));
        QVERIFY(o.refs->Memo6->isReadOnly());
    }

    void callBoxAlwaysChecked() {
        Options o;
        ModalDialogs::MessageBoxLog boxes;
        o.dc->dcCallCheckBox->click();
        QVERIFY(o.dc->dcCallCheckBox->isChecked());
        QCOMPARE(boxes.texts, QStringList{o.form->msg(186)});
        QVERIFY(!boxes.texts[0].isEmpty());
    }

    void boxesWriteOptions_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("options");
        QTest::newRow("band") << QStringList{"dcBandCheckBox"} << "100";
        QTest::newRow("date") << QStringList{"dcDateCheckBox"} << "001";
        QTest::newRow("band on and off, mode")
            << QStringList{"dcBandCheckBox", "dcModeCheckBox", "dcBandCheckBox"} << "010";
    }

    void boxesWriteOptions() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, options);
        Options o;
        for (const QString& name : clicks)
            o.form->optionsPage->DoppelCheckTS->findChild<QCheckBox*>(name)->click();
        // At once on disk, and the check uses it.
        QVERIFY(o.iniFile().contains("[Doppel-Check]\r\nOptions=" + options.toLatin1() + "\r\n"));
        QVERIFY(o.check->criteria() == DuplicateCheck::parseOptions(options).criteria);
    }

    void loadingWritesNothing_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("boxes"); // band, mode, date
        QTest::addColumn<bool>("reported");
        QTest::newRow("fine") << QByteArray("011") << "011" << false;
        QTest::newRow("empty value") << QByteArray("") << "000" << true;
        QTest::newRow("short") << QByteArray("1") << "100" << true;
        QTest::newRow("letter") << QByteArray("1x1") << "101" << true;
    }

    void loadingWritesNothing() {
        QFETCH(QByteArray, value);
        QFETCH(QString, boxes);
        QFETCH(bool, reported);
        ModalDialogs::MessageBoxLog messages;
        const QByteArray ini = "[Doppel-Check]\r\nOptions=" + value +
                               "\r\n[Referenz-Logs]\r\nLuxusfunktion=1\r\nLog2=/x/b.log\r\n";
        Options o(ini);
        QCOMPARE(messages.texts.size(), reported ? 1 : 0);
        QVERIFY(!reported || messages.texts[0].contains("\"" + value + "\""));
        QString checked;
        for (QCheckBox* box : {o.dc->dcBandCheckBox, o.dc->dcModeCheckBox, o.dc->dcDateCheckBox})
            checked += box->isChecked() ? '1' : '0';
        QCOMPARE(checked, boxes);
        QVERIFY(o.dc->dcCallCheckBox->isChecked());
        QCOMPARE(o.check->criteria().date, boxes.endsWith('1'));
        QVERIFY(o.form->initialised());
        QVERIFY(o.refs->rLuxusRadioBtn->isChecked());
        QCOMPARE(o.refs->rLogEdit[1]->text(), QString("/x/b.log"));
        // A damaged value stays as it was until the operator changes a box.
        QCOMPARE(o.iniFile(), "[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
    }

    void referenceLogPageWritesAtOnce() {
        Options o;
        QVERIFY(o.refs->rStandartRadioBtn->isChecked());
        o.refs->rLuxusRadioBtn->click();
        QVERIFY(o.iniFile().contains("[Referenz-Logs]\r\nLuxusfunktion=1\r\n"));
        o.refs->rStandartRadioBtn->click();
        QVERIFY(o.iniFile().contains("[Referenz-Logs]\r\nLuxusfunktion=0\r\n"));
        QTest::keyClicks(o.refs->rLogEdit[2], "c.log");
        QVERIFY(o.iniFile().contains("Log1=\r\nLog2=\r\nLog3=c.log\r\nLog4=\r\n"));
        // The file dialog of the second log fills the second edit.
        LogBuilder::writeLog(o.dir.file("ref.log"), {LogBuilder::qso(5)});
        o.refs->rLogEdit[1]->setText(o.dir.file("old.log"));
        QString title;
        ModalDialogs::answerFileDialog(o.dir.file("ref.log"), &title);
        o.refs->rLogBtn[1]->click();
        QCOMPARE(title, o.form->msg(192));
        QCOMPARE(o.refs->rLogEdit[1]->text(), o.dir.file("ref.log"));
        QCOMPARE(o.refs->rLogEdit[0]->text(), QString());
        QVERIFY(o.iniFile().contains("Log2=" + o.dir.file("ref.log").toUtf8() + "\r\n"));
    }
};

QTEST_MAIN(TestCallCheckOptions)
#include "tst_callcheckoptions.moc"
