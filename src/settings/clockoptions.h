#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class Station;

// Options page "Analoge Uhr": the clock window on or off, UTC or system time, and the
// format of its title.
class TClockOptions : public QObject {
    Q_OBJECT
public:
    TClockOptions(Station& station, QWidget* page);

    void load();

public slots:
    void clockShowChkBtnClick();
    void clockUtcRadioBtnClick();
    void clockFormatEditChange();

signals:
    void clockShownChanged(bool shown);

private:
    void enableDetails(bool enabled);
    void flush();

    Station& m_station;
    QCheckBox* clockShowChkBtn;
    QRadioButton* clockSystemRadioBtn;
    QRadioButton* clockUtcRadioBtn;
    QLabel* clockFormatLabel;
    QLineEdit* clockFormatEdit;
};
