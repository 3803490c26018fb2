#include "infoform.h"
#include "stationtexts.h"
#include "underconstruction.h"
#include "widgettest.h"

class TestInfoForm : public QObject {
    Q_OBJECT
private slots:
    void textScrollsRestartsAndAnyClickCloses() {
        const StationTexts texts;
        TInfoForm form(texts);
        form.resize(800, 600);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form) && form.InfoTimer->isActive());
        const int start = form.InfoMainPanel->height();
        QCOMPARE(form.InfoTopPanel->height(), form.height() / 4);
        QCOMPARE(form.Info1Memo->y(), start);
        form.InfoTimerTimer();
        QCOMPARE(form.Info1Memo->y(), start - 2);
        QVERIFY(form.Info1Memo->text().endsWith("ENDE"));
        // Run until the whole text has passed the top and starts again at the bottom.
        int ticks = 1;
        for (; form.Info1Memo->y() != start && ticks < 100000; ++ticks)
            form.InfoTimerTimer();
        QCOMPARE(form.Info1Memo->y(), start);
        QVERIFY(ticks * 2 >= form.Info1Memo->height());
        for (int i = 0; i < 50; ++i)
            form.InfoTimerTimer();
        QTest::mouseClick(form.InfoBottomPanel, Qt::LeftButton);
        QVERIFY(!form.isVisible() && !form.InfoTimer->isActive());
        form.show();
        QCOMPARE(form.Info1Memo->y(), start);
        QTest::mouseClick(form.Info1Memo, Qt::LeftButton);
        QVERIFY(!form.isVisible());
        // The contest page's picture stays centred.
        TUnderConstructionPanel panel;
        panel.resize(501, 400);
        panel.show();
        QCoreApplication::processEvents();
        const QWidget* image = panel.UnderConstructionImage;
        QCOMPARE(image->pos(), QPoint((501 - image->width()) / 2, (400 - image->height()) / 2));
    }
};

QTEST_MAIN(TestInfoForm)
#include "tst_infoform.moc"
