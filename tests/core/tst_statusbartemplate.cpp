#include "statusbartemplate.h"

#include <QTest>

using namespace StatusBarTemplate;

namespace {

Values sample(bool logOpen) {
    Values v;
    v.time = QStringLiteral("14:30");
    v.refCount = QStringLiteral("0");
    v.refLogs = {QStringLiteral("/logs/TIME.log"), {}, {}, {}};
    if (logOpen)
        v.openLog = OpenLogValues{QStringLiteral("42"), QStringLiteral("DL1ABC"),
                                  QStringLiteral("main.log"), QStringLiteral("Log")};
    return v;
}

} // namespace

class TestStatusBarTemplate : public QObject {
    Q_OBJECT
private slots:
    void expand_data() {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<bool>("logOpen");
        QTest::addColumn<QString>("line");
        QTest::newRow("example") << "Log: LOG_FILE, QSO_COUNT QSOs LAST_CALL" << true
                                 << "Log: main.log, 42 QSOs DL1ABC";
        QTest::newRow("lower case") << "time" << true << "14:30";
        QTest::newRow("no log keeps its tokens") << "QSO_COUNT TIME" << false << "QSO_COUNT 14:30";
        QTest::newRow("sequential") << "REF_LOG_1" << true << "/logs/TIME.log";
        QTest::newRow("versions") << "DALU_VERSION LOGFILEACCESS_VERSION RAC_VERSION" << false
                                  << "0.5 1.2 0";
    }
    void expand() {
        QFETCH(QString, templ);
        QFETCH(bool, logOpen);
        QTEST(StatusBarTemplate::expand(templ, sample(logOpen)), "line");
    }
    // A path holding a later token is expanded too: the replacement is sequential.
    void sequentialReachesIntoValues() {
        Values v = sample(true);
        v.refLogs = {"REF_LOG_2", "b.log", {}, {}};
        QCOMPARE(StatusBarTemplate::expand("REF_LOG_1", v), QString("b.log"));
    }

    void insertAtCaret() {
        const QString word = tokenAt(helpLines().at(6), 4);
        QCOMPARE(word, QString("TICK_COUNT"));
        const Insertion ins = insertToken(" ms", 0, word);
        QCOMPARE(ins.text + QString::number(ins.caret), QString("TICK_COUNT ms10"));
    }
};

QTEST_GUILESS_MAIN(TestStatusBarTemplate)
#include "tst_statusbartemplate.moc"
