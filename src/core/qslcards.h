#pragma once

#include "compactqso.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

class TMemIniFile;
class TLogFile;

// Paper QSL bookkeeping: which QSOs still need a card, and the marks for sent cards and
// for QSOs that want none.
namespace QslCards {

// Who gets a card: every QSO, or only the first QSO with a call, where a difference in a
// checked attribute makes a repeated contact card-worthy again.
struct CardRule {
    bool firstQso = false;
    bool band = false;
    bool mode = false;
    bool day = false;
    bool year = false;
};

CardRule loadRule(const TMemIniFile& ini); // absent keys count as false
void saveRule(TMemIniFile& ini, const CardRule& rule);

// The card rule for one QSO given the QSOs stored before it: a card is unnecessary when
// any earlier QSO with the same call (exact letter case) matches it on every checked
// attribute; dates are compared as calendar days and years.
bool cardNeeded(const CardRule& rule, const CompactQso& qso, const QList<CompactQso>& earlier);

// "no qsl" in any letter case anywhere in the comments.
bool wantsNoCard(QByteArrayView comments);

// The positions in the file (1 ...) of the QSOs on the QSL out list, in file order: no
// "QSL out" date, no "no qsl" comment, and a card needed by the rule. Earlier QSOs are
// indexed by call and attributes, so the list builds in one pass.
QList<int> outList(const QList<CompactQso>& qsos, const CardRule& rule);

// The same list for a log read line by line (scripts): listed() takes each QSO in file order
// and tells whether it is on the list. Earlier QSOs are remembered by a 64-bit fingerprint
// of their card attributes, so a million QSOs need a few megabytes; two attribute sets
// sharing a fingerprint, which would leave one card off, is about a one in 10^13 chance
// for a million distinct ones.
class OutListStream {
public:
    explicit OutListStream(const CardRule& rule);
    bool listed(const CompactQso& qso);

private:
    bool insert(quint64 fingerprint); // true when it was new
    CardRule m_rule;
    QDate m_today;
    QList<quint64> m_slots; // open addressing, 0 free
    qsizetype m_used = 0;
};

enum class Mark { Sent, NoCard };

// The record with the mark applied: "QSL out" set to today, or "no QSL" (" / no QSL" after
// existing comments) added.
TQsoRecord marked(TQsoRecord record, Mark mark, QDate today);

// The record at this position of the log, marked; it must still be the QSO listed there
// (same "#", date, time and call), otherwise DaluError says why, naming the log.
TQsoRecord markListed(const TQsoRecord& record, int position, const CompactQso& listed, Mark mark,
                      QDate today, const QString& logName);

// Marks the QSO at this position of the log, which must still be the QSO listed there
// (same "#", date, time and call); otherwise nothing is written and DaluError says why.
// Returns the record as written. Durable when it returns.
TQsoRecord markInLog(TLogFile& log, int position, const CompactQso& listed, Mark mark, QDate today);

} // namespace QslCards
