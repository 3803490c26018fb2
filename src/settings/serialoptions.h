#pragma once

#include <QObject>

class QCheckBox;
class QLineEdit;
class QWidget;
class Station;

// Options page "RST (+Nr) TX": the text appended to the report sent, counted up per QSO.
class TSerialOptions : public QObject {
    Q_OBJECT
public:
    TSerialOptions(Station& station, QWidget* page);

    void load();

public slots:
    void ErgRstTxTextEditChange();
    void ErgRstTxNummerCheckBoxClick();
    // After a QSO: the next serial number, counting kept on.
    void setNextNumber(const QString& text);

signals:
    void serialTextChanged(const QString& text);

private:
    Station& m_station;
    QLineEdit* ErgRstTxTextEdit;
    QCheckBox* ErgRstTxNummerCheckBox;
};
