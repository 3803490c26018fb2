// The reference files: the INI reader under them, DXCC.ini and DOK.ini.
#include "dok.h"
#include "dxcc.h"
#include "referenceini.h"
#include "tempprogramdir.h"
#include "textrows.h"

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

class TestReferenceFiles : public QObject {
    Q_OBJECT
private slots:
    void lookups_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray ini = "; comment=not a key\r\norphan=before any section\r\n[DXCC]\r\n"
                               "DL=Germany\r\n  OE = Austria  \r\nK=first\r\nk=second\r\n"
                               "=no key\r\nEQ=a=b\r\n[Distrikt]\r\nG=K\xf6ln-Aachen\r\n"
                               "[dxcc]\r\nVK=Australia\r\n";
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
    void lookups() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        TempProgramDir dir;
        dir.writeFile("ref.ini", content);
        QTEST(readReferenceString(dir.file("ref.ini"), section, key), "expected");
    }

    void editedFileIsNoticedAtNextLookup_data() {
        QTest::addColumn<QByteArray>("edited");
        QTest::newRow("size changed") << QByteArray("[DXCC]\r\nDL=Deutschland\r\n");
        // Same size: only the modification time tells.
        QTest::newRow("same size") << QByteArray("[DXCC]\r\nDL=Gxrmany\r\n");
    }
    void editedFileIsNoticedAtNextLookup() {
        QFETCH(QByteArray, edited);
        TempProgramDir dir;
        const QString path = dir.file("ref.ini");
        dir.writeFile("ref.ini", "[DXCC]\r\nDL=Germany\r\n");
        setModified(path, QDateTime::currentDateTime().addSecs(-60));
        QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString("Germany"));
        dir.writeFile("ref.ini", edited);
        setModified(path, QDateTime::currentDateTime());
        QCOMPARE(readReferenceString(path, "DXCC", "DL"),
                 QString::fromLatin1(edited.mid(edited.indexOf("DL=") + 3)).trimmed());
    }

    void fileThatAppearsOrVanishesIsNoticed() {
        TempProgramDir dir;
        const QString path = dir.file("ref.ini");
        QCOMPARE(readReferenceString(QString(), "DXCC", "DL"), QString());
        QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString());
        dir.writeFile("ref.ini", "[DXCC]\r\nDL=Germany\r\n");
        QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString("Germany"));
        QVERIFY(QFile::remove(path));
        QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString());
    }

    void extractCall_data() {
        addTextRows("call", "expected",
                    {{"portable, lower case", "qx1abc/p", "QX1ABC"},
                     {"maritime mobile", "QX1ABC/MM", "QX1ABC"},
                     {"one letter and trailing slash", "QX1ABC/P/", "QX1ABC"},
                     {"two letters and trailing slash", "QX1ABC/AM/", "QX1ABC"},
                     {"trailing slash only", "QX1ABC/", "QX1ABC"},
                     {"prefix stays", "oe/qx1abc", "OE/QX1ABC"},
                     {"long suffix stays", "QX1ABC/QRP", "QX1ABC/QRP"},
                     {"nothing but a suffix", "/P", ""},
                     {"slash only", "/", ""},
                     {"only a to z upper-cased", "dlä1abc", "DLä1ABC"}});
    }
    void extractCall() {
        QFETCH(QString, call);
        QTEST(ExtractCall(call), "expected");
    }

    void callToDxcc_data() {
        addTextRows("call", "expected",
                    {{"two characters, though a key", "DL", ""},
                     {"three-character key", "DL1", "Prefix DL1"},
                     {"two-character key", "DL2ABC", "Prefix DL"},
                     {"one-character key", "DX1ABC", "Prefix D"},
                     {"lower case", "dl2abc", "Prefix DL"},
                     {"four-character key never found", "QX1ABC", "Prefix Q"},
                     {"leading portable prefix", "OE/QX1ABC", "Austria"},
                     {"key with a slash", "HB/QX1ABC", "Prefix HB/"},
                     {"no key", "ZZ1ZZ", ""}});
    }
    void callToDxcc() {
        QFETCH(QString, call);
        TempProgramDir dir;
        dir.writeFile("DXCC.ini", "[DXCC]\r\nD=Prefix D\r\nDL=Prefix DL\r\nDL1=Prefix DL1\r\n"
                                  "Q=Prefix Q\r\nQX1A=Prefix QX1A\r\nOE=Austria\r\n"
                                  "HB=Switzerland\r\nHB/=Prefix HB/\r\n");
        QTEST(CallToDxcc(call), "expected");
    }

    void deliveredDxccFile_data() {
        addTextRows("call", "expected",
                    {{"Germany", "DL1ABC", "Fed. Rep. of Germany"},
                     {"three characters beat one", "KH6ABC", "Hawaii"},
                     {"lower case", "dl1abc/p", "Fed. Rep. of Germany"},
                     // Sicily counts for WAE only; for DXCC it is Italy.
                     {"WAE-only entity left out", "IT9ABC", "Italy"},
                     {"too short", "DL", ""}});
    }
    void deliveredDxccFile() {
        QFETCH(QString, call);
        TempProgramDir dir;
        QCOMPARE(defaultDxccIniPath(), dir.file("DXCC.ini"));
        dir.copyDataFiles();
        QTEST(CallToDxcc(call), "expected");
    }

    void deliveredDxccFileEndsWithItsDxccSection() {
        QFile file(QStringLiteral(DALU_DATA_DIR "/DXCC.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(content.endsWith("\r\n"));
        QCOMPARE(content.count('\n'), content.count("\r\n"));
        const QList<QByteArray> lines =
            QByteArray(content).replace("\r\n", "\n").chopped(1).split('\n');
        const qsizetype start = lines.indexOf("[DXCC]");
        QVERIFY(start >= 0);
        QVERIFY(lines.size() - start > 1000);
        // The DXCC evaluation takes every later line as an entry: no blank lines, no comments,
        // no further section, and only keys the call lookup can find.
        for (qsizetype i = start + 1; i < lines.size(); ++i) {
            const qsizetype eq = lines[i].indexOf('=');
            QVERIFY2(eq >= 1 && eq <= 3 && eq + 1 < lines[i].size(), lines[i].constData());
        }
    }

    void dokLookups_data() {
        QTest::addColumn<QString>("dok");
        QTest::addColumn<QStringList>("expected"); // club, district, website
        const QString a = "https://a.example/";
        QTest::newRow("listed") << "A01" << QStringList{"Konstanz", "Baden", a};
        QTest::newRow("lower case") << "a01" << QStringList{"Konstanz", "Baden", a};
        QTest::newRow("unlisted club, known district") << "A0X" << QStringList{"", "Baden", a};
        QTest::newRow("special DOK") << "DARC60" << QStringList{"Special", "Berlin", ""};
        QTest::newRow("district without website") << "D01" << QStringList{"", "Berlin", ""};
        QTest::newRow("unknown district") << "J01" << QStringList{"", "", ""};
        QTest::newRow("empty") << "" << QStringList{"", "", ""};
    }
    void dokLookups() {
        QFETCH(QString, dok);
        TempProgramDir dir;
        dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\nDARC60=Special\r\n"
                                 "[Distrikt]\r\nA=Baden\r\nD=Berlin\r\n"
                                 "[Website]\r\nA=https://a.example/\r\n");
        QTEST((QStringList{DokToOv(dok), DokToDistrikt(dok), DokToWebsite(dok)}), "expected");
    }

    void deliveredDokFileNamesEveryDistrict() {
        TempProgramDir dir;
        dir.copyDataFiles();
        QCOMPARE(DokToOv("A01"), QString("Konstanz"));
        QCOMPARE(DokToDistrikt("Z01"), QString("VFDB"));
        QCOMPARE(DokToDistrikt("J01"), QString());
        // The names with umlauts prove the file is read as Windows-1252.
        QCOMPARE(DokToDistrikt("g99"), QString("Köln-Aachen"));
        QCOMPARE(DokToDistrikt("O99"), QString("Westfalen-Süd"));
        QCOMPARE(DokToDistrikt("p99"), QString("Württemberg"));
        QCOMPARE(DokToDistrikt("x99"), QString("Thüringen"));
        for (const char letter : QByteArray("ABCDEFGHIKLMNOPQRSTUVWXYZ")) {
            const QString dok = QLatin1Char(letter) + QString("99");
            QVERIFY2(!DokToDistrikt(dok.toLower()).isEmpty(), qPrintable(dok));
            QCOMPARE(DokToWebsite(dok.toLower()),
                     "https://www.darc.de/der-club/distrikte/" + dok.left(1).toLower() + "/");
        }
    }
};

QTEST_APPLESS_MAIN(TestReferenceFiles)
#include "tst_referencefiles.moc"
