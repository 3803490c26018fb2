#include "wsjtxqso.h"

#include "adifreader.h"
#include "adifvalues.h"
#include "bandplan.h"
#include "cp1252.h"

#include <QRegularExpression>

namespace WsjtxQso {
namespace {

// Enough to tell the second announcement of a QSO even when several QSOs come in a burst.
constexpr int kRemembered = 50;

QByteArray text(const QString& value) {
    return toCp1252(transliterateForCp1252(value.trimmed()));
}

void setMoment(TQsoRecord& rec, const QDateTime& moment) {
    const QDateTime utc = moment.toUTC();
    rec[QsoField::Date] = utc.date().toString(QStringLiteral("dd.MM.yyyy")).toLatin1();
    rec[QsoField::Utc] = utc.time().toString(QStringLiteral("HH:mm:ss")).toLatin1();
}

QByteArray bandOf(quint64 hz) {
    const QString band = BandPlan::bandOfFrequency(qint64(hz));
    return (band.isEmpty() ? BandPlan::megahertzText(qint64(hz)) : band).toLatin1();
}

// One value of an ADIF record by its tag, for the few the reader does not hand on.
QByteArray adifValue(const QByteArray& adif, const char* tag) {
    static const QRegularExpression field(QStringLiteral("<([A-Za-z_]+):(\\d+)(?::[^>]*)?>"));
    const QString record = QString::fromLatin1(adif);
    for (auto it = field.globalMatch(record); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).compare(QLatin1String(tag), Qt::CaseInsensitive) == 0)
            return adif.mid(m.capturedEnd(), m.captured(2).toInt());
    }
    return {};
}

} // namespace

TQsoRecord fromLogged(const Wsjtx::QsoLogged& qso, TimeOf time) {
    TQsoRecord rec;
    setMoment(rec, time == TimeOf::End || !qso.timeOn.isValid() ? qso.timeOff : qso.timeOn);
    rec[QsoField::Band] = bandOf(qso.txFrequency);
    rec[QsoField::Mode] = text(qso.mode).toUpper();
    rec[QsoField::Call] = text(qso.dxCall).toUpper();
    rec[QsoField::RstTx] = text(qso.reportSent);
    rec[QsoField::RstRx] = text(qso.reportReceived);
    rec[QsoField::Name] = text(qso.name);
    rec[QsoField::Locator] = text(qso.dxGrid).toUpper().left(6);
    rec[QsoField::Comments] = text(qso.comments);
    rec[QsoField::TxPwr] = AdifValues::importPower(text(qso.txPower), rec);
    AdifValues::normaliseLineBreaks(rec);
    return rec;
}

std::optional<TQsoRecord> fromAdif(const QByteArray& adif, TimeOf time) {
    std::optional<TQsoRecord> taken;
    AdifReader::read(adif, [&](TQsoRecord& rec) {
        if (!taken)
            taken = rec;
    });
    if (!taken)
        return std::nullopt;
    const QByteArray dateOff = adifValue(adif, "QSO_DATE_OFF");
    const QByteArray timeOff = adifValue(adif, "TIME_OFF").leftJustified(6, '0');
    const QDateTime end(QDate::fromString(QString::fromLatin1(dateOff), QStringLiteral("yyyyMMdd")),
                        QTime::fromString(QString::fromLatin1(timeOff), QStringLiteral("HHmmss")),
                        Qt::UTC);
    if (time == TimeOf::End && end.isValid())
        setMoment(*taken, end);
    (*taken)[QsoField::Locator] = (*taken)[QsoField::Locator].left(6);
    return taken;
}

QByteArray identity(const TQsoRecord& rec) {
    return rec[QsoField::Call] + ';' + rec[QsoField::Band].toLower() + ';' +
           rec[QsoField::Mode].toUpper() + ';' + rec[QsoField::Date] + ';' +
           rec[QsoField::Utc].left(5);
}

bool RecentQsos::take(const TQsoRecord& rec) {
    const QByteArray id = identity(rec);
    if (m_seen.contains(id))
        return false;
    m_seen.append(id);
    if (m_seen.size() > kRemembered)
        m_seen.removeFirst();
    return true;
}

} // namespace WsjtxQso
