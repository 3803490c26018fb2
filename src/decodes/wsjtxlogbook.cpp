#include "wsjtxlogbook.h"

#include "daluerror.h"
#include "duplicatecheck.h"
#include "meminifile.h"
#include "qsogridmodel.h"
#include "qsolists.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"

WsjtxLogbook::WsjtxLogbook(Station& station, QsoLists& lists, QObject* parent)
    : QObject(parent), m_station(station), m_lists(lists) {
    connect(&m_station, &Station::logSwitched, this, &WsjtxLogbook::logWaiting);
}

void WsjtxLogbook::take(const TQsoRecord& rec) {
    m_waiting.append(rec);
    logWaiting();
}

void WsjtxLogbook::logWaiting() {
    if (m_waiting.isEmpty())
        return;
    if (!m_station.hasLog()) {
        emit notice(uiText("WSJT-X: %1 QSO(s) warten auf ein offenes Log").arg(m_waiting.size()));
        return;
    }
    while (!m_waiting.isEmpty()) {
        const TQsoRecord rec = m_waiting.first();
        const QString check = checkOf(rec);
        int number = 0;
        try {
            number = m_station.appendQso(rec);
        } catch (const DaluError& e) {
            // The log may be locked by another program for a moment: the QSO stays and is
            // written with the next one; a window would interrupt the running QSO.
            emit notice(uiText("WSJT-X: %1 nicht geloggt (%2 warten): %3")
                            .arg(QString::fromLatin1(rec[QsoField::Call]))
                            .arg(m_waiting.size())
                            .arg(e.message()));
            return;
        }
        m_waiting.removeFirst();
        QString text = uiText("WSJT-X: QSO %1 mit %2 geloggt")
                           .arg(number)
                           .arg(QString::fromLatin1(rec[QsoField::Call]));
        if (!check.isEmpty())
            text += QStringLiteral(" \u2013 ") + check;
        emit notice(text);
    }
}

QString WsjtxLogbook::checkOf(const TQsoRecord& rec) const {
    const auto criteria =
        DuplicateCheck::parseOptions(
            SettingsKeys::read(m_station.settings(), SettingsKeys::DoppelCheckOptions))
            .criteria;
    const DuplicateCheck::MaskQso qso{
        QString::fromLatin1(rec[QsoField::Call]), QString::fromLatin1(rec[QsoField::Band]),
        QString::fromLatin1(rec[QsoField::Mode]), QString::fromLatin1(rec[QsoField::Date])};
    const QsoGridModel* list = m_lists.upper();
    const int row = DuplicateCheck::firstDuplicate(
        criteria, qso, list->rowCount() + 1,
        [list](int r, QsoField f) { return list->cell(r - 1, static_cast<int>(f)); });
    return row == 0 ? QString() : uiText("doppelt zu QSO %1").arg(row);
}
