// A new operator at the mask without a mouse: the delivered function keys, Escape in the
// pop-up lists, choosing a key on the entry-order page, reports proposed by mode and a
// refused commit that says why.
#include "entrydriver.h"
#include "entryorderoptions.h"
#include "maskfixture.h"
#include "optionspage.h"
#include "settingsdriver.h"
#include "widgettest.h"

class TestKeyboardFirst : public QObject {
    Q_OBJECT
private slots:
    void deliveredKeysChangeBandModePower_data() {
        columns<int, QByteArray, QString, QByteArray, QString>("key", "editor", "typed", "label",
                                                               "shown");
        QTest::newRow("F1 band") << int(Qt::Key_F1) << QByteArray("BandListBox") << "40m"
                                 << QByteArray("BandLabel") << "40m";
        QTest::newRow("F2 mode") << int(Qt::Key_F2) << QByteArray("ModeListBox") << "CW"
                                 << QByteArray("ModeLabel") << "CW";
        QTest::newRow("F3 power") << int(Qt::Key_F3) << QByteArray("TxPwrEdit") << "50"
                                  << QByteArray("TxPwrLabel") << "50W";
    }
    void deliveredKeysChangeBandModePower() {
        // No key was ever bound: a first start.
        MaskFixture s;
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key(fetched<int>("key")));
        QWidget* editor = s.entry.field(fetched<QByteArray>("editor"));
        QVERIFY(editor->isVisible());
        QTest::keyClicks(editor, fetched<QString>("typed"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(s.entry.label(fetched<QByteArray>("label"))->text(), fetched<QString>("shown"));
        QCOMPARE(QApplication::focusWidget(), s.entry.edit("CallEdit"));
    }

    void deliveredKeysStayChangeable() {
        MaskFixture s;
        TEntryOrderOptions* order = s.form->optionsPage->entryOrderOptions;
        QCOMPARE((QList<int>{order->keyOfField(2), order->keyOfField(3), order->keyOfField(6)}),
                 (QList<int>{1, 2, 3}));
        QCOMPARE(s.entry.caption(1)->text(), QStringLiteral("F1: Band"));
        order->setKeyOfField(2, 5); // band to F5
        QVERIFY(s.ini().contains("BF1=\r\nBF2=d\r\nBF3=g\r\nBF4=\r\nBF5=c\r\n"));
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F1);
        QVERIFY(s.entry.list("BandListBox")->isHidden());
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F5);
        QVERIFY(s.entry.list("BandListBox")->isVisible());
    }

    void escapeClosesTheListAndKeepsTheMask_data() {
        columns<int, QByteArray, QByteArray, QString>("key", "list", "label", "kept");
        QTest::newRow("band list")
            << int(Qt::Key_F1) << QByteArray("BandListBox") << QByteArray("BandLabel") << "2m";
        QTest::newRow("mode list")
            << int(Qt::Key_F2) << QByteArray("ModeListBox") << QByteArray("ModeLabel") << "FM";
    }
    void escapeClosesTheListAndKeepsTheMask() {
        MaskFixture s;
        QTest::keyClicks(s.entry.edit("CallEdit"), "dl1abc");
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key(fetched<int>("key")));
        QListWidget* list = s.entry.list(fetched<QByteArray>("list"));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(list->isHidden());
        QCOMPARE(s.entry.edit("CallEdit")->text(), QStringLiteral("DL1ABC"));
        QCOMPARE(s.entry.label(fetched<QByteArray>("label"))->text(), fetched<QString>("kept"));
        QCOMPARE(QApplication::focusWidget(), s.entry.edit("CallEdit"));
        // A second Escape clears the mask as before.
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_Escape);
        QCOMPARE(s.entry.edit("CallEdit")->text(), QString());
    }

    void secondListTakesTheFirstChoice() {
        MaskFixture s;
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F1);
        QTest::keyClicks(s.entry.list("BandListBox"), "40m");
        QTest::keyClick(s.entry.list("BandListBox"), Qt::Key_F2);
        QVERIFY(s.entry.list("BandListBox")->isHidden());
        QVERIFY(s.entry.list("ModeListBox")->isVisible());
        QCOMPARE(s.entry.label("BandLabel")->text(), QStringLiteral("40m"));
        QTest::keyClicks(s.entry.list("ModeListBox"), "CW");
        QTest::keyClick(s.entry.list("ModeListBox"), Qt::Key_F2);
        QCOMPARE(s.entry.label("ModeLabel")->text(), QStringLiteral("CW"));
    }

    void steppingThroughKeysTakesOnlyTheLastOne_data() {
        columns<int, QByteArray>("leave", "written");
        QTest::newRow("Tab leaves the list")
            << int(Qt::Key_Tab) << QByteArray("BF1=c\r\nBF2=d\r\nBF3=g\r\nBF4=k\r\n");
        QTest::newRow("Return takes the key")
            << int(Qt::Key_Return) << QByteArray("BF1=c\r\nBF2=d\r\nBF3=g\r\nBF4=k\r\n");
    }
    void steppingThroughKeysTakesOnlyTheLastOne() {
        MaskFixture s;
        s.shell().showPage(Navigator::Page::Options);
        const SettingsDriver options(s.form->optionsPage);
        options.showTab(QStringLiteral("OrdnungEingabeTS"));
        auto* qslOut = options.find<QComboBox>(QStringLiteral("QslOutComboBox"));
        qslOut->setFocus(Qt::TabFocusReason);
        QVERIFY(qslOut->hasFocus());
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(qslOut, Qt::Key_Down);
        QCOMPARE(qslOut->currentText(), QStringLiteral("B4"));
        // Passing B1 to B3 took nothing from band, mode and power.
        QCOMPARE(options.find<QComboBox>(QStringLiteral("BandComboBox"))->currentText(),
                 QStringLiteral("B1"));
        QVERIFY(!s.ini().contains("[Buttons]"));
        QTest::keyClick(qslOut, Qt::Key(fetched<int>("leave")));
        QVERIFY2(s.ini().contains(fetched<QByteArray>("written")), s.ini().constData());
        QCOMPARE(options.find<QComboBox>(QStringLiteral("TxPwrComboBox"))->currentText(),
                 QStringLiteral("B3"));
    }

    void reportsProposedByMode_data() {
        columns<QString, QString, QByteArray>("mode", "proposed", "logged");
        QTest::newRow("phone") << "SSB"
                               << "59" << QByteArray(";SSB;DL1ABC;59;59;");
        QTest::newRow("CW") << "CW"
                            << "599" << QByteArray(";CW;DL1ABC;599;599;");
        QTest::newRow("digital") << "RTTY"
                                 << "599" << QByteArray(";RTTY;DL1ABC;599;599;");
        QTest::newRow("FT8 in dB: typed") << "FT8"
                                          << "" << QByteArray(";FT8;DL1ABC;-10;-12;");
    }
    void reportsProposedByMode() {
        // As a first start leaves the settings: reports by mode, F2 the mode list.
        MaskFixture s({}, showOnly("") + "[Vorgaben]\r\nRstByMode=1\r\n");
        QCOMPARE(s.entry.edit("RstTxEdit")->text(), QStringLiteral("59")); // FM
        QTest::keyClick(s.entry.edit("CallEdit"), Qt::Key_F2);
        QTest::keyClicks(s.entry.list("ModeListBox"), fetched<QString>("mode"));
        QTest::keyClick(s.entry.list("ModeListBox"), Qt::Key_Return);
        const QString proposed = fetched<QString>("proposed");
        QCOMPARE(s.entry.edit("RstTxEdit")->text(), proposed);
        QCOMPARE(s.entry.edit("RstRxEdit")->text(), proposed);
        // Call, Return, and Return in each report: the QSO is logged.
        const QStringList typed = proposed.isEmpty() ? QStringList{"dl1abc", "-10", "-12"}
                                                     : QStringList{"dl1abc", "", ""};
        QVERIFY(s.enter(typed).contains(fetched<QByteArray>("logged")));
        // The next QSO gets the proposal again.
        QCOMPARE(s.entry.edit("RstRxEdit")->text(), proposed);
    }

    void refusedCommitSaysWhichFieldIsMissing_data() {
        columns<QStringList, QString>("typed", "named");
        QTest::newRow("no report sent") << QStringList{"dl1abc", "", "59"} << "RST (+Nr) TX";
        QTest::newRow("no report received") << QStringList{"dl1abc", "59", ""} << "RST (+Nr) RX";
    }
    void refusedCommitSaysWhichFieldIsMissing() {
        MaskFixture s({}, showOnly(""));
        QCOMPARE(s.enter(fetched<QStringList>("typed")), QByteArray());
        const QString message = s.form->statusBar()->currentMessage();
        QVERIFY2(message.contains(fetched<QString>("named")), qPrintable(message));
        // The next QSO clears it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(s.form->statusBar()->currentMessage(), QString());
    }
};

QTEST_MAIN(TestKeyboardFirst)
#include "tst_keyboardfirst.moc"
