#include "coretest.h"
#include "decodevalue.h"
#include "testdata.h"
#include "wsjtxmessage.h"
#include "wsjtxqso.h"

using namespace Wsjtx;

namespace {

// Datagrams WSJT-X 2.6.1 sent while a QSO with ZS6ABC was logged in it
// (tools/wsjtx_session.py record).
QByteArray recorded(const char* name) {
    QFile f(QStringLiteral(DALU_TEST_SOURCE_DIR "/data/wsjtx/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", name);
    return f.readAll();
}

template <typename T> T bodyOf(const QByteArray& datagram, Type type) {
    const auto m = decode(datagram);
    if (!m || m->type != type || !std::holds_alternative<T>(m->body))
        qFatal("datagram not read as type %u", unsigned(type));
    if (m->id != QLatin1String("WSJT-X - dalutest") || m->schema != 2)
        qFatal("wrong sender or schema");
    return std::get<T>(m->body);
}

QDateTime loggedAt() {
    return QDateTime(QDate(2026, 12, 8), QTime(0, 18, 58, 89), Qt::UTC);
}

} // namespace

class TestWsjtx : public QObject {
    Q_OBJECT
private slots:
    void heartbeat() {
        const auto h = bodyOf<Heartbeat>(recorded("heartbeat.bin"), Type::Heartbeat);
        QCOMPARE(h.maxSchema, 3u);
        QCOMPARE(h.version, QStringLiteral("2.6.1"));
        QCOMPARE(h.revision, QString());
    }

    void status() {
        const auto s = bodyOf<Status>(recorded("status.bin"), Type::Status);
        QCOMPARE(s.dialFrequency, 14074000u);
        QCOMPARE(s.mode, QStringLiteral("FT8"));
        QCOMPARE(s.dxCall, QStringLiteral("ZS6ABC"));
        QCOMPARE(s.report, QStringLiteral("-15"));
        QCOMPARE(s.txMode, QStringLiteral("FT8"));
        QVERIFY(!s.txEnabled && !s.transmitting && !s.decoding && !s.txWatchdog && !s.fastMode);
        QCOMPARE(s.rxDf, 1500u);
        QCOMPARE(s.txDf, 1500u);
        QCOMPARE(s.deCall, QStringLiteral("DL1XYZ"));
        QCOMPARE(s.deGrid, QStringLiteral("JO31"));
        QCOMPARE(s.dxGrid, QStringLiteral("KG33"));
        QCOMPARE(s.subMode, QString());
        QCOMPARE(s.specialOperationMode, quint8(0));
        QCOMPARE(s.frequencyTolerance, 0xffffffffu);
        QCOMPARE(s.trPeriod, 0xffffffffu);
        QCOMPARE(s.configurationName, QStringLiteral("Default"));
        QCOMPARE(s.txMessage, QString());
    }

    void qsoLogged() {
        const auto q = bodyOf<QsoLogged>(recorded("qsologged.bin"), Type::QsoLogged);
        QCOMPARE(q.timeOff, loggedAt());
        QCOMPARE(q.timeOn, loggedAt());
        QCOMPARE(q.dxCall, QStringLiteral("ZS6ABC"));
        QCOMPARE(q.dxGrid, QStringLiteral("KG33"));
        QCOMPARE(q.txFrequency, 14075500u);
        QCOMPARE(q.mode, QStringLiteral("FT8"));
        QCOMPARE(q.reportSent, QStringLiteral("-15"));
        QCOMPARE(q.reportReceived, QStringLiteral("-09"));
        QCOMPARE(q.txPower, QStringLiteral("50W"));
        QCOMPARE(q.comments, QStringLiteral("erstes FT8 QSO"));
        QCOMPARE(q.name, QStringLiteral("Hans"));
        QCOMPARE(q.operatorCall, QString());
        QCOMPARE(q.myCall, QStringLiteral("DL1XYZ"));
        QCOMPARE(q.myGrid, QStringLiteral("JO31"));
        QCOMPARE(q.exchangeSent, QString());
        QCOMPARE(q.exchangeReceived, QString());
        QCOMPARE(q.propagationMode, QString());
    }

    // What a stand-in for WSJT-X sends is byte for byte what WSJT-X sent.
    void encodedAsRecorded() {
        const QByteArray real = recorded("qsologged.bin");
        const auto q = bodyOf<QsoLogged>(real, Type::QsoLogged);
        QCOMPARE(encodeQsoLogged(QStringLiteral("WSJT-X - dalutest"), q).size(), real.size());
    }

    void loggedAdif() {
        const auto a = bodyOf<LoggedAdif>(recorded("loggedadif.bin"), Type::LoggedAdif);
        QVERIFY(
            a.adif.startsWith("\n<adif_ver:5>3.1.0\n<programid:6>WSJT-X\n<EOH>\n<call:6>ZS6ABC"));
        QVERIFY(a.adif.endsWith("<comment:14>erstes FT8 QSO <name:4>Hans <EOR>"));
    }

    // Every shortened form of a real message is refused as cut, never read past its end.
    void everyTruncationIsCounted() {
        for (const char* name :
             {"heartbeat.bin", "status.bin", "qsologged.bin", "loggedadif.bin"}) {
            const QByteArray whole = recorded(name);
            DecodeCounts counts;
            // Status and QSO logged end in a field older senders leave out.
            const bool optionalTail =
                QByteArray(name) == "status.bin" || QByteArray(name) == "qsologged.bin";
            for (int n = 12; n < whole.size(); ++n)
                QVERIFY2(!counts.decode(whole.left(n)) || (optionalTail && n == whole.size() - 4),
                         name);
            QVERIFY(counts.decode(whole));
            QVERIFY(counts.truncated > 0);
        }
    }

    void refused_data() {
        columns<QByteArray, int>("datagram", "reason");
        const QByteArray status = recorded("status.bin");
        QByteArray schema1 = status;
        schema1[7] = 1;
        QByteArray type99 = status;
        type99[11] = 99;
        QByteArray longString = recorded("loggedadif.bin");
        longString.replace(33, 4, QByteArray::fromHex("7fffffff"));
        QTest::newRow("empty") << QByteArray() << int(Rejection::NotProtocol);
        QTest::newRow("other magic")
            << QByteArray("GET / HTTP/1.0\r\n") << int(Rejection::NotProtocol);
        QTest::newRow("schema 1") << schema1 << int(Rejection::WrongSchema);
        QTest::newRow("unknown type") << type99 << int(Rejection::UnknownType);
        QTest::newRow("magic only") << status.left(6) << int(Rejection::Truncated);
        QTest::newRow("string longer than datagram") << longString << int(Rejection::Truncated);
        QTest::newRow("oversized")
            << status + QByteArray(kMaxDatagram, 'x') << int(Rejection::Oversized);
    }
    void refused() {
        Rejection why = Rejection::None;
        QVERIFY(!decode(fetched<QByteArray>("datagram"), &why));
        QCOMPARE(int(why), fetched<int>("reason"));
    }

    // A later schema may append fields: what is known is still read.
    void trailingFieldsAreSkipped() {
        QVERIFY(decode(recorded("qsologged.bin") + QByteArray(8, '\0')));
    }

    void replyRoundTrip() {
        Reply r;
        r.time = QTime(12, 30, 15);
        r.snr = -17;
        r.deltaTime = 0.3;
        r.deltaFrequency = 1234;
        r.mode = QStringLiteral("~");
        r.message = QStringLiteral("CQ ZS6ABC KG33");
        r.modifiers = 0x02;
        const QByteArray bytes = encodeReply(QStringLiteral("WSJT-X"), r);
        QVERIFY(bytes.startsWith(QByteArray::fromHex("adbccbda0000000200000004000000065753")));
        const auto back = decodeReply(bytes);
        QVERIFY(back);
        QCOMPARE(back->time, r.time);
        QCOMPARE(back->snr, r.snr);
        QCOMPARE(back->deltaTime, r.deltaTime);
        QCOMPARE(back->deltaFrequency, r.deltaFrequency);
        QCOMPARE(back->message, r.message);
        QCOMPARE(back->modifiers, r.modifiers);
    }

    void highlightBytes() {
        const QByteArray bytes = encodeHighlight(QStringLiteral("J"), QStringLiteral("K1A"),
                                                 Colour{true, 255, 0, 128}, Colour{}, true);
        QCOMPARE(bytes.mid(12).toHex(), QByteArray("000000014a"
                                                   "000000034b3141"
                                                   "01ffffffff000080800000"
                                                   "0000000000000000000000"
                                                   "01"));
        QCOMPARE(encodeReplay(QStringLiteral("J")).size(), 17);
        QCOMPARE(encodeLocation(QStringLiteral("J"), QStringLiteral("JO31")).mid(17),
                 QByteArray("\0\0\0\4JO31", 8));
    }

    void qsoFromMessage_data() {
        columns<int, QByteArray, QByteArray>("time", "date", "utc");
        QTest::newRow("start") << int(WsjtxQso::TimeOf::Start) << QByteArray("08.12.2026")
                               << QByteArray("00:18:58");
        QTest::newRow("end, past midnight")
            << int(WsjtxQso::TimeOf::End) << QByteArray("09.12.2026") << QByteArray("00:01:02");
    }
    void qsoFromMessage() {
        const auto time = WsjtxQso::TimeOf(fetched<int>("time"));
        // The recorded QSO ended as it began; here it ends the next day.
        const QDateTime end(QDate(2026, 12, 9), QTime(0, 1, 2), Qt::UTC);
        auto q = bodyOf<QsoLogged>(recorded("qsologged.bin"), Type::QsoLogged);
        q.timeOff = end;
        const TQsoRecord fromMessage = WsjtxQso::fromLogged(q, time);
        const QByteArray line = QsoLine::join(fromMessage);
        QCOMPARE(line, ";" + fetched<QByteArray>("date") + ";" + fetched<QByteArray>("utc") +
                           ";20m;FT8;ZS6ABC;-15;-09;;Hans;;KG33;50W;erstes FT8 QSO;;");
        auto a = bodyOf<LoggedAdif>(recorded("loggedadif.bin"), Type::LoggedAdif);
        a.adif.replace("<qso_date_off:8>20261208 <time_off:6>001858",
                       "<qso_date_off:8>20261209 <time_off:6>000102");
        const auto fromAdif = WsjtxQso::fromAdif(a.adif, time);
        QVERIFY(fromAdif);
        QCOMPARE(QsoLine::join(*fromAdif), line);
        WsjtxQso::RecentQsos recent;
        QVERIFY(recent.take(fromMessage));
        QVERIFY(!recent.take(*fromAdif));
    }

    void qsoMapping_data() {
        columns<quint64, QString, QString, QByteArray>("hz", "mode", "power", "expected");
        QTest::newRow("40m FT4, power without unit")
            << quint64(7047500) << QStringLiteral("FT4") << QStringLiteral("10")
            << QByteArray(";02.01.2026;23:59:59;40m;FT4;EA8/DL1ABC;;;;;;IL18QI;10W;;;");
        QTest::newRow("outside every band")
            << quint64(11000000) << QStringLiteral("JS8") << QString()
            << QByteArray(";02.01.2026;23:59:59;11,000000;JS8;EA8/DL1ABC;;;;;;IL18QI;;;;");
    }
    void qsoMapping() {
        QsoLogged q;
        q.timeOn = q.timeOff = QDateTime(QDate(2026, 1, 2), QTime(23, 59, 59), Qt::UTC);
        q.txFrequency = fetched<quint64>("hz");
        q.mode = fetched<QString>("mode");
        q.txPower = fetched<QString>("power");
        q.dxCall = QStringLiteral("ea8/dl1abc");
        q.dxGrid = QStringLiteral("il18qi12");
        QCOMPARE(QsoLine::join(WsjtxQso::fromLogged(q, WsjtxQso::TimeOf::Start)),
                 fetched<QByteArray>("expected"));
    }

    void cqCaller_data() {
        columns<QString, QString>("message", "caller");
        QTest::newRow("plain") << "CQ K1ABC FN42"
                               << "K1ABC FN42";
        QTest::newRow("directed") << "CQ DX EA8/DL1ABC IL18"
                                  << "EA8/DL1ABC IL18";
        QTest::newRow("no grid") << "CQ POTA W1AW/7"
                                 << "W1AW/7 ";
        QTest::newRow("RR73 is no grid") << "CQ K1ABC RR73"
                                         << "K1ABC ";
        QTest::newRow("answer, not CQ") << "DL1XYZ K1ABC -12"
                                        << "";
        QTest::newRow("CQ alone") << "CQ"
                                  << "";
    }
    void cqCaller() {
        const auto c = DecodeValue::cqCaller(fetched<QString>("message"));
        QCOMPARE(c ? c->call + ' ' + c->grid : QString(), fetched<QString>("caller"));
    }

    void valueToTheLog_data() {
        columns<QString, QString, QString, int>("call", "grid", "band", "value");
        QTest::newRow("confirmed on band and mode") << "K1ABC"
                                                    << "FN42"
                                                    << "20m" << int(DecodeValue::Value::Confirmed);
        QTest::newRow("worked there, not confirmed")
            << "K2XY"
            << "FN31"
            << "20m" << int(DecodeValue::Value::WorkedBefore);
        QTest::newRow("entity not worked") << "JA1ZZ"
                                           << "PM95"
                                           << "20m" << int(DecodeValue::Value::NewDxcc);
        QTest::newRow("entity not on this band") << "K3QQ"
                                                 << "FN42"
                                                 << "40m" << int(DecodeValue::Value::NewOnBand);
        QTest::newRow("new square") << "K3QQ"
                                    << "EM10"
                                    << "20m" << int(DecodeValue::Value::NewSquare);
        QTest::newRow("new station, nothing else") << "K3QQ"
                                                   << "FN42"
                                                   << "20m" << int(DecodeValue::Value::New);
    }
    void valueToTheLog() {
        DecodeValue::Index index([](const QString& call) {
            return call.startsWith('K') ? QStringLiteral("USA") : QStringLiteral("Japan");
        });
        const auto qso = [](const char* call, const char* loc, const char* qslIn) {
            TQsoRecord r;
            r[QsoField::Call] = call;
            r[QsoField::Band] = "20m";
            r[QsoField::Mode] = "FT8";
            r[QsoField::Locator] = loc;
            r[QsoField::QslIn] = qslIn;
            return r;
        };
        index.add(qso("K1ABC", "FN42AB", "01.01.2026"));
        index.add(qso("K2XY", "FN31", ""));
        const DecodeValue::Caller caller{fetched<QString>("call"), fetched<QString>("grid")};
        QCOMPARE(int(index.valueOf(caller, fetched<QString>("band"), "ft8")),
                 fetched<int>("value"));
    }
};

QTEST_GUILESS_MAIN(TestWsjtx)
#include "tst_wsjtx.moc"
