#pragma once

#include "decodevalue.h"
#include "wsjtxmessage.h"

#include <QObject>
#include <QSet>

class DecodesModel;
class QDockWidget;
class QLabel;
class QTableView;
class QsoLists;
class Station;
class WsjtxLogbook;
class WsjtxReceiver;
struct LogChange;

// WSJT-X or JTDX beside the log: their QSOs logged, their state in the status bar, the
// station they work in a line of its own, the CQ callers of the last period with their value
// in a dock, and replies and highlights sent back. Follows the options page.
class WsjtxLink : public QObject {
    Q_OBJECT
public:
    WsjtxLink(Station& station, QsoLists& lists, QWidget* window);
    ~WsjtxLink() override;

    // Listens (or stops) as the settings say; a port that cannot be bound is told in the
    // status bar, since the operator may start Dalu before or after the other program.
    void applySettings();
    void applyLanguage();

    QWidget* statusPart() const { return m_statusPart; }
    QDockWidget* dock() const { return m_dock; }
    WsjtxReceiver& receiver() { return *m_receiver; }
    DecodesModel& decodes() { return *m_model; }

    // Asks the program to call the station of decode row r (as a double-click there would).
    bool reply(int row);

private:
    void showPeer();
    void showStatus();
    void takeDecode(const Wsjtx::Decode& decode);
    void indexChanged(const LogChange& change);
    const DecodeValue::Index& index();
    void clearHighlights();
    QString dxLineText();

    Station& m_station;
    QsoLists& m_lists;
    WsjtxReceiver* m_receiver;
    WsjtxLogbook* m_logbook;
    DecodesModel* m_model;
    DecodeValue::Index m_index;
    bool m_indexStale = true;
    bool m_highlight = false;
    QSet<QString> m_highlighted;
    QString m_bandMode; // of the last status: a change clears the decodes and the marks
    QString m_listenError;
    QWidget* m_statusPart;
    QLabel* m_peerLabel;
    QLabel* m_noticeLabel;
    QDockWidget* m_dock;
    QLabel* m_dxLabel;
    QTableView* m_view;
};
