#include "entrydriver.h"
#include "entrypage.h"
#include "generaloptions.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "presetoptions.h"
#include "serialoptions.h"
#include "sessionfixture.h"
#include "widgettest.h"

namespace {

bool enabledOnItsPage(const QWidget* w) {
    return w->isEnabledTo(w->parentWidget());
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void loadingWritesNothing_data() {
        columns<QByteArray, int>("utcDiff", "offset");
        QTest::newRow("whole hours") << QByteArray("-2") << -2;
        QTest::newRow("half an hour is reported") << QByteArray("0,5") << 0;
    }

    void loadingWritesNothing() {
        QFETCH(QByteArray, utcDiff);
        QFETCH(int, offset);
        SessionFixture s(nullptr);
        const QByteArray ini =
            "[Allgemein]\r\nEigenesCall=DL1XYZ\r\nUtcDiffAuto=0\r\nUtcDiff=" + utcDiff +
            "\r\nQslPath=/tmp/cards/\r\n\r\n";
        QString message;
        if (offset == 0)
            ModalDialogs::answerMessageBox(&message);
        s.start(ini);
        QVERIFY2(message.contains(utcDiff) == (offset == 0), qPrintable(message));
        TGeneralOptions* general = s.form->optionsPage->generalOptions;
        QCOMPARE(general->EigCallEdit->text(), QString("DL1XYZ"));
        QCOMPARE(general->QslPathEdit->text(), QString("/tmp/cards/"));
        QVERIFY(enabledOnItsPage(general->UtcDiffEdit));
        QCOMPARE(s.form->entryPage->utcOffsetHours(), offset);
        QCOMPARE(s.ini(), ini);
    }

    void serialTextMustBeNumberToCountAndEditsAreWritten() {
        SessionFixture s;
        TSerialOptions* serial = s.form->optionsPage->serialOptions;
        const EntryDriver entry(s.form->entryPage);
        QCOMPARE(entry.label("RstTxLabel")->text(), QString("RST (+Nr) TX"));
        QTest::keyClicks(serial->ErgRstTxTextEdit, "abc");
        QVERIFY(!ModalDialogs::messageOf([serial] {
                     serial->ErgRstTxNummerCheckBox->click();
                 }).isEmpty());
        QVERIFY(!serial->ErgRstTxNummerCheckBox->isChecked());
        QCOMPARE(s.form->settings().ReadBool("ErgRstTx", "Nummer", true), false);
        serial->ErgRstTxTextEdit->setText("001");
        QCOMPARE(entry.label("RstTxLabel")->text(), QString("RST + 001 TX"));
        QCOMPARE(entry.label("RstRxLabel")->text(), QString("RST + Nr RX"));
        serial->ErgRstTxNummerCheckBox->click();
        QVERIFY(serial->ErgRstTxNummerCheckBox->isChecked());
        // Changing the text stops the counting and writes the text at once.
        QTest::keyClick(serial->ErgRstTxTextEdit, Qt::Key_5);
        QVERIFY(!serial->ErgRstTxNummerCheckBox->isChecked());
        QVERIFY(s.ini().contains("[ErgRstTx]\r\nText=0015\r\n"));
        // The general edits are written at once, the presets at exit.
        TGeneralOptions* general = s.form->optionsPage->generalOptions;
        QVERIFY(general->UtcDiffAutoCheckBox->isChecked() &&
                !enabledOnItsPage(general->UtcDiffEdit));
        general->UtcDiffAutoCheckBox->click();
        QVERIFY(enabledOnItsPage(general->UtcDiffEdit));
        general->UtcDiffEdit->setText("3");
        general->QslPathEdit->setText("/tmp/cards");
        QCOMPARE(s.form->entryPage->utcOffsetHours(), 3);
        QTableWidget* presets = s.form->optionsPage->presetOptions->PreValueListEditor;
        QCOMPARE(presets->item(1, 0)->text(), QString("RST TX"));
        presets->item(1, 1)->setText("599");
        QVERIFY(s.ini().contains("UtcDiffAuto=0\r\n") && !s.ini().contains("[Vorgaben]") &&
                s.ini().contains("UtcDiff=3\r\nQslPath=/tmp/cards/\r\n"));
        s.stop();
        QVERIFY(s.ini().contains("[Vorgaben]\r\nCall=\r\nRstTx=599\r\n"));
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
