#include "referenceini.h"
#include "tempprogramdir.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

namespace {

// File systems stamp in coarse steps: an edit right after a read may keep the old time.
void setModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

class TestReferenceIni : public QObject {
    Q_OBJECT
private slots:
    void lookups_data();
    void lookups();
    void missingFileReadsEmpty();
    void editedFileIsNoticedAtNextLookup_data();
    void editedFileIsNoticedAtNextLookup();
    void fileThatAppearsOrVanishesIsNoticed();
};

void TestReferenceIni::lookups_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QByteArray ini = "; comment=not a key\r\n"
                           "orphan=before any section\r\n"
                           "[DXCC]\r\n"
                           "DL=Germany\r\n"
                           "  OE = Austria  \r\n"
                           "K=first\r\n"
                           "k=second\r\n"
                           "=no key\r\n"
                           "EQ=a=b\r\n"
                           "[Distrikt]\r\n"
                           "G=K\xf6ln-Aachen\r\n"
                           "[dxcc]\r\n"
                           "VK=Australia\r\n";
    QTest::newRow("plain") << ini << "DXCC"
                           << "DL"
                           << "Germany";
    QTest::newRow("key case") << ini << "DXCC"
                              << "dl"
                              << "Germany";
    QTest::newRow("section case") << ini << "dxcc"
                                  << "DL"
                                  << "Germany";
    QTest::newRow("blanks trimmed") << ini << "DXCC"
                                    << "OE"
                                    << "Austria";
    QTest::newRow("first of equal keys") << ini << "DXCC"
                                         << "K"
                                         << "first";
    QTest::newRow("value keeps later equals") << ini << "DXCC"
                                              << "EQ"
                                              << "a=b";
    QTest::newRow("Windows-1252 value") << ini << "Distrikt"
                                        << "g"
                                        << "Köln-Aachen";
    QTest::newRow("repeated section merges") << ini << "DXCC"
                                             << "VK"
                                             << "Australia";
    QTest::newRow("key in another section") << ini << "Distrikt"
                                            << "DL"
                                            << "";
    QTest::newRow("missing key") << ini << "DXCC"
                                 << "JA"
                                 << "";
    QTest::newRow("missing section") << ini << "OV"
                                     << "DL"
                                     << "";
    QTest::newRow("empty key") << ini << "DXCC"
                               << ""
                               << "";
    QTest::newRow("comment") << ini << "DXCC"
                             << "; comment"
                             << "";
    QTest::newRow("key before any section") << ini << ""
                                            << "orphan"
                                            << "";
    QTest::newRow("LF line ends") << QByteArray("[DXCC]\nDL=Germany\nOE=Austria\n") << "DXCC"
                                  << "OE"
                                  << "Austria";
    QTest::newRow("no final line end") << QByteArray("[DXCC]\r\nDL=Germany") << "DXCC"
                                       << "DL"
                                       << "Germany";
}

void TestReferenceIni::lookups() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    TempProgramDir dir;
    dir.writeFile("ref.ini", content);
    QTEST(readReferenceString(dir.file("ref.ini"), section, key), "expected");
}

void TestReferenceIni::missingFileReadsEmpty() {
    TempProgramDir dir;
    QCOMPARE(readReferenceString(dir.file("none.ini"), "DXCC", "DL"), QString());
    QCOMPARE(readReferenceString(QString(), "DXCC", "DL"), QString());
}

void TestReferenceIni::editedFileIsNoticedAtNextLookup_data() {
    QTest::addColumn<QByteArray>("edited");
    QTest::newRow("size changed") << QByteArray("[DXCC]\r\nDL=Deutschland\r\n");
    // Same size: only the modification time tells.
    QTest::newRow("same size") << QByteArray("[DXCC]\r\nDL=Gxrmany\r\n");
}

void TestReferenceIni::editedFileIsNoticedAtNextLookup() {
    QFETCH(QByteArray, edited);
    TempProgramDir dir;
    const QString path = dir.file("ref.ini");
    dir.writeFile("ref.ini", "[DXCC]\r\nDL=Germany\r\n");
    setModified(path, QDateTime::currentDateTime().addSecs(-60));
    QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString("Germany"));

    dir.writeFile("ref.ini", edited);
    setModified(path, QDateTime::currentDateTime());
    const QString expected = QString::fromLatin1(edited.mid(edited.indexOf("DL=") + 3)).trimmed();
    QCOMPARE(readReferenceString(path, "DXCC", "DL"), expected);
}

void TestReferenceIni::fileThatAppearsOrVanishesIsNoticed() {
    TempProgramDir dir;
    const QString path = dir.file("ref.ini");
    QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString());
    dir.writeFile("ref.ini", "[DXCC]\r\nDL=Germany\r\n");
    QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString("Germany"));
    QVERIFY(QFile::remove(path));
    QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString());
}

QTEST_APPLESS_MAIN(TestReferenceIni)
#include "tst_referenceini.moc"
