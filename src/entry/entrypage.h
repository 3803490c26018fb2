#pragma once

#include "qsorecord.h"
#include "rigfollow.h"

#include <QWidget>

class QDateEdit;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimeEdit;
class QTimer;
class QsoGrid;
class TDateTickPicker;
class TKeyCaptionRow;
class QsoLists;
class Station;

// Page "Eingabe": the entry mask above the list of the open log. One QSO is typed into
// the mask, Return moves from field to field and commits in the last shown field.
class TEntryPage : public QWidget {
    Q_OBJECT
public:
    // The list under the mask shows lists.lower().
    TEntryPage(Station& station, QsoLists& lists, QWidget* parent = nullptr);

    // The pop-up editors of the fields shown as labels.
    enum class Editor { Date, Utc, Band, Mode, TxPwr };

    // Start-up: which optional fields are shown.
    void applyShowAtStartUp();
    // Toggles or sets an optional field (letter e, f, h, i, j, k, l) with its labels.
    void setFieldShown(char letter, bool shown);
    bool isFieldShown(char letter) const;
    // The working UTC offset in whole hours, added to the local time for date and UTC.
    void setUtcOffsetHours(int hours);
    int utcOffsetHours() const { return m_utcOffsetHours; }
    // The report captions follow the serial-number text.
    void setSerialText(const QString& serialText);
    // The captions no language line holds, after a language change.
    void applyUiTexts();
    // A red call or report field blocks the commit; entering it clears the mark. A red band
    // (the transceiver's frequency lies in no band) blocks it until a band is chosen.
    bool isRed(const QWidget* field) const;
    // A call shorter than two characters: the commit is refused until it is corrected.
    void setCallRed(bool red);
    // The transceiver's frequency lies in no band: the commit waits for a chosen band.
    void setBandRed(bool red);
    bool isBandRed() const;
    bool isEditorShown(Editor editor) const;

    // The leave-quietly mark in the Tag of CallEdit.
    bool leaveQuietly() const;
    void setLeaveQuietly(bool quiet);

    // What the mask holds for a field of the QSO, as the record gets it (the comments'
    // lines ended by CR LF).
    QString text(QsoField field) const;
    // Replaces a field's text; the QSL dates are left as they are.
    void setText(QsoField field, const QString& text);
    QString callText() const { return text(QsoField::Call); }
    QString band() const { return text(QsoField::Band); }
    QString mode() const { return text(QsoField::Mode); }
    QString power() const { return text(QsoField::TxPwr); }
    void setBand(const QString& band) { setText(QsoField::Band, band); }
    void setMode(const QString& mode) { setText(QsoField::Mode, mode); }
    void setPower(const QString& power) { setText(QsoField::TxPwr, power); }
    // The comments get one line more.
    void appendComment(const QString& line);
    // The list under the mask, for the window's column widths and its hint without a log.
    QsoGrid* lowerGrid() const { return Liste2StringGrid; }

public slots:
    void ClearMask();
    void AutoDateTimeTimerTimer();
    // Fn pressed: opens/closes pop-up editors and toggles fields bound to the key.
    void FormKeyUp(int functionKey);
    // A key caption clicked: as its key, but no letter runs while another editor is open.
    void BClick(int functionKey);
    // The twelve key captions and hints from the settings and the language texts.
    void NewButtonCaption();
    void toggleListFocus(); // Ctrl+L
    void openEditor(TEntryPage::Editor editor, bool byFunctionKey);
    void confirmEditor(TEntryPage::Editor editor);
    // Escape: an open pop-up editor closes without taking its value and the mask keeps
    // what was typed; false when none was open.
    bool cancelEditor();
    void CallEditChange();
    void DokEditChange();
    void LocatorEditChange();
    void DistriktValueLabelClick();
    // The transceiver's band (red when it lies in no band), mode and power; an empty text
    // leaves its label as it is.
    void followRig(const RigFollow::Labels& labels);
    // The focus into the call field.
    void focusCall();
    // Types a call into the call field key by key, as from the keyboard.
    void typeCall(const QString& call);
    // The checks after a typed QSO; commits it unless one of them stops it.
    void commitQso();

signals:
    void callChanged(const QString& call);       // CallEditChange, before the DXCC label
    void dokChanged(const QString& dok);         // after the club and district labels
    void locatorChanged(const QString& locator); // after bearing and distance
    void callLeft();                             // CallEditExit, after the quiet mark
    void shortcutsRequested();                   // double-click on ShortCutLabel
    void callbookRequested();                    // click on CallbookLabel
    // After a QSO with counting on: the next serial number for the options.
    void serialNumberAdvanced(const QString& next);
    void qsoCommitted(const TQsoRecord& record); // after a successful commit
    // Return moved on to the next field: date and time are frozen for this QSO.
    void qsoStarted();
    // ClearMask ran: the mask is ready for the next QSO.
    void maskCleared();
    // A pop-up editor's value went into its label.
    void editorApplied(TEntryPage::Editor editor);
    // Return in the last field committed nothing: why, naming the field.
    void commitRefused(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followLog(const struct LogChange& change);
    void createMask();
    void createEditors();
    void layoutMask(QGridLayout* grid);
    QWidget* fieldOf(QObject* watched) const;
    QLabel* captionOf(QWidget* field) const;
    QWidget* editorWidget(Editor editor) const;
    void functionKeyLetter(QChar letter);
    // Another pop-up editor than the letter's own is open (any, for an optional field).
    bool otherEditorOpen(QChar letter) const;
    QLabel* editorLabel(Editor editor) const;
    bool EditKeyPress(QWidget* field, QKeyEvent* key);
    bool TxPwrEditKeyPress(QKeyEvent* key);
    bool typeAhead(QListWidget* list, QKeyEvent* key);
    void TxPwrEditChange();
    void focusNextFieldOrCommit(QWidget* field);
    void appendQso();
    QWidget* fieldWidget(QsoField field) const;
    TQsoRecord maskRecord() const;
    void fieldEnter(QWidget* field);
    void fieldExit(QWidget* field);
    void RstTxEditExit();
    void RstRxEditExit();
    void markShortReport(QLineEdit* report);
    void setRed(QWidget* field, bool red);
    void setCaptionColour(QLabel* caption, bool editing);
    void keepEditorFocus(QWidget* editor);
    void applyEditor(Editor editor);
    void askOther(QLabel* label, const QString& title, const QString& prompt);
    void clearRedWhenValid(QLineEdit* field);
    void stopClock();
    static QByteArray toLatin1Text(const QLabel* label);
    static void setLinkLook(QLabel* label, bool hovered);
    void advanceSerialNumber();
    // Without a report preset the reports follow the mode while they are untouched.
    void proposeReports();

    Station& m_station;
    QsoLists& m_lists;
    // Named as the language files name them.
    QWidget* EingabePanel;
    TKeyCaptionRow* keyCaptions; // B1 ... B12
    QLabel* ShortCutLabel;
    QLabel* CallbookLabel; // a click looks the call up in the callbook
    QLabel* NumberLabel;
    QLabel* DateLabel;
    QLabel* UtcLabel;
    QLabel* BandLabel;
    QLabel* ModeLabel;
    QLabel* TxPwrLabel;
    QLineEdit* CallEdit;
    QLineEdit* RstTxEdit;
    QLineEdit* RstRxEdit;
    QLineEdit* DokEdit;
    QLineEdit* LocatorEdit;
    QLineEdit* QthEdit;
    QLineEdit* NameEdit;
    QPlainTextEdit* CommentsMemo;
    TDateTickPicker* QslOutPicker;
    TDateTickPicker* QslInPicker;
    QLabel* CallLabel;
    QLabel* RstTxLabel;
    QLabel* RstRxLabel;
    QLabel* DokLabel;
    QLabel* LocatorLabel;
    QLabel* QthLabel;
    QLabel* NameLabel;
    QLabel* CommentsLabel;
    QLabel* QslOutLabel;
    QLabel* QslInLabel;
    QLabel* DxccLabel;
    QLabel* DxccValueLabel;
    QLabel* OvLabel;
    QLabel* OvValueLabel;
    QLabel* DistriktLabel;
    QLabel* DistriktValueLabel;
    QLabel* BearingLabel;
    QLabel* BearingValueLabel;
    QLabel* DistanceLabel;
    QLabel* DistanceValueLabel;
    QDateEdit* DatePicker;
    QTimeEdit* UtcPicker;
    QListWidget* BandListBox;
    QListWidget* ModeListBox;
    QLineEdit* TxPwrEdit;
    QTimer* AutoDateTimeTimer;
    QsoGrid* Liste2StringGrid;

    int m_utcOffsetHours = 0;
    QString m_serialText;
    bool m_confirming = false;
    QString m_typedAhead;                        // typed into the open band or mode list
    QWidget* m_enteredField = nullptr;           // whose enter step ran and exit step did not
    QString m_proposedReport;                    // what proposeReports last put into the reports
    QList<QPair<QLabel*, const char*>> m_titles; // over date ... power, by their German text
};
