#pragma once

#include "adifreader.h"
#include "compactqso.h"
#include "confirmations.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QStringList>

class TMemIniFile;

// Confirmation reports: a LoTW report (a text preamble, then ADIF with QSL_RCVD, QSLRDATE
// and APP_LoTW_* fields) or an eQSL inbox download, matched against the log.
namespace ConfirmReport {

struct ReportQso {
    qint64 record = 0; // position among the report's confirmations, from 1
    QByteArray call;   // upper case
    QByteArray band;   // as the log writes it (lower case)
    QByteArray mode;   // the log's mode (MFSK + FT4 is FT4)
    QByteArray date;   // dd.mm.yyyy
    QByteArray utc;    // hh:nn:ss
    QByteArray on;     // date of the confirmation, dd.mm.yyyy
};

struct Report {
    ConfirmSource source = ConfirmSource::Lotw;
    QList<ReportQso> qsos;
    qint64 notConfirmed = 0; // LoTW records without QSL_RCVD Y (a report of all uploads)
    AdifReader::ReadResult adif;
};

// LoTW when the data carry LoTW's own fields, else eQSL. A confirmation without a date of
// its own is dated today.
Report read(QByteArrayView data, QDate today = QDate::currentDate());

enum class ModeGroup { Cw, Phone, Data };
ModeGroup modeGroup(QByteArrayView mode);

struct Outcome {
    QList<Confirmation> confirmations; // one for each report QSO that found a QSO
    QList<ReportQso> unmatched;
    QList<ReportQso> ambiguous; // more than one candidate: the nearest in time was taken
};

// A report QSO matches a log QSO of the same call, band and mode group whose start lies
// within 30 minutes on the same UTC date. A report call with a portable prefix or suffix
// also matches the log's call without it when the log has no QSO with the whole call; the
// report decides: a plain report call never matches a portable one in the log. Each report
// QSO confirms one log QSO at most, preferring one not yet confirmed by this report.
Outcome match(const Report& report, const QList<CompactQso>& log);

struct ImportResult {
    ConfirmSource source = ConfirmSource::Lotw;
    qint64 reportQsos = 0;
    qint64 added = 0; // confirmations the side file did not hold yet
    Outcome outcome;
    qint64 notConfirmed = 0;
    qint64 skippedRecords = 0;

    // Lines for the operator: the counts, then every unmatched and ambiguous QSO.
    QStringList lines() const;
};

// Reads the log, matches the report and adds what it confirms to the log's side file.
// Throws DaluError when the log or the side file cannot be read or written.
ImportResult importInto(const QString& logPath, QByteArrayView reportData,
                        QDate today = QDate::currentDate());

// The same for a report file; a report that cannot be read throws DaluError.
ImportResult importFile(const QString& logPath, const QString& reportPath);

// Which confirmations count, as the options page sets it.
ConfirmRule ruleOf(const TMemIniFile& ini);
// The QSOs of the log confirmed by the rule: its side file read and attached to the log
// (which is read for it unless given). Paper only reads nothing.
ConfirmedBy confirmedBy(ConfirmRule rule, const QString& logPath);
ConfirmedBy confirmedBy(ConfirmRule rule, const QString& logPath, const QList<CompactQso>& log);
// The QSL out list without the QSOs confirmed in LoTW or eQSL, when the settings ask so.
QList<int> withoutConfirmed(QList<int> positions, const QList<CompactQso>& log,
                            const TMemIniFile& ini, const QString& logPath);

// Every QSO of the log, as the matcher and the side file need them.
QList<CompactQso> readLog(const QString& logPath);

} // namespace ConfirmReport
