#pragma once

#include "qslcards.h"
#include "qsosearch.h"

#include <QSet>
#include <QWidget>

class Navigator;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class QslListModel;
class Station;
struct LogChange;

// Evaluation page "QSL": the cards still to be written (marked as sent or as wanting none
// right in the list), and the QSO of a received card found by call, date and time.
class TQslPage : public QWidget {
    Q_OBJECT
public:
    TQslPage(Station& station, Navigator& navigator, QWidget* parent = nullptr);

    // QSL out: the list of the cards still to be written, built from the log.
    void createList();
    // The QSO in row 0 ... of that list: card sent today, or no card wanted. The next row
    // becomes the current one.
    void markSent(int row);
    void markNoCard(int row);
    // Labels (or cards) for the listed QSOs, or the selected ones; those printed are marked
    // as sent when the operator confirms the labels came out right.
    void printLabels();

    // QSL in: the QSO of a card received on the day set, found by the card's call, date and
    // time as the operator types them; one hit is opened for editing, several are offered.
    void cardIn(const QString& call, const QString& date, const QString& utc);
    void setCardArrival(QDate day);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* createQslOut();
    QWidget* createQslIn();
    QWidget* createHitPanel(QWidget* parent);
    QWidget* createConfirmButtons(QWidget* parent);
    void mark(int row, QslCards::Mark kind);
    void follow(const LogChange& change);
    void qslInBtnClick();
    void qslSearchStringGridDblClick();
    QList<QsoSearch::Criterion> cardCriteria(bool& complete);
    void search(const QList<QsoSearch::Criterion>& criteria, QList<CompactQso>& hits,
                QList<int>& positions);
    void openQso(int position, const QStringList& expected);
    void askAndCreateQsoFromCard();
    void createQsoFromCard(TQsoRecord record);
    void showHits(QList<CompactQso> hits, QList<int> positions);
    void clearInputs();
    // True, after saying so, when the log changed as a whole since the list was built.
    bool outListOutdated();

    Station& m_station;
    Navigator& m_navigator;
    QslListModel* m_outModel;
    QTableView* m_outGrid;
    QLineEdit* m_callEdit;
    QLineEdit* m_dateEdit;
    QLineEdit* m_utcEdit;
    QDateEdit* m_arrivalPicker;
    QWidget* m_hitPanel;
    QslListModel* m_hitModel;
    QTableView* m_hitGrid;
    QPushButton* m_labelsButton;
    bool m_outListStale = false;
};
