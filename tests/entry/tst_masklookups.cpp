#include "dalusession.h"
#include "editpage.h"
#include "entrypage.h"
#include "logbuilder.h"
#include "mainform.h"
#include "modaldialogs.h"
#include "tempprogramdir.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUrl>

// Catches the addresses the mask asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestMaskLookups : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dxccFollowsTheCall_data();
    void dxccFollowsTheCall();
    void dokFillsClubAndDistrict();
    void locatorGivesBearingAndDistance_data();
    void locatorGivesBearingAndDistance();
    void invalidLocatorIsReported();
    void districtLabelOpensItsWebsite();
    void addressWithoutSchemeOpensAlikeFromMaskAndEditPage();

private:
    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<DaluSession> m_session;
    TEntryPage* m_mask = nullptr;
    UrlCatcher m_urls;
};

void TestMaskLookups::init() {
    m_dir = std::make_unique<TempProgramDir>();
    m_dir->copyDataFiles();
    LogBuilder::writeLog(m_dir->file("a.log"), {});
    m_dir->writeFile("Dalu.ini",
                     "[Allgemein]\r\nLastLogFileName=a.log\r\nEigenerLocator=JO43SQ\r\n");
    m_session = std::make_unique<DaluSession>();
    m_mask = m_session->mainForm()->entryPage;
    QDesktopServices::setUrlHandler("https", &m_urls, "open");
    QDesktopServices::setUrlHandler("http", &m_urls, "open");
    m_urls.opened.clear();
}

void TestMaskLookups::cleanup() {
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("http");
    m_session.reset();
    m_dir.reset();
}

void TestMaskLookups::dxccFollowsTheCall_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sameAs");
    QTest::newRow("lower case as upper") << "dl1abc"
                                         << "DL1ABC";
    QTest::newRow("portable prefix") << "OE/DL1ABC"
                                     << "OE3XYZ";
    QTest::newRow("two characters find nothing") << "DL"
                                                 << "";
}

void TestMaskLookups::dxccFollowsTheCall() {
    QFETCH(QString, typed);
    QFETCH(QString, sameAs);
    m_mask->CallEdit->setText(sameAs);
    const QString expected = m_mask->DxccValueLabel->text();
    m_mask->CallEdit->clear();
    QTest::keyClicks(m_mask->CallEdit, typed);
    QCOMPARE(m_mask->DxccValueLabel->text(), expected);
    if (!sameAs.isEmpty())
        QVERIFY(!expected.isEmpty());
}

void TestMaskLookups::dokFillsClubAndDistrict() {
    QTest::keyClicks(m_mask->DokEdit, "A0");
    QCOMPARE(m_mask->OvValueLabel->text(), QString());
    QCOMPARE(m_mask->DistriktValueLabel->text(), QString());
    QTest::keyClicks(m_mask->DokEdit, "1");
    QCOMPARE(m_mask->OvValueLabel->text(), QString("Konstanz"));
    QCOMPARE(m_mask->DistriktValueLabel->text(), QString("Baden"));
    // Typing over the last character goes from A01 to A0X in one change.
    m_mask->DokEdit->setSelection(2, 1);
    QTest::keyClicks(m_mask->DokEdit, "x");
    QCOMPARE(m_mask->DokEdit->text(), QString("A0X"));
    QCOMPARE(m_mask->OvValueLabel->text(), QString());
    QCOMPARE(m_mask->DistriktValueLabel->text(), QString("Baden"));
}

void TestMaskLookups::locatorGivesBearingAndDistance_data() {
    QTest::addColumn<QString>("locator");
    QTest::addColumn<QString>("bearing");
    QTest::addColumn<QString>("distance");
    QTest::newRow("JN58TD") << "jn58td" << QString::fromUtf8("166 \u00b0") << "633 km";
    QTest::newRow("FN31PR") << "FN31PR" << QString::fromUtf8("293 \u00b0") << "5935 km";
    QTest::newRow("own square") << "JO43SQ" << QString::fromUtf8("0 \u00b0") << "0 km";
}

void TestMaskLookups::locatorGivesBearingAndDistance() {
    QFETCH(QString, locator);
    QFETCH(QString, bearing);
    QFETCH(QString, distance);
    QTest::keyClicks(m_mask->LocatorEdit, locator);
    QCOMPARE(m_mask->BearingValueLabel->text(), bearing);
    QCOMPARE(m_mask->DistanceValueLabel->text(), distance);
    QTest::keyClick(m_mask->LocatorEdit, Qt::Key_Backspace);
    QCOMPARE(m_mask->BearingValueLabel->text(), QString());
}

void TestMaskLookups::invalidLocatorIsReported() {
    QString message;
    ModalDialogs::answerMessageBox(&message);
    QTest::keyClicks(m_mask->LocatorEdit, "JO43SY");
    QVERIFY2(message.endsWith("(JO43SQ / JO43SY)"), qPrintable(message));
    QCOMPARE(m_mask->DistanceValueLabel->text(), QString());
}

void TestMaskLookups::districtLabelOpensItsWebsite() {
    QTest::mouseClick(m_mask->DistriktValueLabel, Qt::LeftButton);
    QVERIFY(m_urls.opened.isEmpty());
    m_mask->DokEdit->setText("A01");
    m_mask->show();
    QTest::mouseClick(m_mask->DistriktValueLabel, Qt::LeftButton);
    QCOMPARE(m_urls.opened.size(), 1);
    QVERIFY(m_urls.opened.first().toString().contains("darc.de"));
}

void TestMaskLookups::addressWithoutSchemeOpensAlikeFromMaskAndEditPage() {
    m_dir->writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\n[Distrikt]\r\nA=Baden\r\n"
                                "[Website]\r\nA=www.example.org/baden\r\n");
    TEditPage* edit = m_session->mainForm()->editPage;
    m_mask->DokEdit->setText("A01");
    edit->eDokEdit->setText("A01");
    for (QWidget* page : {static_cast<QWidget*>(m_mask), static_cast<QWidget*>(edit)}) {
        page->show();
        QLabel* district = page == m_mask ? m_mask->DistriktValueLabel : edit->eDistriktLabel;
        QTest::mouseClick(district, Qt::LeftButton);
    }
    QCOMPARE(m_urls.opened, QList<QUrl>(2, QUrl("http://www.example.org/baden")));
}

QTEST_MAIN(TestMaskLookups)
#include "tst_masklookups.moc"
