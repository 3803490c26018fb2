#include "entrydriver.h"
#include "entrypage.h"
#include "meminifile.h"
#include "modaldialogs.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
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
        const SettingsDriver options(s.form->optionsPage);
        QCOMPARE(options.edit("EigCallEdit")->text(), QString("DL1XYZ"));
        QCOMPARE(options.edit("QslPathEdit")->text(), QString("/tmp/cards/"));
        QVERIFY(enabledOnItsPage(options.edit("UtcDiffEdit")));
        QCOMPARE(s.form->entryPage->utcOffsetHours(), offset);
        QCOMPARE(s.ini(), ini);
    }

    void serialTextMustBeNumberToCountAndEditsAreWritten() {
        SessionFixture s;
        const SettingsDriver options(s.form->optionsPage);
        QLineEdit* serialText = options.edit("ErgRstTxTextEdit");
        QCheckBox* counting = options.checkBox("ErgRstTxNummerCheckBox");
        const EntryDriver entry(s.form->entryPage);
        QCOMPARE(entry.label("RstTxLabel")->text(), QString("RST (+Nr) TX"));
        QTest::keyClicks(serialText, "abc");
        QVERIFY(!ModalDialogs::messageOf([counting] { counting->click(); }).isEmpty());
        QVERIFY(!counting->isChecked());
        QCOMPARE(s.form->station().settings().ReadBool("ErgRstTx", "Nummer", true), false);
        serialText->setText("001");
        QCOMPARE(entry.label("RstTxLabel")->text(), QString("RST + 001 TX"));
        QCOMPARE(entry.label("RstRxLabel")->text(), QString("RST + Nr RX"));
        counting->click();
        QVERIFY(counting->isChecked());
        // Changing the text stops the counting and writes the text at once.
        QTest::keyClick(serialText, Qt::Key_5);
        QVERIFY(!counting->isChecked());
        QVERIFY(s.ini().contains("[ErgRstTx]\r\nText=0015\r\n"));
        // The general edits are written at once, the presets at exit.
        QCheckBox* utcDiffAuto = options.checkBox("UtcDiffAutoCheckBox");
        QLineEdit* utcDiff = options.edit("UtcDiffEdit");
        QVERIFY(utcDiffAuto->isChecked() && !enabledOnItsPage(utcDiff));
        utcDiffAuto->click();
        QVERIFY(enabledOnItsPage(utcDiff));
        utcDiff->setText("3");
        options.edit("QslPathEdit")->setText("/tmp/cards");
        QCOMPARE(s.form->entryPage->utcOffsetHours(), 3);
        auto* presets = options.find<QTableWidget>("PreValueListEditor");
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
