#include "dok.h"
#include "tempprogramdir.h"

#include <QTest>

class TestDok : public QObject {
    Q_OBJECT
private slots:
    void lookups_data();
    void lookups();
    void deliveredFileNamesEveryDistrict_data();
    void deliveredFileNamesEveryDistrict();
    void deliveredFileKnowsKonstanz();
};

void TestDok::lookups_data() {
    QTest::addColumn<QString>("dok");
    QTest::addColumn<QString>("ov");
    QTest::addColumn<QString>("distrikt");
    QTest::addColumn<QString>("website");
    QTest::newRow("listed") << "A01"
                            << "Konstanz"
                            << "Baden"
                            << "https://a.example/";
    QTest::newRow("lower case") << "a01"
                                << "Konstanz"
                                << "Baden"
                                << "https://a.example/";
    QTest::newRow("unlisted club, known district") << "A0X"
                                                   << ""
                                                   << "Baden"
                                                   << "https://a.example/";
    QTest::newRow("special DOK") << "DARC60"
                                 << "Special"
                                 << "Berlin"
                                 << "";
    QTest::newRow("district without website") << "D01"
                                              << ""
                                              << "Berlin"
                                              << "";
    QTest::newRow("unknown district") << "J01"
                                      << ""
                                      << ""
                                      << "";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
}

void TestDok::lookups() {
    QFETCH(QString, dok);
    TempProgramDir dir;
    dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\nDARC60=Special\r\n"
                             "[Distrikt]\r\nA=Baden\r\nD=Berlin\r\n"
                             "[Website]\r\nA=https://a.example/\r\n");
    QTEST(DokToOv(dok), "ov");
    QTEST(DokToDistrikt(dok), "distrikt");
    QTEST(DokToWebsite(dok), "website");
}

void TestDok::deliveredFileNamesEveryDistrict_data() {
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("name");
    // The names with umlauts prove the file is read as Windows-1252; the rest need a name.
    QTest::newRow("G") << "G"
                       << "Köln-Aachen";
    QTest::newRow("O") << "O"
                       << "Westfalen-Süd";
    QTest::newRow("P") << "P"
                       << "Württemberg";
    QTest::newRow("X") << "X"
                       << "Thüringen";
    for (const char letter : QByteArray("ABCDEFHIKLMNQRSTUVWYZ"))
        QTest::newRow(QByteArray(1, letter).constData()) << QString(QLatin1Char(letter)) << "";
}

void TestDok::deliveredFileNamesEveryDistrict() {
    QFETCH(QString, letter);
    QFETCH(QString, name);
    TempProgramDir dir;
    dir.copyDataFiles();
    const QString dok = letter.toLower() + "99";
    if (name.isEmpty())
        QVERIFY(!DokToDistrikt(dok).isEmpty());
    else
        QCOMPARE(DokToDistrikt(dok), name);
    QCOMPARE(DokToWebsite(dok), "https://www.darc.de/der-club/distrikte/" + letter.toLower() + "/");
}

void TestDok::deliveredFileKnowsKonstanz() {
    TempProgramDir dir;
    dir.copyDataFiles();
    QCOMPARE(DokToOv("A01"), QString("Konstanz"));
    QCOMPARE(DokToDistrikt("Z01"), QString("VFDB"));
    QCOMPARE(DokToDistrikt("J01"), QString());
}

QTEST_APPLESS_MAIN(TestDok)
#include "tst_dok.moc"
