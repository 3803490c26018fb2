#pragma once

#include "navigator.h"
#include "qsorecord.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QDate;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimeEdit;
class QsoLists;
class Station;
class TDateTickPicker;
class TTextForm;

// Page "Editieren": one stored QSO in editable controls, written back in place.
// It always works on the lists' current QSO.
class TEditPage : public QWidget {
    Q_OBJECT
public:
    TEditPage(Station& station, QsoLists& lists, Navigator& navigator, QWidget* parent = nullptr);

    // Where saving returns to (the Tag of eOkBtn).
    Navigator::ReturnTo returnMarker() const { return m_returnMarker; }
    void setReturnMarker(Navigator::ReturnTo marker) { m_returnMarker = marker; }

    // Makes the QSO at this position of the log (1 ...) the current one and brings the page
    // to the front. With expected (a search hit's cells), a QSO that no longer looks so is
    // not opened for saving.
    void openQso(int position, const QStringList& expected = {});
    // The QSL in date the fields show; invalid when none is ticked. An invalid day clears it.
    QDate qslInDate() const;
    void setQslInDate(const QDate& day);
    // The scanned card of the QSO as the fields now name it.
    QString eQslInFileName() const;
    // The captions no language line holds, after a language change.
    void applyUiTexts();
    // The editor for long comments, for the language files.
    TTextForm& commentEditor() const { return *m_textForm; }

public slots:
    void EditierenTSShow();
    void eChange(QObject* sender);
    void eOkBtnClick();
    void eCommentsBtnClick();
    void eDistriktLabelClick();
    // The mask's list: a row opens (when it shows the open log) and its selection is the
    // lists' current QSO.
    void Liste2StringGridDblClick(int gridRow);
    void Liste2StringGridSelectCell(int gridRow);
    // The card buttons follow the card file, after a card was filed.
    void refreshQslButtons();

signals:
    void qsoSaved(int position);
    void qslCardAddRequested(const QString& title, const QString& cardFile);
    void qslCardShowRequested(const QString& cardFile);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layoutControls();
    void connectFields();
    void fillControls(const TQsoRecord& record);
    void showConfirmations(const TQsoRecord& record);
    TQsoRecord recordFromControls() const;
    std::array<QString, kQsoFieldCount> controlTexts() const;
    void updateCaptionColours();
    void updateDistanceBearing();
    void updateDok();
    void updateTxPwr();
    void showReturnPage();
    void reloadLists();

    Station& m_station;
    QsoLists& m_lists;
    Navigator& m_navigator;
    TTextForm* m_textForm;

    QLabel* eNumberLabel;
    QLabel* eConfirmLabel; // the QSO's LoTW and eQSL entries
    QDateEdit* eDatePicker;
    QTimeEdit* eUtcPicker;
    QComboBox* eBandComboBox;
    QComboBox* eModeComboBox;
    QLineEdit* eCallEdit;
    QLineEdit* eRstTxEdit;
    QLineEdit* eRstRxEdit;
    QLineEdit* eDokEdit;
    QLineEdit* eNameEdit;
    QLineEdit* eQthEdit;
    QLineEdit* eLocatorEdit;
    QLineEdit* eTxPwrEdit;
    QPlainTextEdit* eCommentsMemo;
    QPushButton* eCommentsBtn;
    TDateTickPicker* eQslOutPicker;
    TDateTickPicker* eQslInPicker;

    QLabel* eBandLabel;
    QLabel* eModeLabel;
    QLabel* eCallLabel;
    QLabel* eRstTxLabel;
    QLabel* eRstRxLabel;
    QLabel* eLocatorLabel;
    QLabel* eTxPwrLabel;

    QGroupBox* bearingBox; // "GroupBox1"
    QGroupBox* dxccBox;    // "GroupBox2"
    QGroupBox* clubBox;    // "GroupBox3": local club and district
    QLabel* eBearingLabel;
    QLabel* eDistanceLabel;
    QLabel* eDxccLabel;
    QLabel* eOvLabel;
    QLabel* eDistriktLabel;

    QPushButton* eOkBtn;
    QLabel* eStateLabel; // why the QSO shown cannot be saved
    QPushButton* eQslInAddBtn;
    QPushButton* eQslInShowBtn;

    Navigator::ReturnTo m_returnMarker = Navigator::ReturnTo::List;
    int m_position = 0;
    TQsoRecord m_loaded;                         // as read from the log
    std::array<QString, kQsoFieldCount> m_shown; // as the controls showed it then
    QStringList m_expected;
};
