#include "functionkeys.h"

#include <QTest>

using namespace FunctionKeys;

namespace {

// Field keys written as a..l = key, e.g. "c3 d3".
KeyOfField keysOf(const QString& spec) {
    KeyOfField keys{};
    for (const QString& item : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        keys[fieldIndex(item.at(0))] = item.mid(1).toInt();
    return keys;
}

} // namespace

class TestFunctionKeys : public QObject {
    Q_OBJECT
private slots:
    void bindingRule_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("bf3");
        // Band (c) was just chosen in each row.
        QTest::newRow("mode loses to band") << "c3 d3"
                                            << "c3"
                                            << "c";
        QTest::newRow("date loses to band") << "a3 c3"
                                            << "c3"
                                            << "c";
        QTest::newRow("band loses to DOK") << "c3 e3"
                                           << "e3"
                                           << "e";
        QTest::newRow("optional fields share") << "c1 e3 h3"
                                               << "c1 e3 h3"
                                               << "eh";
        QTest::newRow("no conflict") << "a1 c3"
                                     << "a1 c3"
                                     << "c";
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
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("shortText");
        QTest::addColumn<QString>("quotedText");
        QTest::newRow("DOK and QTH") << "eh"
                                     << "DOK, QTH"
                                     << "'DOK' und 'QTH'";
        QTest::newRow("three") << "efh"
                               << "DOK, Locat., QTH"
                               << "'DOK', 'Locator' und 'QTH'";
        QTest::newRow("one") << "j"
                             << "Cmnts."
                             << "'Comments'";
        QTest::newRow("no field letter") << "cx"
                                         << "Band, "
                                         << "'Band' und ";
        QTest::newRow("unbound") << ""
                                 << ""
                                 << "";
    }
    void lists() {
        QFETCH(QString, letters);
        QFETCH(QString, shortText);
        QCOMPARE(shortList(letters), shortText);
        QFETCH(QString, quotedText);
        QCOMPARE(quotedList(letters, QStringLiteral(" und ")), quotedText);
    }

    void captionAndHint() {
        QCOMPARE(caption(5, QStringLiteral("eh")), QStringLiteral("F5: DOK, QTH"));
        QCOMPARE(caption(7, QString()), QStringLiteral("F7: "));
        QCOMPARE(hint(5, QStringLiteral("eh"), QStringLiteral("Ein/Aus f\u00fcr"),
                      QStringLiteral("(Taste oder Klick)"), QStringLiteral(" und ")),
                 QStringLiteral("F5: Ein/Aus f\u00fcr 'DOK' und 'QTH' (Taste oder Klick)"));
    }

    void captionLayout() {
        const int w = captionWidth(760);
        QCOMPARE(w, 62);
        QCOMPARE(captionLeft(1, w), 8);
        QCOMPARE(captionLeft(2, w), 70);
        QCOMPARE(captionLeft(3, w), 132);
        QCOMPARE(captionLeft(12, w), 690);
    }

    void shortcutLinesListOnlyBoundKeys() {
        ButtonTexts buttons;
        buttons[8] = QStringLiteral("c");
        buttons[9] = QStringLiteral("eh");
        const QStringList lines = shortcutLines({{QStringLiteral("head")},
                                                 QStringLiteral(" On/off "),
                                                 QStringLiteral("."),
                                                 QStringLiteral(" and ")},
                                                buttons);
        QCOMPARE(lines, QStringList({QStringLiteral("head"), QStringLiteral("[F9]  On/off 'Band'."),
                                     QStringLiteral("[F10] On/off 'DOK' and 'QTH'.")}));
    }
};

QTEST_GUILESS_MAIN(TestFunctionKeys)
#include "tst_functionkeys.moc"
