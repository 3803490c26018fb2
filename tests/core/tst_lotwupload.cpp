// Uploads for LoTW and eQSL: the file of the QSOs not yet handed over, what is remembered,
// and the real tqsl refusing for want of a certificate and station location.
#include "confirmreport.h"
#include "coretest.h"
#include "logbuilder.h"
#include "lotwupload.h"
#include "tempprogramdir.h"

namespace {

QList<TQsoRecord> threeQsos() {
    QList<TQsoRecord> qsos = LogBuilder::qsos(3);
    qsos[0][QsoField::Mode] = "FT4";
    qsos[0][QsoField::Band] = "2200m";
    qsos[1][QsoField::Mode] = "CW";
    qsos[2][QsoField::Mode] = "SSB";
    return qsos;
}

} // namespace

class TestLotwUpload : public QObject {
    Q_OBJECT
private slots:
    void exportsWhatIsNotUploadedYet() {
        TempProgramDir dir;
        const QString log = dir.file("up.log");
        LogBuilder::writeLog(log, threeQsos());
        const QString adi = dir.file("up.adi");
        LotwUpload::Exported first = LotwUpload::exportPending(log, adi, ConfirmSource::LotwSent);
        QCOMPARE(int(first.qsos.size()), 3);
        const QByteArray file = dir.readFile("up.adi");
        QVERIFY(file.contains("<MODE:4>MFSK <SUBMODE:3>FT4 "));
        QVERIFY(file.contains("<BAND:5>2190m "));
        QCOMPARE(int(file.count("<EOR>")), 3);
        // The file reads back as the same QSOs.
        int read = 0;
        const QList<TQsoRecord> written = threeQsos();
        AdifReader::read(file, [&](TQsoRecord& r) {
            const TQsoRecord& want = written[read++];
            QCOMPARE(r[QsoField::Call], want[QsoField::Call]);
            QCOMPARE(r[QsoField::Mode], want[QsoField::Mode]);
            QCOMPARE(r[QsoField::Utc], want[QsoField::Utc]);
        });
        QCOMPARE(read, 3);

        LotwUpload::markSent(log, first.qsos.mid(0, 2), ConfirmSource::LotwSent);
        QCOMPARE(LotwUpload::exportPending(log, adi, ConfirmSource::LotwSent).qsos.size(),
                 qsizetype(1));
        // eQSL keeps its own account; a chosen range ignores what was sent.
        QCOMPARE(LotwUpload::exportPending(log, adi, ConfirmSource::EqslSent).qsos.size(),
                 qsizetype(3));
        const auto range = LotwUpload::exportPending(log, adi, ConfirmSource::LotwSent, 1, 2);
        QCOMPARE(int(range.qsos.size()), 2);
        // Uploads do not count as confirmations.
        const QList<Confirmation> held = ConfirmFile::load(ConfirmFile::pathFor(log));
        QVERIFY(!ConfirmedBy(ConfirmRule::PaperLotwEqsl, held).electronic("1"));
    }

    // The real tqsl without a certificate or station location: its message comes back and
    // no QSO is marked as uploaded.
    void failingTqslMarksNothing() {
        TempProgramDir dir;
        QProcess xvfb;
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            // tqsl is a GUI program even in batch mode: it needs a display.
            xvfb.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            QVERIFY2(xvfb.waitForStarted(), "Xvfb cannot be started");
            QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 20000);
            qputenv("DISPLAY", ':' + xvfb.readLine().trimmed());
        }
        // No certificate and no station location: a home of its own.
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", dir.path().toLocal8Bit());
        const QString log = dir.file("up.log");
        LogBuilder::writeLog(log, threeQsos());
        const LotwUpload::UploadResult result =
            LotwUpload::uploadPending(log, dir.file("up.adi"), QStringLiteral("Dalu Test Location"),
                                      QStringLiteral("tqsl"), 60000);
        qputenv("HOME", home);
        if (xvfb.state() != QProcess::NotRunning) {
            qunsetenv("DISPLAY");
            xvfb.kill();
            xvfb.waitForFinished();
        }
        QVERIFY2(result.answer.started, qPrintable(result.answer.message));
        QCOMPARE(int(result.exported.qsos.size()), 3);
        QVERIFY(!result.answer.succeeded);
        QVERIFY(!result.marked);
        QVERIFY2(result.answer.exitCode > 0, qPrintable(result.answer.message));
        QVERIFY2(
            result.answer.message.contains(QStringLiteral("location"), Qt::CaseInsensitive) ||
                result.answer.message.contains(QStringLiteral("certificate"), Qt::CaseInsensitive),
            qPrintable(result.answer.message));
        QVERIFY(ConfirmFile::load(ConfirmFile::pathFor(log)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLotwUpload)
#include "tst_lotwupload.moc"
