#include "cp1252.h"

#include <QTest>

class TestTransliterate : public QObject {
    Q_OBJECT
private slots:
    void baseLetters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("unmappable");
        QTest::newRow("caron") << QStringLiteral("Jiří") << QStringLiteral("Jirí") << false;
        QTest::newRow("stroke") << QStringLiteral("Łódź") << QStringLiteral("Lódz") << false;
        QTest::newRow("double acute") << QStringLiteral("Győr") << QStringLiteral("Gyor") << false;
        QTest::newRow("cp1252 kept")
            << QStringLiteral("Müller €") << QStringLiteral("Müller €") << false;
        QTest::newRow("decomposed input")
            << QStringLiteral("Jir\u030Ci") << QStringLiteral("Jiri") << false;
        QTest::newRow("no base letter")
            << QStringLiteral("a\u4E2Db") << QStringLiteral("a\u4E2Db") << true;
        QTest::newRow("outside the BMP")
            << QStringLiteral("x\U0001F600") << QStringLiteral("x\U0001F600") << true;
    }
    void baseLetters() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, unmappable);
        bool lost = false;
        QCOMPARE(transliterateForCp1252(typed, &lost), stored);
        QCOMPARE(lost, unmappable);
        if (!unmappable)
            QCOMPARE(fromCp1252(toCp1252(stored)), stored);
    }
};

QTEST_GUILESS_MAIN(TestTransliterate)
#include "tst_transliterate.moc"
