#include "callbookinfo.h"
#include "cp1252.h"
#include "errorof.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "settingskeys.h"
#include "tempprogramdir.h"
#include "textrows.h"

#include <QFile>
#include <QTest>

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

} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private slots:
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
        QCOMPARE(longFile.lineCount(), 275);
        QCOMPARE(longFile.text(1) + longFile.text(275), QStringLiteral("Zeile 1Zeile 275"));
        QCOMPARE(longFile.text(276) + longFile.text(0) + longFile.text(-1), QString());
        bytes.truncate(bytes.indexOf("Zeile 275"));
        QCOMPARE(parseLanguageTexts(bytes).text(274), QStringLiteral("Zeile 274"));
        QCOMPARE(parseLanguageTexts(bytes).text(275), QString());
    }

    void missingFileNamesPathAndReason() {
        TempProgramDir dir;
        const QString path = dir.file(QStringLiteral("fehlt.lng"));
        QFile probe(path);
        QVERIFY(!probe.open(QIODevice::ReadOnly));
        const QString error = errorOf([&] { readLanguageFile(path); });
        QVERIFY2(error.contains(path) && error.contains(probe.errorString()), qPrintable(error));
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

    void deliveredFiles() {
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

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
