#pragma once

#include "qsorecord.h"
#include "wsjtxmessage.h"

#include <QByteArray>
#include <QList>

#include <optional>

// A QSO as WSJT-X or JTDX announce it, made into a record of the log.
namespace WsjtxQso {

// Which moment of the QSO goes into the log's date and UTC.
enum class TimeOf { Start, End };

// From a "QSO logged" message. The band comes from the frequency by the band plan (the
// frequency in MHz where it lies outside every band); reports stay as sent.
TQsoRecord fromLogged(const Wsjtx::QsoLogged& qso, TimeOf time);

// From a "logged ADIF" message's record; nothing when it lacks what a QSO needs.
std::optional<TQsoRecord> fromAdif(const QByteArray& adif, TimeOf time);

// The same QSO is announced twice, as a message and as an ADIF record: what identifies it
// (call, band, mode, date, minute) for telling the second from a new QSO.
QByteArray identity(const TQsoRecord& rec);

// The last QSOs taken, so that the second announcement of one is not logged again.
class RecentQsos {
public:
    // True the first time rec's QSO is offered (and remembers it).
    bool take(const TQsoRecord& rec);

private:
    QList<QByteArray> m_seen; // newest last
};

} // namespace WsjtxQso
