#include "uitexts.h"

#include <QSet>
#include <QTest>

class TestUiTexts : public QObject {
    Q_OBJECT
private slots:
    void tableIsUnambiguousAndComplete() {
        QSet<QByteArray> seen;
        for (int i = 0; i < uiTextRowCount(); ++i) {
            const UiTextRow& row = uiTextRows()[i];
            QVERIFY2(!seen.contains(row.german), row.german);
            seen.insert(row.german);
            QVERIFY2(row.english && *row.english, row.german);
        }
    }
    void followsTheLanguage() {
        setUiLanguage(uiLanguageOfFile(QStringLiteral("/x/English.lng")));
        QCOMPARE(uiText("Distrikt:"), QStringLiteral("District:"));
        setUiLanguage(uiLanguageOfFile(QStringLiteral("deutsch.lng")));
        QCOMPARE(uiText("Distrikt:"), QStringLiteral("Distrikt:"));
    }
};

QTEST_GUILESS_MAIN(TestUiTexts)
#include "tst_uitexts.moc"
