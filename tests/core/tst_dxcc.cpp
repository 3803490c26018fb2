#include "dxcc.h"
#include "tempprogramdir.h"

#include <QFile>
#include <QTest>

namespace {

void addCallColumns() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("expected");
}

} // namespace

class TestDxcc : public QObject {
    Q_OBJECT
private slots:
    void extractCall_data();
    void extractCall();
    void callToDxcc_data();
    void callToDxcc();
    void defaultFileIsInTheProgramDirectory();
    void deliveredFileFindsWellKnownCalls_data();
    void deliveredFileFindsWellKnownCalls();
    void deliveredFileEndsWithItsDxccSection();
};

void TestDxcc::extractCall_data() {
    addCallColumns();
    QTest::newRow("portable, lower case") << "qx1abc/p"
                                          << "QX1ABC";
    QTest::newRow("maritime mobile") << "QX1ABC/MM"
                                     << "QX1ABC";
    QTest::newRow("one letter and trailing slash") << "QX1ABC/P/"
                                                   << "QX1ABC";
    QTest::newRow("two letters and trailing slash") << "QX1ABC/AM/"
                                                    << "QX1ABC";
    QTest::newRow("trailing slash only") << "QX1ABC/"
                                         << "QX1ABC";
    QTest::newRow("prefix stays") << "oe/qx1abc"
                                  << "OE/QX1ABC";
    QTest::newRow("long suffix stays") << "QX1ABC/QRP"
                                       << "QX1ABC/QRP";
    QTest::newRow("nothing but a suffix") << "/P"
                                          << "";
    QTest::newRow("slash only") << "/"
                                << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only a to z upper-cased") << "dlä1abc"
                                             << "DLä1ABC";
}

void TestDxcc::extractCall() {
    QFETCH(QString, call);
    QTEST(ExtractCall(call), "expected");
}

void TestDxcc::callToDxcc_data() {
    addCallColumns();
    QTest::newRow("two characters, though a key") << "DL"
                                                  << "";
    QTest::newRow("three-character key") << "DL1"
                                         << "Prefix DL1";
    QTest::newRow("two-character key") << "DL2ABC"
                                       << "Prefix DL";
    QTest::newRow("one-character key") << "DX1ABC"
                                       << "Prefix D";
    QTest::newRow("lower case") << "dl2abc"
                                << "Prefix DL";
    QTest::newRow("four-character key never found") << "QX1ABC"
                                                    << "Prefix Q";
    QTest::newRow("leading portable prefix") << "OE/QX1ABC"
                                             << "Austria";
    QTest::newRow("key with a slash") << "HB/QX1ABC"
                                      << "Prefix HB/";
    QTest::newRow("no key") << "ZZ1ZZ"
                            << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestDxcc::callToDxcc() {
    QFETCH(QString, call);
    TempProgramDir dir;
    dir.writeFile("DXCC.ini", "[DXCC]\r\nD=Prefix D\r\nDL=Prefix DL\r\nDL1=Prefix DL1\r\n"
                              "Q=Prefix Q\r\nQX1A=Prefix QX1A\r\nOE=Austria\r\n"
                              "HB=Switzerland\r\nHB/=Prefix HB/\r\n");
    QTEST(CallToDxcc(call), "expected");
}

void TestDxcc::defaultFileIsInTheProgramDirectory() {
    TempProgramDir dir;
    QCOMPARE(defaultDxccIniPath(), dir.file("DXCC.ini"));
    QCOMPARE(CallToDxcc("DL1ABC"), QString());
}

void TestDxcc::deliveredFileFindsWellKnownCalls_data() {
    addCallColumns();
    QTest::newRow("Germany") << "DL1ABC"
                             << "Fed. Rep. of Germany";
    QTest::newRow("Austria") << "OE3XYZ"
                             << "Austria";
    QTest::newRow("United States") << "W1AW"
                                   << "United States of America";
    QTest::newRow("Japan") << "JA1XYZ"
                           << "Japan";
    QTest::newRow("Australia") << "VK2ABC"
                               << "Australia";
    QTest::newRow("three characters beat one") << "KH6ABC"
                                               << "Hawaii";
    QTest::newRow("lower case") << "dl1abc/p"
                                << "Fed. Rep. of Germany";
    // Sicily counts for WAE only; for DXCC it is Italy.
    QTest::newRow("WAE-only entity left out") << "IT9ABC"
                                              << "Italy";
}

void TestDxcc::deliveredFileFindsWellKnownCalls() {
    QFETCH(QString, call);
    TempProgramDir dir;
    dir.copyDataFiles();
    QTEST(CallToDxcc(call), "expected");
}

void TestDxcc::deliveredFileEndsWithItsDxccSection() {
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

QTEST_APPLESS_MAIN(TestDxcc)
#include "tst_dxcc.moc"
