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
    const auto row = [&ini](const char* name, const char* section, const char* key,
                            const char* expected, const QByteArray& content = {}) {
        QTest::newRow(name) << (content.isEmpty() ? ini : content) << QString(section)
                            << QString(key) << QString::fromUtf8(expected);
    };
    row("plain", "DXCC", "DL", "Germany");
    row("key case", "DXCC", "dl", "Germany");
    row("section case", "dxcc", "DL", "Germany");
    row("blanks trimmed", "DXCC", "OE", "Austria");
    row("first of equal keys", "DXCC", "K", "first");
    row("value keeps later equals", "DXCC", "EQ", "a=b");
    row("Windows-1252 value", "Distrikt", "g", "Köln-Aachen");
    row("repeated section merges", "DXCC", "VK", "Australia");
    row("key in another section", "Distrikt", "DL", "");
    row("missing key", "DXCC", "JA", "");
    row("missing section", "OV", "DL", "");
    row("empty key", "DXCC", "", "");
    row("comment", "DXCC", "; comment", "");
    row("key before any section", "", "orphan", "");
    row("LF line ends", "DXCC", "OE", "Austria", "[DXCC]\nDL=Germany\nOE=Austria\n");
    row("no final line end", "DXCC", "DL", "Germany", "[DXCC]\r\nDL=Germany");
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
