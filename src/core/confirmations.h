#pragma once

#include "compactqso.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

// Electronic confirmations (LoTW, eQSL) and uploads, kept in a file of their own beside
// the log ("NAME.log.confirm") so that the log's sixteen fields stay as other programs
// know them. One entry a line, Windows-1252 with CR LF:
//   number;dd.mm.yyyy;hh:nn:ss;CALL;source;dd.mm.yyyy
// The QSO's date, time and call find it again after the log was renumbered.
enum class ConfirmSource {
    Lotw,     // confirmed in LoTW
    Eqsl,     // confirmed in eQSL
    LotwSent, // handed to LoTW (exported for TQSL)
    EqslSent  // exported for eQSL's upload page
};

struct Confirmation {
    int number = 0;  // the QSO's "#" when last attached; 0 when no QSO of the log has it
    QByteArray date; // as in the log, dd.mm.yyyy
    QByteArray utc;  // hh:nn:ss
    QByteArray call; // as in the log
    ConfirmSource source = ConfirmSource::Lotw;
    QByteArray on; // the date of the confirmation or upload, dd.mm.yyyy

    bool operator==(const Confirmation& o) const {
        return number == o.number && date == o.date && utc == o.utc && call == o.call &&
               source == o.source && on == o.on;
    }
};

namespace ConfirmFile {

QString pathFor(const QString& logPath);
QByteArray sourceText(ConfirmSource source);

// Throws DaluError naming the path and line when a line cannot be read: such a file is
// never written over.
QList<Confirmation> parse(QByteArrayView bytes, const QString& path);
QByteArray format(const QList<Confirmation>& list);
// A missing file holds no confirmations.
QList<Confirmation> load(const QString& path);
// Reads the file, lets change alter the list and writes it back through a temporary file
// and a rename, all under the file's write lock, so that two writers never lose an entry.
void update(const QString& path, const std::function<void(QList<Confirmation>&)>& change);

// Gives every entry the number of its QSO in the log as it is now: the number it has when
// that QSO still has its date, time and call, else the QSO that has them, else 0.
void attach(QList<Confirmation>& list, const QList<CompactQso>& log);

// "LoTW 15.02.2026, eQSL-out 01.03.2026": the entries of the QSO with that date, time and
// call, in file order; empty when it has none.
QString describe(const QList<Confirmation>& list, QByteArrayView date, QByteArrayView utc,
                 QByteArrayView call);

} // namespace ConfirmFile

// Which confirmations count where the evaluations ask whether a QSO is confirmed.
enum class ConfirmRule { Paper = 0, PaperLotw = 1, PaperLotwEqsl = 2 };

// A QSO counts as confirmed by its paper card ("QSL in" not empty) or, by the rule, by an
// electronic confirmation of its number. Default: paper only.
class ConfirmedBy {
public:
    ConfirmedBy() = default;
    ConfirmedBy(ConfirmRule rule, const QList<Confirmation>& list);

    bool operator()(QByteArrayView number, QByteArrayView qslIn) const {
        return !qslIn.isEmpty() || (!m_numbers.empty() && electronic(number));
    }
    bool electronic(QByteArrayView number) const;

private:
    std::vector<bool> m_numbers; // by "#"
};
