#pragma once

#include "qsorecord.h"

#include <QList>
#include <QObject>
#include <QString>

class QsoLists;
class Station;

// Logs what WSJT-X or JTDX announce into the open log through the station's write path.
// Nothing here asks the operator anything: a QSO may arrive in the middle of another, so
// what the checks find is told (notice), never asked. Without an open log the QSOs wait
// and are logged when one is opened.
class WsjtxLogbook : public QObject {
    Q_OBJECT
public:
    WsjtxLogbook(Station& station, QsoLists& lists, QObject* parent = nullptr);

    // Logs rec now, or keeps it until a log is open (or writable again).
    void take(const TQsoRecord& rec);
    int waiting() const { return int(m_waiting.size()); }

signals:
    // What became of the last QSO, for the status bar.
    void notice(const QString& text);

private:
    void logWaiting();
    QString checkOf(const TQsoRecord& rec) const;

    Station& m_station;
    QsoLists& m_lists;
    QList<TQsoRecord> m_waiting;
};
