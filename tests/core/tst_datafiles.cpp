// The files read besides the log: language files, reference INI files, DXCC.ini, DOK.ini,
// the reference logs, and the callbook's answers.
#include "callbookinfo.h"
#include "coretest.h"
#include "cp1252.h"
#include "daluerror.h"
#include "dok.h"
#include "dxcc.h"
#include "errorof.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "logbuilder.h"
#include "referenceini.h"
#include "referencelogs.h"
#include "settingskeys.h"
#include "tempprogramdir.h"
#include "textrows.h"
#include "weblink.h"

#include <cerrno>
#include <set>
#include <string>

namespace {

const char* const kFiles[] = {SettingsKeys::kGermanLanguageFile,
                              SettingsKeys::kEnglishLanguageFile};

QByteArray deliveredFile(const char* name) {
    QFile f(QStringLiteral(DALU_DATA_DIR "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const LanguageTarget& target(int line) {
    return languageTargets()[static_cast<std::size_t>(line - 1)];
}

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

class TestDataFiles : public QObject {
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
                     {"two letters and trailing slash", "QX1ABC/AM/", "QX1ABC"},
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

    void deliveredReferenceFiles() {
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

    // What a district's web address from DOK.ini may open: web pages only.
    void webLinks_data() {
        addTextRows("address", "opened",
                    {{"https as it is", " https://a.example/x?y=1 ", "https://a.example/x?y=1"},
                     {"http, capitals", "HTTP://A.EXAMPLE/", "HTTP://A.EXAMPLE/"},
                     {"bare host gets https", "www.a.example/baden", "https://www.a.example/baden"},
                     {"bare host with port", "a.example:8080/x", "https://a.example:8080/x"},
                     {"local file", "file:///etc/passwd", ""},
                     {"script", "javascript:alert(1)", ""},
                     {"network share", "smb://server/share", ""},
                     {"scheme only in capitals", "FILE:/etc/passwd", ""},
                     {"http without a host", "http:/etc/passwd", ""},
                     {"absolute path", "/etc/passwd", ""},
                     {"empty", "", ""}});
    }
    void webLinks() {
        QFETCH(QString, address);
        QTEST(WebLink::openable(address), "opened");
    }

    // The rows in order, their numbers, and what each build leaves in the table.
    void tableRows() {
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
        // A reference log named like the open log is left out.
        table.build(logs.open(), {logs.open(), logs.dir.file("ref1.log")});
        QCOMPARE(calls(table.filter("Q", "", "")), QStringList({"QX1ABC/P", "QX1ABC"}));
        QCOMPARE(table.size(), 4);
        table.build(QString(), {logs.dir.file("ref3.log")});
        QCOMPARE(calls(table.filter("D", "", "")), QStringList({"DL1ABC/P", "DM3UU/MM"}));
        // A log that cannot be read keeps the rows read before it.
        logs.dir.writeFile("bad.log", LogBuilder::rawLog({"1;01.06.2004;;;;DF1XX",
                                                          "2;a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q"}));
        QVERIFY_THROWS_EXCEPTION(
            DaluError, table.build(logs.open(), {logs.dir.file("bad.log"), logs.refs()[0]}));
        QCOMPARE(calls(table.filter("D", "", "")), QStringList({"DL1ABC", "DF1XX"}));
        table.clear();
        QCOMPARE(table.size(), 0);
    }

    void filter_data() {
        addColumns<QString, QString, QString, QStringList>("call", "dok", "locator", "expected");
        const auto row = [](const char* name, const char* call, const char* dok,
                            const char* locator, const QStringList& expected) {
            QTest::newRow(name) << QString(call) << QString(dok) << QString(locator) << expected;
        };
        row("D: every base call beginning with D", "D", "", "",
            {"DL1ABC", "DK2XY", "DL1ABC/P", "DM3UU/MM"});
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

    void parse_data() {
        addColumns<QByteArray, int, QString>("bytes", "line", "expected");
        const auto row = [](const char* name, const QByteArray& bytes, int line,
                            const QString& expected) {
            QTest::newRow(name) << bytes << line << expected;
        };
        row("escape gives a line break", "Zeile 1#13#10Zeile 2\r\n", 1, "Zeile 1\r\nZeile 2");
        row("incomplete escape stays", "a#13#1\r\n", 1, "a#13#1");
        row("blanks at both ends kept", "  und  \r\n", 1, "  und  ");
        row("CR LF removed", "a\r\nb\r\n", 2, "b");
        row("LF only", "a\nb\n", 2, "b");
        row("last line without line end", "a\r\nb", 2, "b");
        row("line after an empty one", "a\r\n\r\nc\r\n", 3, "c");
        row("Windows-1252 umlauts", "\xe4\xf6\xfc\xdf\xc4\r\n", 1, QStringLiteral(u"äöüßÄ"));
    }
    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QTEST(parseLanguageTexts(bytes).text(line), "expected");
    }

    void lineBounds() {
        QByteArray bytes;
        for (int n = 1; n <= 300; ++n)
            bytes += "Zeile " + QByteArray::number(n) + "\r\n";
        const LanguageTexts longFile = parseLanguageTexts(bytes);
        QCOMPARE(longFile.text(1) + longFile.text(275), QStringLiteral("Zeile 1Zeile 275"));
        QCOMPARE(longFile.text(276) + longFile.text(0) + longFile.text(-1), QString());
        bytes.truncate(bytes.indexOf("Zeile 275"));
        const LanguageTexts shortFile = parseLanguageTexts(bytes);
        QCOMPARE(shortFile.text(274) + '|' + shortFile.text(275), QStringLiteral("Zeile 274|"));
    }

    void missingFileNamesPathAndReason() {
        TempProgramDir dir;
        const QString path = dir.file(QStringLiteral("fehlt.lng"));
        QFile probe(path);
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        const QString error = errorOf([&] { readLanguageFile(path); });
        // The system's reason, in the interface language.
        QVERIFY2(error.contains(path) && error.contains(DaluError::osText(ENOENT)),
                 qPrintable(error));
    }

    void tableCoversEveryLineOnce() {
        std::set<std::pair<std::string, std::string>> seen;
        for (const LanguageTarget& t : languageTargets()) {
            const QByteArray where = QByteArray::number(t.line) + " " + t.component;
            // A name given twice would leave one control without its text.
            QVERIFY2(seen.emplace(t.window, t.component).second, where);
            QCOMPARE(languageLine(t.window, t.component), t.line);
            // The main window keeps its messages; only the converter keeps wizard texts.
            const bool message = (t.line >= 143 && t.line <= 209) || t.line == 273;
            QVERIFY2((t.kind == LanguageTargetKind::Message) == message, where);
            QVERIFY(!message || qstrcmp(t.window, LanguageWindow::Main) == 0);
            QVERIFY(t.kind != LanguageTargetKind::WizardText ||
                    qstrcmp(t.window, LanguageWindow::Converter) == 0);
        }
        QCOMPARE(languageLine(LanguageWindow::Main, "Label1"), 0);
        // Each named message line is the target of that name.
        const int lines[] = {
            Msg::BandPrompt,        Msg::ModePrompt,          Msg::TxPwrHintMilli,
            Msg::TxPwrHintKilo,     Msg::TxPwrHintMega,       Msg::InvalidLocator,
            Msg::SerialNotNumber,   Msg::NewLogItem,          Msg::LogMenuCaption,
            Msg::NewLogCaption,     Msg::NewLogPrompt,        Msg::CallBookMissing,
            Msg::ShortcutKeyAfter,  Msg::TotalCaption,        Msg::DcCallAlwaysOn,
            Msg::LocSaveTitle,      Msg::HintBefore,          Msg::HintAfter,
            Msg::RefLogDialogTitle, Msg::CallBookDialogTitle, Msg::QslInNoCriterion,
            Msg::QslInAskNewQso,    Msg::QslInNotFound,       Msg::QslImageFilter};
        QByteArrayList names;
        for (int line : lines)
            names.append(QByteArray(target(line).component).mid(3));
        QCOMPARE(names.join(' '),
                 "BandPrompt ModePrompt TxPwrHintMilli TxPwrHintKilo TxPwrHintMega InvalidLocator "
                 "SerialNotNumber NewLogItem LogMenuCaption NewLogCaption NewLogPrompt "
                 "CallBookMissing ShortcutKeyAfter TotalCaption DcCallAlwaysOn LocSaveTitle "
                 "HintBefore HintAfter RefLogDialogTitle CallBookDialogTitle QslInNoCriterion "
                 "QslInAskNewQso QslInNotFound QslImageFilter");
        QCOMPARE(target(Msg::ShortcutLines + Msg::ShortcutLineCount - 1).component,
                 "TxtShortcutLine11");
    }

    void deliveredLanguageFiles() {
        LanguageTexts texts[2];
        for (int f = 0; f < 2; ++f) {
            const QByteArray bytes = deliveredFile(kFiles[f]);
            QVERIFY(bytes.endsWith("\r\n"));
            QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
            const QList<QByteArray> lines =
                QByteArray(bytes).replace("\r\n", "\n").chopped(1).split('\n');
            QCOMPARE(lines.size(), 275);
            for (int i = 0; i < lines.size(); ++i) {
                const QByteArray where = kFiles[f] + (" line " + QByteArray::number(i + 1));
                // UTF-8 umlauts would read as "Ã¤" and the like.
                QVERIFY2(!lines[i].isEmpty() && !fromCp1252(lines[i]).contains(QChar(0xC3)), where);
                // Control characters, and the five bytes Windows-1252 leaves undefined.
                for (const char c : lines[i])
                    QVERIFY2(uchar(c) >= 0x20 &&
                                 !QByteArray("\x7F\x81\x8D\x8F\x90\x9D").contains(c),
                             where);
            }
            texts[f] = parseLanguageTexts(bytes);
        }
        // Lists keep their number of entries, texts joined with others their outer blanks.
        const auto shape = [](const QString& t, int line) {
            return QString::asprintf("line %d: %d lines, %d %d", line, int(t.count("\r\n")),
                                     t.startsWith(' '), t.endsWith(' '));
        };
        for (int line = 1; line <= LanguageTexts::lineCount(); ++line)
            QCOMPARE(shape(texts[0].text(line), line), shape(texts[1].text(line), line));
        for (const LanguageTexts& t : texts) {
            // The pieces read as one sentence only when their quotes and blanks are in place:
            // the first and last character of each piece, "." for any.
            const auto check = [&](std::initializer_list<int> pieces, const char* shape) {
                for (int line : pieces) {
                    const QString text = t.text(line);
                    QVERIFY2((shape[0] == '.' || text.front() == shape[0]) &&
                                 (shape[1] == '.' || text.back() == shape[1]),
                             qPrintable(QString("line %1: [%2]").arg(line).arg(text)));
                }
            };
            const int overwriteHead = languageLine(LanguageWindow::Converter, "MsgOverwriteHead");
            for (int head : {Msg::OwnLocatorInvalidHead, Msg::LocatorInvalidHead,
                             Msg::DxccShortCallHead, overwriteHead}) {
                check({head}, ".\"");
                check({head + 1}, "\".");
            }
            check({Msg::LogFileNotFound}, ".\"");
            check({Msg::NewLogExists}, "\"\"");
            check({Msg::ListAnd, Msg::ResultLocators, Msg::ResultDoks, Msg::ResultDxccs}, "  ");
            check({Msg::ResultHead, Msg::DxccShortCallMid, Msg::LocHtmlTitle}, ". ");
            check({Msg::ResultTail, Msg::DxccShortCallTail, Msg::ShortcutKeyBefore}, " .");
            QVERIFY(t.text(Msg::LocHtmlTitle).startsWith("<title>"));
            // Each file filter is pairs of description and pattern.
            QList<int> filters = {Msg::LocSaveFilter, Msg::RefLogDialogFilter, Msg::QslImageFilter};
            for (const char* filter : {"DlgAdifFilter", "DlgHtmlFilter", "DlgTxtFilter",
                                       "DlgImportHtmlFilter", "DlgExportAdifFilter"})
                filters.append(languageLine(LanguageWindow::Converter, filter));
            for (int line : filters)
                QVERIFY2(t.text(line).count(QLatin1Char('|')) % 2 == 1, qPrintable(t.text(line)));
        }
    }

    void callBookArgument_data() {
        addColumns<QString, QByteArray>("call", "argument");
        QTest::newRow("portable with blanks around") << " QX1ABC/P " << QByteArray("qx1abc/");
        QTest::newRow("long call cut to 7") << "QX1ABCDEFGHIJ" << QByteArray("qx1abcd");
        QTest::newRow("only A to Z lowered")
            << QStringLiteral(u"QX\u00c41") << QByteArray("qx\xc4\x31");
    }
    void callBookArgument() {
        QFETCH(QString, call);
        QTEST(CallBookInfo::callArgument(call), "argument");
    }

    // Tags: 1 call, 2 name and address, 7 licence, 0x16 comment, 0x17 fax, 0x18 mail.
    void callBookBuffer_data() {
        addColumns<QByteArray, QByteArray>("buffer", "fields"); // call|name|address|licence|...
        QTest::newRow("Erika")
            << QByteArray("\x02\x45rika, Musterweg 1, 12345 Musterstadt\x18\x65rika@example.org")
            << QByteArray("|Erika|Musterweg 1, 12345 Musterstadt||||e-Mail: erika@example.org");
        QTest::newRow("no comma: all address") << QByteArray("\x01QX2XYZ\x02Sample Street 3")
                                               << QByteArray("QX2XYZ||Sample Street 3||||");
        QTest::newRow("prefixes, repeated tag appends")
            << QByteArray("\x07\x41\x17\x30\x30\x30\x30\x16Nur CW\x07\x45")
            << QByteArray("|||Licence Class: AE|Nur CW|Fax-Number: 0000|");
        QTest::newRow("untagged and unknown tags dropped, stops at NUL")
            << QByteArray("lost\x01QX1\x05gone\x01\x41\0\x01QX9", 17) << QByteArray("QX1A||||||");
    }
    void callBookBuffer() {
        QFETCH(QByteArray, buffer);
        const TCallInfo i = CallBookInfo::parseBuffer(buffer.constData(), buffer.size());
        QTEST(
            QByteArrayList({i.CallText, i.Name, i.Address, i.Licence, i.Comment, i.FaxNr, i.EMail})
                .join('|'),
            "fields");
    }

    // The lines of the language files that explain each code.
    void callBookCodeLines() {
        QList<int> lines;
        for (int code : {-5, -4, -3, -2, 2, 3, 5, 1101, 32000, -1, 1, 4})
            lines.append(CallBookInfo::messageLine(code));
        QCOMPARE(lines, (QList<int>{158, 159, 160, 161, 163, 164, 165, 166, 167, 168, 168, 168}));
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
