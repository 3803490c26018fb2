#include "callcheck.h"
#include "languagefile.h"
#include "modaldialogs.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
#include "widgettest.h"

namespace {

// The options pages of a station, the duplicate check's page shown.
struct Options : SessionFixture {
    explicit Options(const QByteArray& ini = {})
        : SessionFixture({LogBuilder::qso(1)}, ini), options(form->optionsPage) {
        options.showTab("DoppelCheckTS");
        form->navigator().showPage(Navigator::Page::Options);
    }
    SettingsDriver options;
};

} // namespace

class TestCallCheckOptions : public QObject {
    Q_OBJECT
private slots:
    void textsAreTheLanguageFilesLinesAndCallBoxStaysOn() {
        Options o;
        const LanguageTexts german = readLanguageFile(o.dir.file("deutsch.lng"));
        const auto* help = o.options.find<QPlainTextEdit>("Memo6");
        QCOMPARE(help->toPlainText(), german.text(111).replace("\r\n", "\n"));
        QCOMPARE(o.options.label("Label10")->text(), german.text(103));
        QCOMPARE(o.options.label("Label71")->text(), german.text(110));
        QVERIFY(help->isReadOnly());
        // The call box cannot be switched off, and says so.
        ModalDialogs::MessageBoxLog boxes;
        QCheckBox* callBox = o.options.checkBox("dcCallCheckBox");
        callBox->click();
        QVERIFY(callBox->isChecked());
        QCOMPARE(boxes.texts, QStringList{o.form->station().msg(186)});
        QVERIFY(!boxes.texts[0].isEmpty());
    }

    void boxesWriteOptions_data() {
        columns<QStringList, QString>("clicks", "options");
        QTest::newRow("band") << QStringList{"dcBandCheckBox"} << "100";
        QTest::newRow("date") << QStringList{"dcDateCheckBox"} << "001";
        QTest::newRow("band on and off, mode")
            << QStringList{"dcBandCheckBox", "dcModeCheckBox", "dcBandCheckBox"} << "010";
    }

    void boxesWriteOptions() {
        QFETCH(QString, options);
        Options o;
        for (const QString& name : fetched<QStringList>("clicks"))
            o.options.checkBox(name)->click();
        // At once on disk, and the check uses it.
        QVERIFY(o.ini().contains("[Doppel-Check]\r\nOptions=" + options.toLatin1() + "\r\n"));
        QVERIFY(o.form->callCheck->criteria() == DuplicateCheck::parseOptions(options).criteria);
    }

    void loadingWritesNothing_data() {
        // boxes: band, mode, date
        columns<QByteArray, QString>("value", "boxes"); // a value other than the boxes is reported
        QTest::newRow("fine") << QByteArray("011") << "011";
        QTest::newRow("empty value") << QByteArray("") << "000";
        QTest::newRow("short") << QByteArray("1") << "100";
        QTest::newRow("letter") << QByteArray("1x1") << "101";
    }

    void loadingWritesNothing() {
        QFETCH(QByteArray, value);
        QFETCH(QString, boxes);
        const bool reported = value != boxes.toLatin1();
        ModalDialogs::MessageBoxLog messages;
        const QByteArray ini = "[Doppel-Check]\r\nOptions=" + value +
                               "\r\n[Referenz-Logs]\r\nLuxusfunktion=1\r\nLog2=/x/b.log\r\n";
        Options o(ini);
        QCOMPARE(messages.texts.size(), reported ? 1 : 0);
        QVERIFY(!reported || messages.texts[0].contains("\"" + value + "\""));
        QString checked;
        for (const char* box : {"dcBandCheckBox", "dcModeCheckBox", "dcDateCheckBox"})
            checked += o.options.checkBox(box)->isChecked() ? '1' : '0';
        QCOMPARE(checked, boxes);
        QVERIFY(o.options.checkBox("dcCallCheckBox")->isChecked());
        QCOMPARE(o.form->callCheck->criteria().date, boxes.endsWith('1'));
        QVERIFY(o.form->station().initialised() && o.options.radio("rLuxusRadioBtn")->isChecked());
        QCOMPARE(o.options.referenceLog(2)->text(), QString("/x/b.log"));
        // A damaged value stays as it was until the operator changes a box.
        QCOMPARE(o.ini(), "[Allgemein]\r\nLastLogFileName=a.log\r\n" + ini);
    }

    void referenceLogPageWritesAtOnce() {
        Options o;
        QRadioButton* standard = o.options.radio("rStandartRadioBtn");
        QVERIFY(standard->isChecked());
        o.options.radio("rLuxusRadioBtn")->click();
        QVERIFY(o.ini().contains("[Referenz-Logs]\r\nLuxusfunktion=1\r\n"));
        standard->click();
        QVERIFY(o.ini().contains("[Referenz-Logs]\r\nLuxusfunktion=0\r\n"));
        QTest::keyClicks(o.options.referenceLog(3), "c.log");
        QVERIFY(o.ini().contains("Log1=\r\nLog2=\r\nLog3=c.log\r\nLog4=\r\n"));
        // The file dialog of the second log fills the second edit.
        LogBuilder::writeLog(o.dir.file("ref.log"), {LogBuilder::qso(5)});
        o.options.referenceLog(2)->setText(o.dir.file("old.log"));
        QString title;
        ModalDialogs::answerFileDialog(o.dir.file("ref.log"), &title);
        o.options.referenceLogButton(2)->click();
        QCOMPARE(title, o.form->station().msg(192));
        QCOMPARE(o.options.referenceLog(2)->text(), o.dir.file("ref.log"));
        QCOMPARE(o.options.referenceLog(1)->text(), QString());
        QVERIFY(o.ini().contains("Log2=" + o.dir.file("ref.log").toUtf8() + "\r\n"));
    }
};

QTEST_MAIN(TestCallCheckOptions)
#include "tst_callcheckoptions.moc"
