#include "cp1252.h"
#include "daluerror.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "programdir.h"
#include "settingskeys.h"
#include "tempprogramdir.h"

#include <QFile>
#include <QTest>

#include <set>
#include <string>
#include <utility>

Q_DECLARE_METATYPE(LanguageTargetKind)

namespace {

QByteArray numberedLines(int count) {
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += "Zeile " + QByteArray::number(n) + "\r\n";
    return bytes;
}

QByteArray deliveredFile(const QString& name) {
    QFile f(QStringLiteral(DALU_DATA_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

const LanguageTarget& target(int line) {
    return languageTargets()[static_cast<std::size_t>(line - 1)];
}

} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void lineBounds();
    void missingFileNamesPathAndReason();
    void readsFromProgramDirectory();

    void tableCoversEveryLineInOrder();
    void messagesAreExactlyTheKeptMainWindowTexts();
    void spotChecks_data();
    void spotChecks();
    void componentsAreUniquePerWindow();
    void messageConstants_data();
    void messageConstants();

    void deliveredFileFormat_data();
    void deliveredFileFormat();
    void listEntries_data();
    void listEntries();
    void languagesAgreeLineForLine();
    void germanCaptions_data();
    void germanCaptions();
    void combinedTexts_data();
    void combinedTexts();
};

void TestLanguageFile::parse_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("escape gives a line break")
        << QByteArray("Zeile 1#13#10Zeile 2\r\n") << 1 << QStringLiteral("Zeile 1\r\nZeile 2");
    QTest::newRow("two escapes in a row")
        << QByteArray("a#13#10#13#10b\r\n") << 1 << QStringLiteral("a\r\n\r\nb");
    QTest::newRow("incomplete escape stays")
        << QByteArray("a#13#1\r\n") << 1 << QStringLiteral("a#13#1");
    QTest::newRow("blanks at both ends kept")
        << QByteArray("  und  \r\n") << 1 << QStringLiteral("  und  ");
    QTest::newRow("CR LF removed") << QByteArray("a\r\nb\r\n") << 2 << QStringLiteral("b");
    QTest::newRow("LF only") << QByteArray("a\nb\n") << 2 << QStringLiteral("b");
    QTest::newRow("last line without line end") << QByteArray("a\r\nb") << 2 << QStringLiteral("b");
    QTest::newRow("empty line in between") << QByteArray("a\r\n\r\nc\r\n") << 2 << QString();
    QTest::newRow("line after an empty one")
        << QByteArray("a\r\n\r\nc\r\n") << 3 << QStringLiteral("c");
    QTest::newRow("Windows-1252 umlauts")
        << QByteArray("\xe4\xf6\xfc\xdf\xc4\r\n") << 1 << QStringLiteral(u"äöüßÄ");
    QTest::newRow("empty file") << QByteArray() << 1 << QString();
}

void TestLanguageFile::parse() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(QString, expected);
    QCOMPARE(parseLanguageTexts(bytes).text(line), expected);
}

void TestLanguageFile::lineBounds() {
    const LanguageTexts shortFile = parseLanguageTexts(numberedLines(274));
    QCOMPARE(shortFile.text(274), QStringLiteral("Zeile 274"));
    QCOMPARE(shortFile.text(275), QString());
    const LanguageTexts longFile = parseLanguageTexts(numberedLines(300));
    QCOMPARE(longFile.lineCount(), 275);
    QCOMPARE(longFile.text(1), QStringLiteral("Zeile 1"));
    QCOMPARE(longFile.text(275), QStringLiteral("Zeile 275"));
    QCOMPARE(longFile.text(276), QString());
    QCOMPARE(longFile.text(0), QString());
    QCOMPARE(longFile.text(-1), QString());
}

void TestLanguageFile::missingFileNamesPathAndReason() {
    TempProgramDir dir;
    const QString path = dir.file(QStringLiteral("fehlt.lng"));
    QFile probe(path);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    try {
        readLanguageFile(path);
        QFAIL("a missing language file must throw");
    } catch (const DaluError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        QVERIFY2(e.message().contains(probe.errorString()), qPrintable(e.message()));
    }
}

void TestLanguageFile::readsFromProgramDirectory() {
    TempProgramDir dir;
    dir.copyDataFiles();
    const LanguageTexts texts =
        readLanguageFile(programDirectory() + QLatin1String(SettingsKeys::kEnglishLanguageFile));
    QCOMPARE(texts.text(languageLine(LanguageWindow::Main, "SucheTS")), QStringLiteral("Search"));
}

void TestLanguageFile::tableCoversEveryLineInOrder() {
    const auto& targets = languageTargets();
    QCOMPARE(int(targets.size()), LanguageTexts::lineCount());
    for (int i = 0; i < int(targets.size()); ++i)
        QCOMPARE(targets[static_cast<std::size_t>(i)].line, i + 1);
}

void TestLanguageFile::messagesAreExactlyTheKeptMainWindowTexts() {
    for (const LanguageTarget& t : languageTargets()) {
        const bool message = (t.line >= 143 && t.line <= 209) || t.line == 273;
        QVERIFY2((t.kind == LanguageTargetKind::Message) == message,
                 qPrintable(QStringLiteral("line %1 %2").arg(t.line).arg(t.component)));
        if (message)
            QCOMPARE(t.window, LanguageWindow::Main);
        if (t.kind == LanguageTargetKind::WizardText)
            QCOMPARE(t.window, LanguageWindow::Converter);
    }
}

void TestLanguageFile::spotChecks_data() {
    using K = LanguageTargetKind;
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("component");
    QTest::addColumn<LanguageTargetKind>("kind");
    const auto row = [](int line, const char* window, const char* component, K kind) {
        QTest::addRow("line %d %s", line, component)
            << line << QString::fromLatin1(window) << QString::fromLatin1(component) << kind;
    };
    row(1, LanguageWindow::Main, "Datei1", K::Caption);
    row(100, LanguageWindow::Main, "PreValueListEditor", K::ColumnTitles);
    row(131, LanguageWindow::Doppelt, "Label1", K::Caption);
    row(136, LanguageWindow::HotKey, "HotKeyForm", K::Caption);
    row(142, LanguageWindow::Text, "Zeilenumbruch1", K::Caption);
    row(210, LanguageWindow::Converter, "TitleStart", K::WizardText);
    row(238, LanguageWindow::Converter, "MsgReallyCancel", K::WizardText);
    row(239, LanguageWindow::Converter, "BackBtn", K::Caption);
    row(272, LanguageWindow::Main, "QslPathLabel", K::Caption);
    row(275, LanguageWindow::Main, "ConfirmedQsosTS", K::Caption);
}

void TestLanguageFile::spotChecks() {
    QFETCH(int, line);
    QFETCH(QString, window);
    QFETCH(QString, component);
    QFETCH(LanguageTargetKind, kind);
    QCOMPARE(QString::fromLatin1(target(line).window), window);
    QCOMPARE(QString::fromLatin1(target(line).component), component);
    QCOMPARE(target(line).kind, kind);
}

void TestLanguageFile::componentsAreUniquePerWindow() {
    // A name given twice would leave one control without its text.
    std::set<std::pair<std::string, std::string>> seen;
    for (const LanguageTarget& t : languageTargets()) {
        QVERIFY2(seen.emplace(t.window, t.component).second, t.component);
        QCOMPARE(languageLine(t.window, t.component), t.line);
    }
    QCOMPARE(languageLine(LanguageWindow::Main, "Label1"), 0);
}

void TestLanguageFile::messageConstants_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("role");
    const auto row = [](int line, const char* role) {
        QTest::newRow(role) << line << QString::fromLatin1(role);
    };
    row(Msg::BandPrompt, "MsgBandPrompt");
    row(Msg::ShortcutLines, "TxtShortcutLine1");
    row(Msg::ShortcutLines + Msg::ShortcutLineCount - 1, "TxtShortcutLine11");
    row(Msg::ShortcutKeyBefore, "TxtShortcutKeyBefore");
    row(Msg::DcCallAlwaysOn, "MsgDcCallAlwaysOn");
    row(Msg::RefLogDialogFilter, "TxtRefLogDialogFilter");
    row(Msg::QslImageFilter, "TxtQslImageFilter");
}

void TestLanguageFile::messageConstants() {
    QFETCH(int, line);
    QFETCH(QString, role);
    QCOMPARE(QString::fromLatin1(target(line).component), role);
    QCOMPARE(target(line).kind, LanguageTargetKind::Message);
}

void TestLanguageFile::deliveredFileFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("deutsch.lng") << QString::fromLatin1(SettingsKeys::kGermanLanguageFile);
    QTest::newRow("english.lng") << QString::fromLatin1(SettingsKeys::kEnglishLanguageFile);
}

void TestLanguageFile::deliveredFileFormat() {
    QFETCH(QString, name);
    const QByteArray bytes = deliveredFile(name);
    QVERIFY(!bytes.isEmpty());
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    QCOMPARE(lines.size(), 275);
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const QByteArray where = name.toLatin1() + " line " + QByteArray::number(i + 1);
        QVERIFY2(i == lines.size() - 1 || line.endsWith('\r'), where.constData());
        const QByteArray text = i == lines.size() - 1 ? line : line.chopped(1);
        QVERIFY2(!text.isEmpty(), where.constData());
        for (const char c : text) {
            const auto b = static_cast<unsigned char>(c);
            // Control characters, and the five bytes Windows-1252 leaves undefined.
            const bool bad = b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F ||
                             b == 0x90 || b == 0x9D;
            QVERIFY2(!bad, where.constData());
        }
        // UTF-8 umlauts would read as "Ã¤" and the like.
        QVERIFY2(!fromCp1252(text).contains(QChar(0xC3)), where.constData());
    }
}

void TestLanguageFile::listEntries_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("entries");
    QTest::newRow("search format memo") << 22 << 8;
    for (int n = 1; n <= 5; ++n)
        QTest::addRow("operators of row %d", n) << 23 + n << 6;
    QTest::newRow("locator help memo") << 65 << 5;
    QTest::newRow("presets titles") << 100 << 2;
    QTest::newRow("reference-log memo") << 111 << 16;
    QTest::newRow("duplicate titles") << 135 << 2;
}

void TestLanguageFile::listEntries() {
    QFETCH(int, line);
    QFETCH(int, entries);
    QVERIFY(target(line).kind == LanguageTargetKind::List ||
            target(line).kind == LanguageTargetKind::ColumnTitles);
    for (const char* name :
         {SettingsKeys::kGermanLanguageFile, SettingsKeys::kEnglishLanguageFile}) {
        const LanguageTexts texts = parseLanguageTexts(deliveredFile(QString::fromLatin1(name)));
        QCOMPARE(texts.text(line).split(QStringLiteral("\r\n")).size(), entries);
    }
}

void TestLanguageFile::languagesAgreeLineForLine() {
    const LanguageTexts german =
        parseLanguageTexts(deliveredFile(QString::fromLatin1(SettingsKeys::kGermanLanguageFile)));
    const LanguageTexts english =
        parseLanguageTexts(deliveredFile(QString::fromLatin1(SettingsKeys::kEnglishLanguageFile)));
    for (int line = 1; line <= LanguageTexts::lineCount(); ++line) {
        const QString where = QStringLiteral("line %1").arg(line);
        QVERIFY2(german.text(line).count(QStringLiteral("\r\n")) ==
                     english.text(line).count(QStringLiteral("\r\n")),
                 qPrintable(where));
        // Texts joined with others keep their outer blanks in both languages.
        QVERIFY2(german.text(line).startsWith(QLatin1Char(' ')) ==
                     english.text(line).startsWith(QLatin1Char(' ')),
                 qPrintable(where));
        QVERIFY2(german.text(line).endsWith(QLatin1Char(' ')) ==
                     english.text(line).endsWith(QLatin1Char(' ')),
                 qPrintable(where));
    }
}

void TestLanguageFile::germanCaptions_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* window, const char* component, const QString& expected) {
        QTest::newRow(component) << QString::fromLatin1(window) << QString::fromLatin1(component)
                                 << expected;
    };
    const char* main = LanguageWindow::Main;
    row(main, "astaturkrzel1", QStringLiteral(u"Tastaturkürzel"));
    row(main, "sOperatorComboBox1",
        QStringLiteral(u"ist\r\nist nicht\r\nenthält\r\nenthält nicht\r\nist größer als\r\n"
                       u"ist kleiner als"));
    row(main, "ConfirmedQsosTS", QStringLiteral(u"bestätigte QSOs"));
    row(LanguageWindow::Doppelt, "Label1", QStringLiteral("Dieses Call wurde bereits geloggt!"));
    row(LanguageWindow::Converter, "MsgOverwriteTail",
        QStringLiteral(u"\" existiert.\r\nÜberschreiben?"));
}

void TestLanguageFile::germanCaptions() {
    QFETCH(QString, window);
    QFETCH(QString, component);
    QFETCH(QString, expected);
    const int line = languageLine(window.toLatin1().constData(), component.toLatin1().constData());
    QVERIFY(line > 0);
    const LanguageTexts texts =
        parseLanguageTexts(deliveredFile(QString::fromLatin1(SettingsKeys::kGermanLanguageFile)));
    QCOMPARE(texts.text(line), expected);
}

void TestLanguageFile::combinedTexts_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {SettingsKeys::kGermanLanguageFile, SettingsKeys::kEnglishLanguageFile})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestLanguageFile::combinedTexts() {
    QFETCH(QString, name);
    const LanguageTexts t = parseLanguageTexts(deliveredFile(name));
    const QString quote = QStringLiteral("\"");
    // The pieces read as one sentence only when their quotes and blanks are in place.
    QVERIFY(t.text(Msg::LogFileNotFound).endsWith(quote));
    QVERIFY(t.text(Msg::NewLogExists).startsWith(quote));
    QVERIFY(t.text(Msg::NewLogExists).endsWith(quote));
    QVERIFY(t.text(Msg::ResultHead).endsWith(QLatin1Char(' ')));
    for (int line : {Msg::ListAnd, Msg::ResultLocators, Msg::ResultDoks, Msg::ResultDxccs}) {
        QVERIFY(t.text(line).startsWith(QLatin1Char(' ')));
        QVERIFY(t.text(line).endsWith(QLatin1Char(' ')));
    }
    QVERIFY(t.text(Msg::ResultTail).startsWith(QLatin1Char(' ')));
    for (int head : {Msg::OwnLocatorInvalidHead, Msg::LocatorInvalidHead, Msg::DxccShortCallHead}) {
        QVERIFY(t.text(head).endsWith(quote));
        QVERIFY(t.text(head + 1).startsWith(quote));
    }
    QVERIFY(t.text(Msg::DxccShortCallMid).endsWith(QLatin1Char(' ')));
    QVERIFY(t.text(Msg::DxccShortCallTail).startsWith(QLatin1Char(' ')));
    QVERIFY(t.text(Msg::LocHtmlTitle).startsWith(QStringLiteral("<title>")));
    QVERIFY(t.text(Msg::LocHtmlTitle).endsWith(QLatin1Char(' ')));
    QVERIFY(t.text(Msg::ShortcutKeyBefore).startsWith(QLatin1Char(' ')));
    const int overwriteHead = languageLine(LanguageWindow::Converter, "MsgOverwriteHead");
    QVERIFY(t.text(overwriteHead).endsWith(quote));
    QVERIFY(t.text(overwriteHead + 1).startsWith(quote));
    // Each file filter is pairs of description and pattern.
    for (const char* filter : {"DlgAdifFilter", "DlgHtmlFilter", "DlgTxtFilter",
                               "DlgImportHtmlFilter", "DlgExportAdifFilter"}) {
        const int line = languageLine(LanguageWindow::Converter, filter);
        QVERIFY2(t.text(line).count(QLatin1Char('|')) % 2 == 1, filter);
    }
    for (int line : {Msg::LocSaveFilter, Msg::RefLogDialogFilter, Msg::QslImageFilter})
        QVERIFY(t.text(line).count(QLatin1Char('|')) % 2 == 1);
}

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "tst_languagefile.moc"
