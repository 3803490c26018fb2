#pragma once

#include "qslcards.h"
#include "qsorecord.h"

#include <QWidget>

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QslListModel;
class TMainForm;
class TQslCardButtons;

// Evaluation page "QSL": the cards still to be written (marked as sent or as wanting none
// right in the list), and the QSO of a received card found by call, date and time.
class TQslPage : public QWidget {
    Q_OBJECT
public:
    explicit TQslPage(TMainForm& mainForm, QWidget* parent = nullptr);

    QGroupBox* QslOutGroupBox;
    QPushButton* qslCreateListBtn;
    QLabel* Label92;
    QTableView* qslStringGrid;
    QslListModel* qslModel;

    QGroupBox* QslInGroupBox;
    QLabel* Label67; // data of the received card
    QLabel* Label19; // Call
    QLabel* Label20; // date
    QLabel* Label21; // UTC
    QLabel* Label24; // letter case does not matter
    QLabel* Label25; // date formats
    QLabel* Label26; // time formats
    QLabel* Label99; // card received on
    QLineEdit* qslCallEdit;
    QLineEdit* qslDateEdit;
    QLineEdit* qslUtcEdit;
    QDateEdit* qslInDatePicker;
    QPushButton* qslInBtn;
    QWidget* qslSearchPanel;
    QLabel* Label100; // several QSOs found
    QTableView* qslSearchStringGrid;
    QslListModel* qslSearchModel;

    TQslCardButtons* cardButtons;

public slots:
    void qslCreateListBtnClick();
    void qslStringGridDblClick();
    void qslInBtnClick();
    void qslSearchStringGridDblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createQslOut();
    void createQslIn();
    void mark(QslCards::Mark mark);
    void applyCardArrival();
    void clearInputs();
    void setCardCriteria(bool& complete);
    void askAndCreateQsoFromCard();
    void createQsoFromCard(TQsoRecord record);
    void showHits();

    TMainForm& m_mainForm;
};
