#include "infoform.h"
#include "underconstruction.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

class TestInfoForm : public QObject {
    Q_OBJECT
private slots:
    void textScrollsUpAndRestartsAtTheBottom();
    void anyClickClosesAndNextShowStartsAtTheBottom();
    void underConstructionPictureIsCentred();
};

void TestInfoForm::textScrollsUpAndRestartsAtTheBottom() {
    TInfoForm form;
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int start = form.InfoMainPanel->height();
    QCOMPARE(form.InfoTopPanel->height(), form.height() / 4);
    QCOMPARE(form.Info1Memo->y(), start);
    form.InfoTimerTimer();
    QCOMPARE(form.Info1Memo->y(), start - 2);
    QVERIFY(form.Info1Memo->text().endsWith("ENDE"));
    // Run until the whole text has passed the top.
    int ticks = 0;
    while (form.Info1Memo->y() != start && ticks < 100000) {
        form.InfoTimerTimer();
        ++ticks;
    }
    QCOMPARE(form.Info1Memo->y(), start);
    QVERIFY(ticks * 2 >= form.Info1Memo->height());
}

void TestInfoForm::anyClickClosesAndNextShowStartsAtTheBottom() {
    TInfoForm form;
    form.resize(800, 600);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.InfoTimer->isActive());
    for (int i = 0; i < 50; ++i)
        form.InfoTimerTimer();
    QTest::mouseClick(form.InfoBottomPanel, Qt::LeftButton);
    QVERIFY(!form.isVisible());
    QVERIFY(!form.InfoTimer->isActive());
    form.show();
    QCOMPARE(form.Info1Memo->y(), form.InfoMainPanel->height());
    QTest::mouseClick(form.Info1Memo, Qt::LeftButton);
    QVERIFY(!form.isVisible());
}

void TestInfoForm::underConstructionPictureIsCentred() {
    TUnderConstructionPanel panel;
    panel.resize(501, 400);
    panel.show();
    QCoreApplication::processEvents();
    const QWidget* image = panel.UnderConstructionImage;
    QCOMPARE(image->x(), (501 - image->width()) / 2);
    QCOMPARE(image->y(), (400 - image->height()) / 2);
}

QTEST_MAIN(TestInfoForm)
#include "tst_infoform.moc"
