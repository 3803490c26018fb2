#pragma once

#include "compactqso.h"
#include "confirmations.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

// Uploads to LoTW (signed by TQSL) and eQSL: an ADIF file of the QSOs not yet handed over,
// and the mark that they were, kept in the log's confirmation file.
namespace LotwUpload {

// The QSOs numbered from .. to (0: no bound); with neither bound, those without an entry
// of the source sent (LoTW-out or eQSL-out) in held. Unreadable dates or times are left
// out: LoTW would refuse the whole file.
QList<CompactQso> pending(const QList<CompactQso>& log, const QList<Confirmation>& held,
                          ConfirmSource sent, int from = 0, int to = 0);

// CALL, BAND, MODE and SUBMODE by the standard's names, QSO_DATE and TIME_ON.
QByteArray adif(const QList<CompactQso>& qsos);

struct Exported {
    QString path;
    QList<CompactQso> qsos;
};

// Writes the ADIF file of the pending QSOs (through a temporary file); marks nothing.
Exported exportPending(const QString& logPath, const QString& adifPath, ConfirmSource sent,
                       int from = 0, int to = 0);

// Notes in the log's confirmation file that the QSOs were handed over today.
void markSent(const QString& logPath, const QList<CompactQso>& qsos, ConfirmSource sent,
              QDate today = QDate::currentDate());

struct TqslAnswer {
    bool started = false;
    bool succeeded = false; // everything signed and uploaded (or already in LoTW)
    int exitCode = -1;
    QString message; // what tqsl said, without the toolkit's chatter
};

// Runs tqsl in batch mode: sign the file with the station location and upload it. Waits
// up to timeoutMs and then stops it (a failure). A program that cannot be started gives
// started false.
TqslAnswer runTqsl(const QString& adifPath, const QString& location,
                   const QString& program = QStringLiteral("tqsl"), int timeoutMs = 300000);

struct UploadResult {
    Exported exported;
    TqslAnswer answer;
    bool marked = false; // the QSOs are noted as uploaded: only when tqsl succeeded
};

// Exports the QSOs not yet uploaded to adifPath and hands the file to tqsl; marks them
// uploaded only when tqsl says it succeeded. Nothing to upload runs no tqsl.
UploadResult uploadPending(const QString& logPath, const QString& adifPath, const QString& location,
                           const QString& program = QStringLiteral("tqsl"), int timeoutMs = 300000);

} // namespace LotwUpload
