#include "callbookinfo.h"
#include "languagefile.h"
#include "languagetargets.h"
#include "textrows.h"

#include <QTest>

class TestCallBookInfo : public QObject {
    Q_OBJECT
private slots:
    void callArgument_data() {
        addColumns<QString, QByteArray>("call", "argument");
        QTest::newRow("portable with blanks around") << " QX1ABC/P " << QByteArray("qx1abc/");
        QTest::newRow("long call cut to 7") << "QX1ABCDEFGHIJ" << QByteArray("qx1abcd");
        QTest::newRow("only A to Z lowered")
            << QStringLiteral(u"QX\u00c41") << QByteArray("qx\xc4\x31");
        QTest::newRow("blanks only") << "   " << QByteArray();
    }
    void callArgument() {
        QFETCH(QString, call);
        QTEST(CallBookInfo::callArgument(call), "argument");
    }

    // Tags: 1 call, 2 name and address, 7 licence, 0x16 comment, 0x17 fax, 0x18 mail.
    void parseBuffer_data() {
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
    void parseBuffer() {
        QFETCH(QByteArray, buffer);
        const TCallInfo i = CallBookInfo::parseBuffer(buffer.constData(), buffer.size());
        QTEST(
            QByteArrayList({i.CallText, i.Name, i.Address, i.Licence, i.Comment, i.FaxNr, i.EMail})
                .join('|'),
            "fields");
    }

    void everyCodeHasItsTextInBothLanguages_data() {
        addColumns<int, int>("code", "line");
        const QList<std::pair<int, int>> codes = {
            {-5, Msg::CallBookErrM5},       {-4, Msg::CallBookErrM4},
            {-3, Msg::CallBookErrM3},       {-2, Msg::CallBookErrM2},
            {2, Msg::CallBookErr2},         {3, Msg::CallBookErr3},
            {5, Msg::CallBookErr5},         {1101, Msg::CallBookErr1101},
            {32000, Msg::CallBookErr32000}, {-1, Msg::CallBookErrOther},
            {1, Msg::CallBookErrOther},     {4, Msg::CallBookErrOther}};
        for (const auto& [code, line] : codes)
            QTest::addRow("code %d", code) << code << line;
    }
    void everyCodeHasItsTextInBothLanguages() {
        QFETCH(int, code);
        QFETCH(int, line);
        QCOMPARE(CallBookInfo::messageLine(code), line);
        for (const char* file : {"/deutsch.lng", "/english.lng"})
            QVERIFY(!readLanguageFile(QStringLiteral(DALU_DATA_DIR) + file).text(line).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestCallBookInfo)
#include "tst_callbookinfo.moc"
