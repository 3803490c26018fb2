#include "confirmreport.h"

#include "cp1252.h"
#include "daluerror.h"
#include "germanformat.h"
#include "logfile.h"
#include "settingskeys.h"
#include "uitexts.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace ConfirmReport {

namespace {

// The date AdifReader gives a QSL_RCVD Y that came without a date.
constexpr QByteArrayView kUndatedReceipt = "01.01.1901";
constexpr int kWindowSeconds = 30 * 60;

QByteArrayView field(const CompactQso& q, QsoField f) {
    return q.field(int(f));
}

// The call without its portable prefix or suffix: the longest of its parts.
QByteArray baseCall(const QByteArray& call) {
    QByteArray best;
    for (const QByteArray& part : call.split('/')) {
        if (part.size() > best.size())
            best = part;
    }
    return best;
}

// Seconds since the start of the day's date, and the day, for a date and time as the log
// writes them; nothing for what cannot be read.
struct Start {
    QDate day;
    int seconds = 0;
};

std::optional<Start> startOf(QByteArrayView date, QByteArrayView utc) {
    const std::optional<QDate> day = GermanFormat::parseDate(date);
    const std::optional<QTime> time = GermanFormat::parseTime(utc);
    if (!day || !time)
        return std::nullopt;
    return Start{*day, time->msecsSinceStartOfDay() / 1000};
}

QString describe(const ReportQso& q) {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(fromCp1252(q.call), fromCp1252(q.date), fromCp1252(q.utc), fromCp1252(q.band),
             fromCp1252(q.mode));
}

} // namespace

Report read(QByteArrayView data, QDate today) {
    Report report;
    const bool lotw = data.contains("APP_LoTW_") || data.contains("APP_LOTW_") ||
                      data.contains("app_lotw_") || data.contains(">LoTW");
    report.source = lotw ? ConfirmSource::Lotw : ConfirmSource::Eqsl;
    const QByteArray todayText = GermanFormat::formatDate(today);
    qint64 records = 0;
    report.adif = AdifReader::read(data, [&](TQsoRecord& rec) {
        const QByteArray& received = rec[QsoField::QslIn];
        // An eQSL inbox holds only received cards; a LoTW report may list unconfirmed QSOs.
        if (lotw && received.isEmpty()) {
            ++report.notConfirmed;
            return;
        }
        ReportQso q;
        q.record = ++records;
        q.call = rec[QsoField::Call];
        q.band = rec[QsoField::Band];
        q.mode = rec[QsoField::Mode];
        q.date = rec[QsoField::Date];
        q.utc = rec[QsoField::Utc];
        q.on = received.isEmpty() || received == kUndatedReceipt ? todayText : received;
        report.qsos.append(std::move(q));
    });
    return report;
}

ModeGroup modeGroup(QByteArrayView mode) {
    static const QByteArrayView kPhone[] = {"SSB",   "USB",    "LSB",          "AM",
                                            "FM",    "DV",     "DIGITALVOICE", "C4FM",
                                            "DSTAR", "FREEDV", "M17",          "DMR"};
    const QByteArray upper = mode.trimmed().toByteArray().toUpper();
    if (upper == "CW")
        return ModeGroup::Cw;
    for (QByteArrayView phone : kPhone) {
        if (upper == phone)
            return ModeGroup::Phone;
    }
    return ModeGroup::Data;
}

Outcome match(const Report& report, const QList<CompactQso>& log) {
    QHash<QByteArray, QList<int>> byCall;
    byCall.reserve(log.size());
    for (int i = 0; i < log.size(); ++i)
        byCall[field(log[i], QsoField::Call).toByteArray().toUpper()].append(i);
    QHash<int, bool> taken;
    Outcome outcome;
    for (const ReportQso& r : report.qsos) {
        const std::optional<Start> start = startOf(r.date, r.utc);
        auto found = byCall.constFind(r.call);
        if (found == byCall.constEnd() && r.call.contains('/'))
            found = byCall.constFind(baseCall(r.call));
        int candidates = 0;
        int best = -1;
        int bestDistance = std::numeric_limits<int>::max();
        const ModeGroup group = modeGroup(r.mode);
        for (const int i : found == byCall.constEnd() ? QList<int>() : *found) {
            const CompactQso& q = log[i];
            if (!start || field(q, QsoField::Band).compare(r.band, Qt::CaseInsensitive) != 0 ||
                modeGroup(field(q, QsoField::Mode)) != group)
                continue;
            const std::optional<Start> logged =
                startOf(field(q, QsoField::Date), field(q, QsoField::Utc));
            if (!logged || logged->day != start->day)
                continue;
            const int distance = std::abs(logged->seconds - start->seconds);
            if (distance > kWindowSeconds)
                continue;
            ++candidates;
            // A QSO this report confirmed already yields to one it did not.
            const int rank = distance + (taken.contains(i) ? 2 * kWindowSeconds : 0);
            if (rank < bestDistance) {
                bestDistance = rank;
                best = i;
            }
        }
        if (best < 0) {
            outcome.unmatched.append(r);
            continue;
        }
        if (candidates > 1)
            outcome.ambiguous.append(r);
        taken.insert(best, true);
        const CompactQso& q = log[best];
        Confirmation c;
        c.number = int(GermanFormat::parseInteger(field(q, QsoField::Number)).value_or(best + 1));
        c.date = field(q, QsoField::Date).toByteArray();
        c.utc = field(q, QsoField::Utc).toByteArray();
        c.call = field(q, QsoField::Call).toByteArray();
        c.source = report.source;
        c.on = r.on;
        outcome.confirmations.append(std::move(c));
    }
    return outcome;
}

ConfirmRule ruleOf(const TMemIniFile& ini) {
    const int rule = SettingsKeys::read(ini, SettingsKeys::LotwConfirmedBy);
    return ConfirmRule(std::clamp(rule, 0, int(ConfirmRule::PaperLotwEqsl)));
}

ConfirmedBy confirmedBy(ConfirmRule rule, const QString& logPath, const QList<CompactQso>& log) {
    if (rule == ConfirmRule::Paper || !QFile::exists(ConfirmFile::pathFor(logPath)))
        return {};
    QList<Confirmation> list = ConfirmFile::load(ConfirmFile::pathFor(logPath));
    ConfirmFile::attach(list, log);
    return ConfirmedBy(rule, list);
}

ConfirmedBy confirmedBy(ConfirmRule rule, const QString& logPath) {
    if (rule == ConfirmRule::Paper || !QFile::exists(ConfirmFile::pathFor(logPath)))
        return {};
    return confirmedBy(rule, logPath, readLog(logPath));
}

QList<int> withoutConfirmed(QList<int> positions, const QList<CompactQso>& log,
                            const TMemIniFile& ini, const QString& logPath) {
    if (!SettingsKeys::read(ini, SettingsKeys::QslSkipElectronic) ||
        !QFile::exists(ConfirmFile::pathFor(logPath)))
        return positions;
    const ConfirmedBy electronic = confirmedBy(ConfirmRule::PaperLotwEqsl, logPath, log);
    positions.removeIf([&](int position) {
        return electronic.electronic(log.at(position - 1).field(int(QsoField::Number)));
    });
    return positions;
}

QList<CompactQso> readLog(const QString& logPath) {
    QList<CompactQso> qsos;
    TLogFile log(logPath);
    log.forEachLine([&](const QByteArray& line, const QsoLine::FieldStarts& starts) {
        qsos.append(CompactQso(line, starts));
    });
    return qsos;
}

ImportResult importInto(const QString& logPath, QByteArrayView reportData, QDate today) {
    const Report report = read(reportData, today);
    const QList<CompactQso> log = readLog(logPath);
    ImportResult result;
    result.source = report.source;
    result.reportQsos = report.qsos.size();
    result.notConfirmed = report.notConfirmed;
    result.skippedRecords = report.adif.skippedCount;
    result.outcome = match(report, log);
    ConfirmFile::update(ConfirmFile::pathFor(logPath), [&](QList<Confirmation>& list) {
        ConfirmFile::attach(list, log);
        QHash<QPair<int, int>, bool> held;
        for (const Confirmation& c : list)
            held.insert({c.number, int(c.source)}, true);
        for (const Confirmation& c : result.outcome.confirmations) {
            if (held.contains({c.number, int(c.source)}))
                continue;
            held.insert({c.number, int(c.source)}, true);
            list.append(c);
            ++result.added;
        }
    });
    return result;
}

ImportResult importFile(const QString& logPath, const QString& reportPath) {
    QFile file(reportPath);
    if (!file.open(QIODevice::ReadOnly))
        throw DaluError::io(uiText("Fehler beim \u00d6ffnen von"), reportPath, file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DaluError::io(uiText("Fehler beim \u00d6ffnen von"), reportPath, file.errorString());
    return importInto(logPath, data);
}

QStringList ImportResult::lines() const {
    QStringList lines;
    lines << uiText("Quelle: %1").arg(QString::fromLatin1(ConfirmFile::sourceText(source)))
          << uiText("Best\u00e4tigungen im Bericht: %1").arg(reportQsos)
          << uiText("Zugeordnet: %1 (neu: %2)").arg(outcome.confirmations.size()).arg(added)
          << uiText("Nicht zugeordnet: %1").arg(outcome.unmatched.size())
          << uiText("Mehrdeutig: %1").arg(outcome.ambiguous.size());
    if (notConfirmed > 0)
        lines << uiText("Nicht best\u00e4tigt (\u00fcbergangen): %1").arg(notConfirmed);
    if (skippedRecords > 0)
        lines << uiText("Unlesbare Datens\u00e4tze: %1").arg(skippedRecords);
    for (const ReportQso& q : outcome.unmatched)
        lines << uiText("Nicht zugeordnet: %1").arg(describe(q));
    for (const ReportQso& q : outcome.ambiguous)
        lines << uiText("Mehrdeutig: %1").arg(describe(q));
    return lines;
}

} // namespace ConfirmReport
