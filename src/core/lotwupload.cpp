#include "lotwupload.h"

#include "adifnames.h"
#include "adifwriter.h"
#include "atomicfilewriter.h"
#include "confirmreport.h"
#include "germanformat.h"
#include "uitexts.h"

#include <QHash>
#include <QProcess>

namespace LotwUpload {

namespace {

QByteArrayView field(const CompactQso& q, QsoField f) {
    return q.field(int(f));
}

void tag(QByteArray& out, const char* name, const QByteArray& value) {
    if (!value.isEmpty())
        out += '<' + QByteArray(name) + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
}

QByteArray keyOf(const CompactQso& q) {
    return field(q, QsoField::Date).toByteArray() + ';' + field(q, QsoField::Utc).toByteArray() +
           ';' + field(q, QsoField::Call).toByteArray().toUpper();
}

} // namespace

QList<CompactQso> pending(const QList<CompactQso>& log, const QList<Confirmation>& held,
                          ConfirmSource sent, int from, int to) {
    QHash<QByteArray, bool> done;
    if (from == 0 && to == 0) {
        for (const Confirmation& c : held) {
            if (c.source == sent)
                done.insert(c.date + ';' + c.utc + ';' + c.call.toUpper(), true);
        }
    }
    QList<CompactQso> result;
    for (const CompactQso& q : log) {
        const long long n = GermanFormat::parseInteger(field(q, QsoField::Number)).value_or(0);
        if ((from > 0 && n < from) || (to > 0 && n > to) || done.contains(keyOf(q)))
            continue;
        if (GermanFormat::parseDate(field(q, QsoField::Date)) &&
            GermanFormat::parseTime(field(q, QsoField::Utc)) && !field(q, QsoField::Call).isEmpty())
            result.append(q);
    }
    return result;
}

QByteArray adif(const QList<CompactQso>& qsos) {
    QByteArray out = AdifWriter::header();
    for (const CompactQso& q : qsos) {
        const QDate date = *GermanFormat::parseDate(field(q, QsoField::Date));
        const QTime time = *GermanFormat::parseTime(field(q, QsoField::Utc));
        const AdifNames::AdifMode mode =
            AdifNames::modeToAdif(field(q, QsoField::Mode).toByteArray().toUpper());
        tag(out, "CALL", field(q, QsoField::Call).toByteArray().toUpper());
        tag(out, "BAND", AdifNames::bandToAdif(field(q, QsoField::Band).toByteArray().toLower()));
        tag(out, "MODE", mode.mode);
        tag(out, "SUBMODE", mode.submode);
        tag(out, "QSO_DATE", date.toString(QStringLiteral("yyyyMMdd")).toLatin1());
        tag(out, "TIME_ON", time.toString(QStringLiteral("hhmmss")).toLatin1());
        out += "<EOR>\r\n";
    }
    return out;
}

Exported exportPending(const QString& logPath, const QString& adifPath, ConfirmSource sent,
                       int from, int to) {
    const QList<CompactQso> log = ConfirmReport::readLog(logPath);
    Exported exported;
    exported.path = adifPath;
    exported.qsos = pending(log, ConfirmFile::load(ConfirmFile::pathFor(logPath)), sent, from, to);
    AtomicFileWriter writer(adifPath);
    writer.write(adif(exported.qsos));
    writer.commit();
    return exported;
}

void markSent(const QString& logPath, const QList<CompactQso>& qsos, ConfirmSource sent,
              QDate today) {
    if (qsos.isEmpty())
        return;
    const QByteArray on = GermanFormat::formatDate(today);
    ConfirmFile::update(ConfirmFile::pathFor(logPath), [&](QList<Confirmation>& list) {
        for (const CompactQso& q : qsos) {
            Confirmation c;
            c.number = int(GermanFormat::parseInteger(field(q, QsoField::Number)).value_or(0));
            c.date = field(q, QsoField::Date).toByteArray();
            c.utc = field(q, QsoField::Utc).toByteArray();
            c.call = field(q, QsoField::Call).toByteArray();
            c.source = sent;
            c.on = on;
            list.append(std::move(c));
        }
    });
}

TqslAnswer runTqsl(const QString& adifPath, const QString& location, const QString& program,
                   int timeoutMs) {
    TqslAnswer answer;
    QProcess tqsl;
    tqsl.setProcessChannelMode(QProcess::MergedChannels);
    // -d no dialogs, -u upload, -a compliant: sign what LoTW accepts, -x exit when done.
    tqsl.start(program, {QStringLiteral("-d"), QStringLiteral("-u"), QStringLiteral("-a"),
                         QStringLiteral("compliant"), QStringLiteral("-x"), QStringLiteral("-l"),
                         location, adifPath});
    if (!tqsl.waitForStarted()) {
        answer.message =
            uiText("%1 kann nicht gestartet werden: %2").arg(program, tqsl.errorString());
        return answer;
    }
    answer.started = true;
    const bool finished = tqsl.waitForFinished(timeoutMs);
    if (!finished) {
        tqsl.kill();
        tqsl.waitForFinished();
    }
    QStringList said;
    for (const QString& line : QString::fromLocal8Bit(tqsl.readAll()).split(QLatin1Char('\n'))) {
        // The GUI toolkit's warnings say nothing about the upload.
        const QString text = line.trimmed();
        if (!text.isEmpty() && !text.startsWith(QLatin1String("(tqsl:")))
            said.append(text);
    }
    if (!finished)
        said.append(uiText("tqsl antwortet nicht und wurde beendet."));
    answer.message = said.join(QLatin1Char('\n'));
    answer.exitCode = finished && tqsl.exitStatus() == QProcess::NormalExit ? tqsl.exitCode() : -1;
    // 9: some QSOs were in LoTW already, the others went up.
    answer.succeeded = answer.exitCode == 0 || answer.exitCode == 9;
    return answer;
}

UploadResult uploadPending(const QString& logPath, const QString& adifPath, const QString& location,
                           const QString& program, int timeoutMs) {
    UploadResult result;
    result.exported = exportPending(logPath, adifPath, ConfirmSource::LotwSent);
    if (result.exported.qsos.isEmpty())
        return result;
    result.answer = runTqsl(adifPath, location, program, timeoutMs);
    if (result.answer.succeeded) {
        markSent(logPath, result.exported.qsos, ConfirmSource::LotwSent);
        result.marked = true;
    }
    return result;
}

} // namespace LotwUpload
