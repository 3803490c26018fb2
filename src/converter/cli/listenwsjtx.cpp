#include "listenwsjtx.h"

#include "daluerror.h"
#include "duplicatecheck.h"
#include "filelock.h"
#include "logfile.h"
#include "meminifile.h"
#include "programdir.h"
#include "settingskeys.h"
#include "wsjtxreceiver.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QList>
#include <QTimer>

#include <csignal>

namespace ConvertCli {
namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void stopListening(int) {
    g_stop = 1;
}

// What the duplicate check compares, of every QSO of the log.
struct Known {
    QString call, band, mode, date;
};

Known knownOf(const TQsoRecord& rec) {
    return {QString::fromLatin1(rec[QsoField::Call]), QString::fromLatin1(rec[QsoField::Band]),
            QString::fromLatin1(rec[QsoField::Mode]), QString::fromLatin1(rec[QsoField::Date])};
}

} // namespace

int listenWsjtx(const QString& log, QTextStream& out, QTextStream& err) {
    if (!QFileInfo(log).isFile())
        throw DaluError(QStringLiteral("\"%1\" is no log file").arg(log));
    const LogOpenLock lock(log);
    if (!lock.acquired()) {
        err << "dalu-convert: \"" << log << "\" is open in a running Dalu\n";
        return 1;
    }
    const TMemIniFile ini(programDirectory() + QLatin1String(SettingsKeys::kFileName));
    const auto criteria =
        DuplicateCheck::parseOptions(SettingsKeys::read(ini, SettingsKeys::DoppelCheckOptions))
            .criteria;
    TLogFile file(log);
    QList<Known> known;
    file.forEachRecord([&](const TQsoRecord& rec) { known.append(knownOf(rec)); });

    WsjtxReceiver receiver;
    const WsjtxEndpoint endpoint = wsjtxEndpointOf(ini);
    receiver.start(endpoint);
    out << "Listening on " << endpoint.address << ":" << endpoint.port << " for " << log << "\n";
    out.flush();
    int logged = 0;
    QObject::connect(&receiver, &WsjtxReceiver::qsoArrived, [&](const TQsoRecord& rec) {
        const Known k = knownOf(rec);
        const int duplicate =
            DuplicateCheck::firstDuplicate(criteria, {k.call, k.band, k.mode, k.date},
                                           int(known.size()) + 1, [&known](int row, QsoField f) {
                                               const Known& q = known.at(row - 1);
                                               return f == QsoField::Call   ? q.call
                                                      : f == QsoField::Band ? q.band
                                                      : f == QsoField::Mode ? q.mode
                                                                            : q.date;
                                           });
        int n = 0;
        try {
            n = file.AppendNext(rec);
        } catch (const DaluError& e) {
            // Not thrown through the event loop: the command ends with the error instead.
            err << "dalu-convert: " << e.message() << "\n";
            QCoreApplication::exit(1);
            return;
        }
        known.append(k);
        ++logged;
        out << "QSO " << n << ": " << k.call << " " << k.date << " "
            << QString::fromLatin1(rec[QsoField::Utc]) << " " << k.band << " " << k.mode;
        if (duplicate > 0)
            out << " (duplicate of QSO " << duplicate << ")";
        out << "\n";
        out.flush();
    });
    g_stop = 0;
    std::signal(SIGINT, stopListening);
    std::signal(SIGTERM, stopListening);
    // The signal only sets a flag; the loop looks at it, so a QSO being written is finished.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        if (g_stop)
            QCoreApplication::quit();
    });
    watch.start(100);
    const int status = QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    out << "Stopped; " << logged << " QSOs logged, " << receiver.counts().ignored()
        << " datagrams ignored\n";
    return status;
}

} // namespace ConvertCli
