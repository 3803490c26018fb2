// The reference files: the INI reader under them, DXCC.ini, DOK.ini and the reference logs.
#include "cp1252.h"
#include "daluerror.h"
#include "dok.h"
#include "dxcc.h"
#include "logbuilder.h"
#include "referenceini.h"
#include "referencelogs.h"
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

TQsoRecord qso(int n, const QByteArray& call, const QByteArray& dok = "Z10",
               const QByteArray& locator = "JO54AH", const QByteArray& name = "Erika") {
    TQsoRecord r = LogBuilder::qso(n, call);
    r[QsoField::Dok] = dok;
    r[QsoField::Locator] = locator;
    r[QsoField::Name] = name;
    return r;
}

QStringList calls(const QList<CompactQso>& rows) {
    QStringList out;
    for (const CompactQso& r : rows)
        out.append(fromCp1252(r.field(static_cast<int>(QsoField::Call))));
    return out;
}

// An open log and two reference logs (as Log1 and Log3; Log2 and Log4 are empty / missing).
struct Logs {
    Logs() {
        LogBuilder::writeLog(dir.file("open.log"),
                             {qso(1, "DL1ABC", "B01"), qso(2, "QX1ABC/P", "Z10", "JO43SQ")});
        LogBuilder::writeLog(dir.file("ref1.log"), {qso(7, "DK2XY", "B01", "JO31AA", "Hans"),
                                                    qso(8, "QX1ABC", "A01", "JO54AH", "Otto")});
        LogBuilder::writeLog(dir.file("ref3.log"), {qso(9, "DL1ABC/P", "b01", "JO31AB", "Udo"),
                                                    qso(10, "DM3UU/MM", "B01", "JO31AC", "Ute")});
        table.build(open(), refs());
    }
    QString open() const { return dir.file("open.log"); }
    QStringList refs() const {
        return {dir.file("ref1.log"), QString(), dir.file("ref3.log"), dir.file("missing.log")};
    }
    TempProgramDir dir;
    ReferenceLogs::Table table;
};

} // namespace

class TestReferenceFiles : public QObject {
    Q_OBJECT
private slots:
    void lookups_data() {
        addColumns<QByteArray, QString, QString, QString>("content", "section", "key", "expected");
        const QByteArray ini = "orphan=before any section\r\n[DXCC]\r\n; comment=not a key\r\n"
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
        row("missing section", "OV", "DL", "");
        row("empty key", "DXCC", "", "");
        row("comment", "DXCC", "; comment", "");
        row("key before any section", "", "orphan", "");
        row("LF line ends", "DXCC", "OE", "Austria", "[DXCC]\nDL=Germany\nOE=Austria\n");
    }
    void lookups() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        TempProgramDir dir;
        dir.writeFile("ref.ini", content);
        QTEST(readReferenceString(dir.file("ref.ini"), section, key), "expected");
    }

    // A file that appears, changes or vanishes is noticed at the next lookup.
    void changedFileIsNoticed() {
        TempProgramDir dir;
        const QString path = dir.file("ref.ini");
        QCOMPARE(readReferenceString(QString(), "DXCC", "DL"), QString());
        QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString());
        // The second edit keeps the size: only the modification time tells.
        for (const QByteArray edited : {"Deutschland", "Gxrmany"}) {
            dir.writeFile("ref.ini", "[DXCC]\r\nDL=Germany\r\n");
            setModified(path, QDateTime::currentDateTime().addSecs(-60));
            QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString("Germany"));
            dir.writeFile("ref.ini", "[DXCC]\r\nDL=" + edited + "\r\n");
            setModified(path, QDateTime::currentDateTime());
            QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString(edited));
        }
        QVERIFY(QFile::remove(path));
        QCOMPARE(readReferenceString(path, "DXCC", "DL"), QString());
    }

    void extractCall_data() {
        addTextRows("call", "expected",
                    {{"portable, lower case", "qx1abc/p", "QX1ABC"},
                     {"maritime mobile", "QX1ABC/MM", "QX1ABC"},
                     {"one letter and trailing slash", "QX1ABC/P/", "QX1ABC"},
                     {"prefix stays", "oe/qx1abc", "OE/QX1ABC"},
                     {"long suffix stays", "QX1ABC/QRP", "QX1ABC/QRP"},
                     {"nothing but a suffix", "/P", ""},
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
                     {"four-character key never found", "QX1ABC", "Prefix Q"},
                     {"key with a slash", "HB/QX1ABC", "Prefix HB/"},
                     {"no key", "ZZ1ZZ", ""}});
    }
    void callToDxcc() {
        QFETCH(QString, call);
        TempProgramDir dir;
        dir.writeFile("DXCC.ini", "[DXCC]\r\nD=Prefix D\r\nDL=Prefix DL\r\nDL1=Prefix DL1\r\n"
                                  "Q=Prefix Q\r\nQX1A=Prefix QX1A\r\n"
                                  "HB=Switzerland\r\nHB/=Prefix HB/\r\n");
        QTEST(CallToDxcc(call), "expected");
    }

    void deliveredFiles() {
        TempProgramDir dir;
        QCOMPARE(defaultDxccIniPath() + defaultDokIniPath(),
                 dir.file("DXCC.ini") + dir.file("DOK.ini"));
        dir.copyDataFiles();
        QCOMPARE(CallToDxcc("kh6abc") + '|' + CallToDxcc("DL1ABC"), "Hawaii|Fed. Rep. of Germany");
        QCOMPARE(DokToOv("a01") + '|' + DokToDistrikt("x99") + '|' + DokToWebsite("g01"),
                 "Konstanz|Thüringen|https://www.darc.de/der-club/distrikte/g/");
        const QByteArray content = dir.readFile("DXCC.ini");
        QVERIFY(content.endsWith("\r\n"));
        QCOMPARE(content.count('\n'), content.count("\r\n"));
        const QList<QByteArray> lines =
            QByteArray(content).replace("\r\n", "\n").chopped(1).split('\n');
        const qsizetype start = lines.indexOf("[DXCC]");
        QVERIFY(start >= 0 && lines.size() - start > 1000);
        // The DXCC evaluation takes every later line as an entry: no blank lines, no comments,
        // no further section, and only keys the call lookup can find.
        for (qsizetype i = start + 1; i < lines.size(); ++i) {
            const qsizetype eq = lines[i].indexOf('=');
            QVERIFY2(eq >= 1 && eq <= 3 && eq + 1 < lines[i].size(), lines[i].constData());
        }
    }

    void dokLookups_data() {
        addColumns<QString, QStringList>("dok", "expected"); // club, district, website
        const QString a = "https://a.example/";
        QTest::newRow("listed") << "A01" << QStringList{"Konstanz", "Baden", a};
        QTest::newRow("lower case") << "a01" << QStringList{"Konstanz", "Baden", a};
        QTest::newRow("unlisted club, known district") << "A0X" << QStringList{"", "Baden", a};
        QTest::newRow("special DOK") << "DARC60" << QStringList{"Special", "Berlin", ""};
        QTest::newRow("unknown district") << "J01" << QStringList{"", "", ""};
    }
    void dokLookups() {
        QFETCH(QString, dok);
        TempProgramDir dir;
        dir.writeFile("DOK.ini", "[OV]\r\nA01=Konstanz\r\nDARC60=Special\r\n"
                                 "[Distrikt]\r\nA=Baden\r\nD=Berlin\r\n"
                                 "[Website]\r\nA=https://a.example/\r\n");
        QTEST((QStringList{DokToOv(dok), DokToDistrikt(dok), DokToWebsite(dok)}), "expected");
    }

    void tableOrderAndEmptyNumber() {
        Logs logs;
        ReferenceLogs::Table& table = logs.table;
        QCOMPARE(calls(table.filter("", "", "")),
                 QStringList({"DL1ABC", "QX1ABC/P", "DK2XY", "QX1ABC", "DL1ABC/P", "DM3UU/MM"}));
        // The open log's rows keep "#", the reference rows have none.
        QByteArrayList numbers;
        for (int i = 0; i < table.size(); ++i)
            numbers.append(table.row(i).field(0).toByteArray());
        QCOMPARE(numbers, QByteArrayList({"1", "2", "", "", "", ""}));
        QCOMPARE(QsoLine::join(table.row(2).toRecord()),
                 ';' + QsoLine::join(qso(7, "DK2XY", "B01", "JO31AA", "Hans")).mid(2));
        table.clear();
        QCOMPARE(table.size(), 0);
        QVERIFY(table.filter("D", "", "").isEmpty());
    }

    void filter_data() {
        addColumns<QString, QString, QString, QStringList>("call", "dok", "locator", "expected");
        const auto row = [](const char* name, const char* call, const char* dok,
                            const char* locator, const QStringList& expected) {
            QTest::newRow(name) << QString(call) << QString(dok) << QString(locator) << expected;
        };
        row("D: every base call beginning with D", "D", "", "",
            {"DL1ABC", "DK2XY", "DL1ABC/P", "DM3UU/MM"});
        row("lower-case typing", "dl", "", "", {"DL1ABC", "DL1ABC/P"});
        row("D and DOK B narrows", "D", "B", "", {"DL1ABC", "DK2XY", "DM3UU/MM"});
        row("DOK letter case counts", "D", "b", "", {"DL1ABC/P"});
        row("locator JO31A narrows to one", "DK", "", "JO31A", {"DK2XY"});
        row("locator exact", "D", "", "jo", {});
        row("portable call typed: same station", "QX1ABC/P", "", "", {"QX1ABC/P", "QX1ABC"});
        row("typed longer than any", "DL1ABCD", "", "", {});
    }
    void filter() {
        QFETCH(QString, call);
        QFETCH(QString, dok);
        QFETCH(QString, locator);
        QTEST(calls(Logs().table.filter(call, dok, locator)), "expected");
    }

    void referenceLogNamedLikeTheOpenLogIsLeftOut() {
        Logs logs;
        ReferenceLogs::Table table;
        table.build(logs.open(), {logs.open(), logs.dir.file("ref1.log")});
        QCOMPARE(table.size(), 4);
        QCOMPARE(calls(table.filter("Q", "", "")), QStringList({"QX1ABC/P", "QX1ABC"}));
        // Without an open log, only the reference logs.
        table.build(QString(), {logs.dir.file("ref3.log")});
        QCOMPARE(calls(table.filter("D", "", "")), QStringList({"DL1ABC/P", "DM3UU/MM"}));
    }

    void unreadableLogKeepsRowsReadBefore() {
        Logs logs;
        logs.dir.writeFile("bad.log", LogBuilder::rawLog({"1;01.06.2004;;;;DF1XX",
                                                          "2;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q"}));
        ReferenceLogs::Table table;
        QVERIFY_THROWS_EXCEPTION(
            DaluError, table.build(logs.open(), {logs.dir.file("bad.log"), logs.refs()[0]}));
        QCOMPARE(calls(table.filter("D", "", "")), QStringList({"DL1ABC", "DF1XX"}));
    }

    void findStation_data() {
        addTextRows("call", "name", // empty: none found
                    {{"open log first", "DL1ABC", "Erika"},
                     {"portable matches fixed", "qx1abc", "Erika"},
                     {"only in reference log 1", "DK2XY", "Hans"},
                     {"reference log 3 after the empty 2", "DM3UU", "Ute"},
                     {"whole base call, no prefix", "DK2X", ""}});
    }
    void findStation() {
        QFETCH(QString, call);
        const Logs logs;
        const auto name = [](const std::optional<TQsoRecord>& hit) {
            return hit ? fromCp1252((*hit)[QsoField::Name]) : QString();
        };
        QTEST(name(ReferenceLogs::findStation(logs.open(), logs.refs(), call)), "name");
        // The open log is searched even when it is named as a reference log as well.
        QTEST(name(ReferenceLogs::findStation(
                  logs.open(), {logs.open(), logs.refs()[0], {}, logs.refs()[2]}, call)),
              "name");
    }
};

QTEST_GUILESS_MAIN(TestReferenceFiles)
#include "tst_referencefiles.moc"
