#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
class TMainForm;

// Options page "RST (+Nr) TX": the text appended to the report sent, counted up per QSO.
class TSerialOptions : public QObject {
    Q_OBJECT
public:
    TSerialOptions(TMainForm& mainForm, QWidget* page);

    QLabel* Label12;
    QLineEdit* ErgRstTxTextEdit;
    QCheckBox* ErgRstTxNummerCheckBox;

    void load();
    // After a QSO: the next serial number, counting kept on.
    void setNextNumber(const QString& text);

public slots:
    void ErgRstTxTextEditChange();
    void ErgRstTxNummerCheckBoxClick();

signals:
    void serialTextChanged(const QString& text);

private:
    TMainForm& m_mainForm;
};
