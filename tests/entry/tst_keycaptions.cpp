#include "entrydriver.h"
#include "entryorderoptions.h"
#include "entrypage.h"
#include "hotkeyform.h"
#include "keycaptionrow.h"
#include "modaldialogs.h"
#include "optionspage.h"
#include "sessionfixture.h"
#include "widgettest.h"

class TestKeyCaptions : public QObject {
    Q_OBJECT
private slots:
    void entryOrderPageBindsKeys_data() {
        // kept: the field's list afterwards
        columns<QByteArray, int, int, int, QString, QByteArray>("buttons", "field", "key", "kept",
                                                                "captionOfKey", "written");
        QTest::newRow("band takes B3 from mode")
            << QByteArray("BF3=d") << 2 << 3 << 3 << "F3: Band" << QByteArray("BF3=c\r\n");
        QTest::newRow("DOK keeps B3 from band")
            << QByteArray("BF3=e") << 2 << 3 << 0 << "F3: DOK" << QByteArray("BF3=e\r\n");
        QTest::newRow("DOK and QTH share B5")
            << QByteArray("BF5=e") << 7 << 5 << 5 << "F5: DOK, QTH" << QByteArray("BF5=eh\r\n");
    }
    void entryOrderPageBindsKeys() {
        QFETCH(int, field);
        QFETCH(int, key);
        SessionFixture s({}, "[Buttons]\r\n" + fetched<QByteArray>("buttons") + "\r\n");
        TEntryOrderOptions* page = s.form->optionsPage->entryOrderOptions;
        page->setKeyOfField(field, key);
        QLabel* caption = EntryDriver(s.form->entryPage).caption(key);
        QCOMPARE(caption->text(), fetched<QString>("captionOfKey"));
        QVERIFY(s.ini().contains(fetched<QByteArray>("written")));
        QVERIFY(s.ini().contains("[ShowAtStartUp]\r\ne=1\r\n"));
        QCOMPARE(page->keyOfField(field), fetched<int>("kept"));
        QVERIFY(caption->toolTip().startsWith(QStringLiteral("F%1: Ein/Aus f\u00fcr '").arg(key)));
    }

    void captionClickSkipsWhileAnotherEditorIsOpenAndCaptionsShareTheWidth() {
        SessionFixture s({}, "[Buttons]\r\nBF1=a\r\nBF3=c\r\n");
        const EntryDriver entry(s.form->entryPage);
        QLabel* b3 = entry.caption(3);
        QTest::mouseClick(b3, Qt::LeftButton);
        QVERIFY(entry.list("BandListBox")->isVisible());
        QTest::keyClick(entry.list("BandListBox"), Qt::Key_Return);
        QTest::keyClick(entry.edit("CallEdit"), Qt::Key_F1);
        QVERIFY(entry.field<QDateEdit>("DatePicker")->isVisible());
        QTest::mouseClick(b3, Qt::LeftButton);
        QVERIFY(entry.list("BandListBox")->isHidden());
        QTest::keyClick(entry.field<QDateEdit>("DatePicker"), Qt::Key_F3);
        QVERIFY(entry.list("BandListBox")->isVisible());
        // The captions share the panel's width.
        entry.field("EingabePanel")->resize(760, entry.field("EingabePanel")->height());
        QCOMPARE((QList<int>{entry.caption(1)->x(), entry.caption(2)->x(), entry.caption(12)->x(),
                             entry.caption(12)->width()}),
                 (QList<int>{8, 70, 690, 62}));
    }

    void shortcutWindowListsBoundKeys() {
        SessionFixture s({}, "[Buttons]\r\nBF9=c\r\nBF10=eh\r\n");
        QString text;
        bool closed = false;
        ModalDialogs::onNextModal([&](QWidget* w) {
            auto* form = qobject_cast<THotKeyForm*>(w);
            QVERIFY(form);
            auto* memo = form->findChild<QPlainTextEdit*>("Memo");
            text = memo->toPlainText();
            QTest::keyClick(memo, Qt::Key_Return);
            closed = form->isHidden();
        });
        s.shell().action("astaturkrzel1")->trigger();
        QVERIFY(closed);
        QCOMPARE(text.split('\n').mid(11), // 13 lines, the bound keys last
                 QStringList({QStringLiteral("[F9]           Ein/Aus f\u00fcr 'Band'."),
                              QStringLiteral("[F10]          Ein/Aus f\u00fcr 'DOK' und 'QTH'.")}));
    }
};

QTEST_MAIN(TestKeyCaptions)
#include "tst_keycaptions.moc"
