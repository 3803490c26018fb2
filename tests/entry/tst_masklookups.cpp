#include "browsedriver.h"
#include "entrydriver.h"
#include "entrypage.h"
#include "modaldialogs.h"
#include "sessionfixture.h"
#include "widgettest.h"

#include <QDesktopServices>
#include <QUrl>

// Catches the addresses the pages ask the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

// QSO 1 (QX1ABC) in the log, the own locator JO43SQ, and reference files the tests know.
struct CheckSession : SessionFixture {
    CheckSession() : SessionFixture({LogBuilder::qso(1)}, "EigenerLocator=JO43SQ\r\n") {
        dir.writeFile("DXCC.ini", "[DXCC]\r\nQX=Qx Mainland\r\nQX1=Qx Island\r\nOE=Austria\r\n");
        dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\n[Distrikt]\r\nA=Baden\r\n"
                                 "[Website]\r\nA=www.example.org/baden\r\n");
        for (const char* scheme : kSchemes)
            QDesktopServices::setUrlHandler(scheme, &urls, "open");
    }
    ~CheckSession() {
        for (const char* scheme : kSchemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    static constexpr const char* kSchemes[] = {"http", "https", "file"};
    UrlCatcher urls;
};

// The fields of a page that look something up, and the labels showing what they found.
struct Lookups {
    QLineEdit *call, *dok, *locator;
    QLabel *dxcc, *ov, *district, *bearing, *distance;
};

} // namespace

class TestMaskLookups : public QObject {
    Q_OBJECT
private slots:
    void lookupsFollowTheFields_data() {
        QTest::addColumn<bool>("editPage");
        QTest::newRow("entry mask") << false;
        QTest::newRow("edit page") << true;
    }

    void lookupsFollowTheFields() {
        QFETCH(bool, editPage);
        CheckSession s;
        const EntryDriver entry(s.form->entryPage);
        const BrowseDriver::Edit e(s.form->editPage);
        Lookups p{entry.edit("CallEdit"),           entry.edit("DokEdit"),
                  entry.edit("LocatorEdit"),        entry.label("DxccValueLabel"),
                  entry.label("OvValueLabel"),      entry.label("DistriktValueLabel"),
                  entry.label("BearingValueLabel"), entry.label("DistanceValueLabel")};
        if (editPage) {
            s.form->navigator().showPage(Navigator::Page::Edit);
            e->openQso(1);
            QCOMPARE(e.eDxccLabel->text(), QString("Qx Island")); // as loaded
            p = {e.eCallEdit, e.eDokEdit,       e.eLocatorEdit,  e.eDxccLabel,
                 e.eOvLabel,  e.eDistriktLabel, e.eBearingLabel, e.eDistanceLabel};
        }
        for (const char* pair :
             {"qx1abc=Qx Island", "qx2abc=Qx Mainland", "oe/qx1abc=Austria", "qx="}) {
            retype(p.call, QString(pair).section('=', 0, 0));
            QCOMPARE(p.dxcc->text(), QString(pair).section('=', 1));
        }
        retype(p.dok, "A0");
        QTest::mouseClick(p.district, Qt::LeftButton); // no district: nothing to open
        QCOMPARE(p.ov->text() + p.district->text(), QString());
        QTest::keyClicks(p.dok, "1");
        QCOMPARE(p.ov->text() + "/" + p.district->text(), QString("Konstanz/Baden"));
        QTest::mouseClick(p.district, Qt::LeftButton);
        QCOMPARE(s.urls.opened, QList<QUrl>{QUrl("https://www.example.org/baden")});
        // Typing over the last character goes from A01 to A0X in one change.
        p.dok->setSelection(2, 1);
        QTest::keyClicks(p.dok, "x");
        QCOMPARE(p.dok->text() + "/" + p.ov->text() + "/" + p.district->text(),
                 QString("A0X//Baden"));
        retype(p.locator, "jn58td");
        QCOMPARE(p.bearing->text() + "/" + p.distance->text(),
                 QString::fromUtf8("166 \u00b0/633 km"));
        QTest::keyClick(p.locator, Qt::Key_Backspace);
        QCOMPARE(p.bearing->text() + p.distance->text(), QString());
        if (!editPage) { // the mask says why it cannot compute
            const QString message =
                ModalDialogs::messageOf([&p] { QTest::keyClicks(p.locator, "Y"); });
            QVERIFY2(message.endsWith("(JO43SQ / JN58TY)"), qPrintable(message));
            QCOMPARE(p.distance->text(), QString());
        }
    }

    // A district address that is no web page is shown, never handed to the desktop.
    void onlyWebPagesAreOpened() {
        CheckSession s;
        s.dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\n[Distrikt]\r\nA=Baden\r\n"
                                   "[Website]\r\nA=file:///etc/passwd\r\n");
        const EntryDriver entry(s.form->entryPage);
        retype(entry.edit("DokEdit"), "A01");
        const QString message = ModalDialogs::messageOf(
            [entry] { QTest::mouseClick(entry.label("DistriktValueLabel"), Qt::LeftButton); });
        QVERIFY(s.urls.opened.isEmpty());
        QVERIFY2(message.contains("file:///etc/passwd"), qPrintable(message));
    }
};

QTEST_MAIN(TestMaskLookups)
#include "tst_masklookups.moc"
