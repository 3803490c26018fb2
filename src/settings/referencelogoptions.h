#pragma once

#include <QObject>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;
class QWidget;
class TMainForm;

// Options page "Referenz-Logs": standard or luxury function, and the four reference logs.
class TReferenceLogOptions : public QObject {
    Q_OBJECT
public:
    TReferenceLogOptions(TMainForm& mainForm, QWidget* page);

    static constexpr int kLogCount = 4;

    QRadioButton* rStandartRadioBtn;
    QRadioButton* rLuxusRadioBtn;
    QLabel* Label71;
    QLineEdit* rLogEdit[kLogCount];
    QToolButton* rLogBtn[kLogCount];
    QPlainTextEdit* Memo6;

    // Start-up: the function and the four paths; loading writes nothing.
    void load();

public slots:
    void rLuxusRadioBtnClick();
    void rLogEditChange();
    void rLog1BtnClick();

private:
    void saveLogs();

    TMainForm& m_mainForm;
};
