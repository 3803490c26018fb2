#pragma once

#include "qsorecord.h"

#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimeEdit;
class TDateTickPicker;
class TMainForm;

// Page "Editieren": one stored QSO in editable controls, written back in place.
// It always works on the QSO of the selected row of the list page.
class TEditPage : public QWidget {
    Q_OBJECT
public:
    explicit TEditPage(TMainForm& mainForm, QWidget* parent = nullptr);

    // Where saving returns to (the Tag of eOkBtn).
    enum ReturnMarker { ReturnToList = 0, ReturnToEvaluations = 1, ReturnToSearch = 2 };
    int returnMarker() const { return m_returnMarker; }
    void setReturnMarker(int marker) { m_returnMarker = marker; }

    // Selects the QSO at this position of the log (1 ...) in the list page and brings the
    // page to the front. With expected (a search hit's cells), a QSO that no longer looks
    // so is not opened for saving.
    void openQso(int position, const QStringList& expected = {});
    // The scanned card of the QSO as the fields now name it.
    QString eQslInFileName() const;
    // The captions no language line holds, after a language change.
    void applyUiTexts();

    QLabel* eNumberLabel;
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

    QGroupBox* GroupBox1; // bearing and distance
    QGroupBox* GroupBox2; // DXCC
    QGroupBox* GroupBox3; // local club and district
    QLabel* eBearingLabel;
    QLabel* eDistanceLabel;
    QLabel* eDxccLabel;
    QLabel* eOvLabel;
    QLabel* eDistriktLabel;

    QPushButton* eOkBtn;
    QLabel* eStateLabel; // why the QSO shown cannot be saved
    QPushButton* eQslInAddBtn;
    QPushButton* eQslInShowBtn;

public slots:
    void EditierenTSShow();
    void eChange(QObject* sender);
    void eOkBtnClick();
    void eCommentsBtnClick();
    void eDistriktLabelClick();
    void ListeStringGridDblClick(int gridRow);
    void Liste2StringGridDblClick(int gridRow);
    void Liste2StringGridSelectCell(int gridRow);
    void EingabeTSEnter();

signals:
    void qsoSaved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layoutControls();
    void connectFields();
    void connectLists();
    void fillControls(const TQsoRecord& record);
    TQsoRecord recordFromControls() const;
    std::array<QString, kQsoFieldCount> controlTexts() const;
    void updateCaptionColours();
    void updateDistanceBearing();
    void updateDok();
    void updateTxPwr();
    void updateQslButtons();
    void showReturnPage();
    bool liste2ShowsOpenLog() const;

    TMainForm& m_mainForm;
    int m_returnMarker = ReturnToList;
    int m_position = 0;
    TQsoRecord m_loaded;                         // as read from the log
    std::array<QString, kQsoFieldCount> m_shown; // as the controls showed it then
    QStringList m_expected;
};
