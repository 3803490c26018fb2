#include "functionkeys.h"
#include "statusbartemplate.h"
#include "textrows.h"

#include <QTest>

using namespace FunctionKeys;
using namespace StatusBarTemplate;

namespace {

// Field keys written as a..l = key, e.g. "c3 d3".
KeyOfField keysOf(const QString& text) {
    KeyOfField keys{};
    for (const QString& item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        keys[fieldIndex(item.at(0))] = item.mid(1).toInt();
    return keys;
}

Values sample(bool logOpen) {
    Values v;
    v.time = "14:30";
    v.refCount = "0";
    v.refLogs = {"/logs/TIME.log", {}, {}, {}};
    if (logOpen)
        v.openLog = OpenLogValues{"42", "DL1ABC", "main.log", "Log"};
    return v;
}

} // namespace

class TestFunctionKeys : public QObject {
    Q_OBJECT
private slots:
    void bindingRule_data() {
        addColumns<QString, QString, QString>("chosen", "kept", "bf3");
        const auto row = [](const char* name, const char* chosen, const char* kept,
                            const char* bf3) {
            QTest::newRow(name) << QString(chosen) << QString(kept) << QString(bf3);
        };
        // Band (c) was just chosen in each row.
        row("mode loses to band", "c3 d3", "c3", "c");
        row("date loses to band", "a3 c3", "c3", "c");
        row("band loses to DOK", "c3 e3", "e3", "e");
        row("optional fields share", "c1 e3 h3", "c1 e3 h3", "eh");
        row("no conflict", "a1 c3", "a1 c3", "c");
    }
    void bindingRule() {
        QFETCH(QString, chosen);
        QFETCH(QString, kept);
        QFETCH(QString, bf3);
        const KeyOfField keys = applyBindingRule(keysOf(chosen), fieldIndex(QLatin1Char('c')));
        QCOMPARE(keys, keysOf(kept));
        QCOMPARE(buttonTexts(keys)[2], bf3);
        QCOMPARE(keysOfButtons(buttonTexts(keys)), keys);
    }

    void lists_data() {
        addColumns<QString, QString, QString>("letters", "shortText", "quotedText");
        const auto row = [](const char* name, const char* letters, const char* shortText,
                            const char* quoted) {
            QTest::newRow(name) << QString(letters) << QString(shortText) << QString(quoted);
        };
        row("DOK and QTH", "eh", "DOK, QTH", "'DOK' und 'QTH'");
        row("three", "efh", "DOK, Locat., QTH", "'DOK', 'Locator' und 'QTH'");
        row("one", "j", "Cmnts.", "'Comments'");
        row("last two fields", "kl", "QSL Out, QSL In", "'QSL Out' und 'QSL In'");
        row("no field letter", "cx", "Band, ", "'Band' und ");
        row("unbound", "", "", "");
    }
    void lists() {
        QFETCH(QString, letters);
        QTEST(shortList(letters), "shortText");
        QTEST(quotedList(letters, QStringLiteral(" und ")), "quotedText");
    }

    void captionsAndHint() {
        QCOMPARE(caption(5, "eh"), QString("F5: DOK, QTH"));
        QCOMPARE(caption(7, QString()), QString("F7: "));
        QCOMPARE(hint(5, "eh", QString::fromUtf8("Ein/Aus für"), "(Taste oder Klick)", " und "),
                 QString::fromUtf8("F5: Ein/Aus für 'DOK' und 'QTH' (Taste oder Klick)"));
        const int w = captionWidth(760);
        QCOMPARE((QList<int>{w, captionLeft(1, w), captionLeft(2, w), captionLeft(3, w),
                             captionLeft(12, w)}),
                 (QList<int>{62, 8, 70, 132, 690}));
    }

    void shortcutLinesListOnlyBoundKeys() {
        ButtonTexts buttons;
        buttons[8] = "c";
        buttons[9] = "eh";
        QCOMPARE(shortcutLines({{"head"}, " On/off ", ".", " and "}, buttons),
                 QStringList({"head", "[F9]  On/off 'Band'.", "[F10] On/off 'DOK' and 'QTH'."}));
    }

    void statusBarExpand_data() {
        addColumns<QString, bool, QString>("templ", "logOpen", "line");
        QTest::newRow("example") << "Log: LOG_FILE, QSO_COUNT QSOs LAST_CALL" << true
                                 << "Log: main.log, 42 QSOs DL1ABC";
        QTest::newRow("lower case") << "time" << true << "14:30";
        QTest::newRow("no log keeps its tokens") << "QSO_COUNT TIME" << false << "QSO_COUNT 14:30";
        QTest::newRow("sequential") << "REF_LOG_1" << true << "/logs/TIME.log";
        QTest::newRow("versions") << "DALU_VERSION LOGFILEACCESS_VERSION RAC_VERSION" << false
                                  << "0.5 1.2 0";
    }
    void statusBarExpand() {
        QFETCH(QString, templ);
        QFETCH(bool, logOpen);
        QTEST(StatusBarTemplate::expand(templ, sample(logOpen)), "line");
    }
    // A path holding a later token is expanded too: the replacement is sequential.
    void statusBarSequentialReachesIntoValues() {
        Values v = sample(true);
        v.refLogs = {"REF_LOG_2", "b.log", {}, {}};
        QCOMPARE(StatusBarTemplate::expand("REF_LOG_1", v), QString("b.log"));
    }

    void statusBarInsertAtCaret() {
        const QString word = tokenAt(helpLines().at(6), 4);
        QCOMPARE(word, QString("TICK_COUNT"));
        const Insertion ins = insertToken(" ms", 0, word);
        QCOMPARE(ins.text + QString::number(ins.caret), QString("TICK_COUNT ms10"));
    }
};

QTEST_GUILESS_MAIN(TestFunctionKeys)
#include "tst_functionkeys.moc"
