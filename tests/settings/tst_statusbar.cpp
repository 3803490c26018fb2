#include "compactqso.h"
#include "optionspage.h"
#include "qsolists.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
#include "station.h"
#include "statusbaroptions.h"
#include "widgettest.h"

class TestStatusBar : public QObject {
    Q_OBJECT
private slots:
    // A QSO logged and the list under the mask turned over to reference hits and back: the
    // line is computed at once each time, and the window shows the last one. Without a
    // template nothing is announced.
    void lineFollowsTheLogAndTheList_data() {
        columns<QByteArray, QStringList>("templ", "lines");
        QTest::newRow("template") << QByteArray("QSO_COUNT LAST_CALL LIST_STATE REF_COUNT")
                                  << QStringList{"2 DL3ABC Log 0", "2 DL3ABC Ref-Logs 1",
                                                 "2 DL3ABC Log 0"};
        QTest::newRow("none") << QByteArray() << QStringList();
    }

    void lineFollowsTheLogAndTheList() {
        SessionFixture s({LogBuilder::qso(1)},
                         "[StatusBar]\r\nText=" + fetched<QByteArray>("templ") + "\r\n");
        // Only the changes count here, not the ticks.
        SettingsDriver(s.form->optionsPage).find<QTimer>("StatusBarTimer")->stop();
        QSignalSpy announced(s.form->optionsPage->statusBarOptions,
                             &TStatusBarOptions::statusTextChanged);
        s.form->station().appendQso(LogBuilder::qso(2, "DL3ABC"));
        s.form->lists().showReference({CompactQso(LogBuilder::qso(7, "DL7XYZ")).shownInList()});
        s.form->lists().endReference();
        QStringList lines;
        for (const QList<QVariant>& args : announced)
            lines.append(args.at(0).toString());
        QCOMPARE(lines, fetched<QStringList>("lines"));
        QCOMPARE(s.shell().statusBar()->text(), lines.isEmpty() ? QString() : lines.last());
    }
};

QTEST_MAIN(TestStatusBar)
#include "tst_statusbar.moc"
