#include "clockform.h"
#include "datetimeformat.h"
#include "optionspage.h"
#include "sessionfixture.h"
#include "settingsdriver.h"
#include "settingskeys.h"
#include "statusbaroptions.h"
#include "widgettest.h"

class TestStatusClock : public QObject {
    Q_OBJECT
private slots:
    void statusBarAndClock() {
        SessionFixture s({LogBuilder::qso(1), LogBuilder::qso(2, "DL1ABC")},
                         "UtcDiffAuto=0\r\nUtcDiff=-1\r\n[Clock]\r\nShow=1\r\nUTC=1\r\n"
                         "Format=hh:nn:ss\r\nLeft=300\r\nTop=200\r\n"
                         "[StatusBar]\r\nText=Log: LOG_FILE, QSO_COUNT QSOs LAST_CALL\r\n");
        const SettingsDriver options(s.form->optionsPage);
        const auto* timer = options.find<QTimer>("StatusBarTimer");
        QLineEdit* edit = options.edit("StatusBarEdit");
        QVERIFY(timer->isActive() && timer->interval() == 5000);
        s.form->optionsPage->statusBarOptions->StatusBarTimerTimer();
        QCOMPARE(s.shell().statusBar()->text(), QStringLiteral("Log: a.log, 2 QSOs DL1ABC"));
        edit->clear();
        QVERIFY(!timer->isActive() && s.ini().contains("[StatusBar]\r\nText=\r\n"));
        // A double-click on a token of the list inserts it at the caret.
        options.showTab("StatusBarTS");
        s.form->navigator().showPage(Navigator::Page::Options);
        edit->setText(QStringLiteral(" ms"));
        edit->setCursorPosition(0);
        const auto* memo = options.find<QPlainTextEdit>("StatusBarMemo");
        QTextCursor at(memo->document()->findBlockByNumber(6));
        QVERIFY(at.block().text().startsWith(QStringLiteral("TICK_COUNT")));
        at.setPosition(at.position() + 3);
        QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, memo->cursorRect(at).center());
        QCOMPARE(edit->text(), QStringLiteral("TICK_COUNT ms"));
        QCOMPARE(edit->cursorPosition(), 10);
        QVERIFY(s.ini().contains("Text=TICK_COUNT ms\r\n") && timer->isActive());
        // The clock shows UTC with the working offset.
        TClockForm* clock = s.session->clockForm();
        QVERIFY(clock->isVisible() && clock->ClockTimer->isActive());
        clock->tick(QDateTime(QDate(2026, 12, 7), QTime(14, 30, 0)));
        QCOMPARE(clock->windowTitle(), QStringLiteral("13:30:00"));
        const QImage& face = clock->face();
        QCOMPARE(face.pixelColor(55, 55), QColor(128, 0, 0)); // centre dot
        QCOMPARE(face.pixelColor(55, 20), QColor(0, 0, 128)); // second hand, 0 s
        QCOMPARE(face.pixelColor(55, 85), QColor(Qt::black)); // minute hand, 30 min
        QCOMPARE(face.pixelColor(69, 41), QColor(Qt::black)); // hour hand, 45 degrees
        QCOMPARE(face.pixelColor(55, 3), QColor(Qt::black));  // twelve o'clock mark
        QCOMPARE(face.pixelColor(30, 80), QColor(Qt::white)); // face
        // Switched off on the options page: hidden, stopped, written at once.
        options.checkBox("clockShowChkBtn")->setChecked(false);
        QVERIFY(clock->isHidden() && !clock->ClockTimer->isActive());
        QVERIFY(s.ini().contains("Show=0\r\n"));
        s.session.reset();
        QVERIFY(s.ini().contains("Left=300\r\nTop=200\r\n"));
    }

    // A crafted clock format and template are cut when read, so a tick stays small.
    void longFormatsAreCutWhenRead() {
        const QByteArray format = QByteArray("dddddd hh:nn ").repeated(16000);
        const QByteArray templ = QByteArray("LONG_DATE ").repeated(20000);
        SessionFixture s({}, "[Clock]\r\nShow=1\r\nUTC=0\r\nFormat=" + format +
                                 "\r\n[StatusBar]\r\nText=" + templ + "\r\n");
        TClockForm* clock = s.session->clockForm();
        const QDateTime t(QDate(2026, 12, 7), QTime(14, 30, 0));
        clock->tick(t);
        QCOMPARE(
            clock->windowTitle(),
            DateTimeFormat::format(QString(format.left(SettingsKeys::ClockFormat.maxLength)), t));
        QCOMPARE(SettingsDriver(s.form->optionsPage).edit("StatusBarEdit")->text(),
                 QString(templ.left(StatusBarTemplate::kMaxLineLength)));
        s.form->optionsPage->statusBarOptions->StatusBarTimerTimer();
        QCOMPARE(s.shell().statusBar()->text().size(), StatusBarTemplate::kMaxLineLength);
    }
};

QTEST_MAIN(TestStatusClock)
#include "tst_statusclock.moc"
