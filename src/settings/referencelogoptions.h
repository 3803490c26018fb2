#pragma once

#include <QObject>

class QLineEdit;
class QRadioButton;
class QToolButton;
class QWidget;
class Station;

// Options page "Referenz-Logs": standard or luxury function, and the four reference logs.
class TReferenceLogOptions : public QObject {
    Q_OBJECT
public:
    TReferenceLogOptions(Station& station, QWidget* page);

    static constexpr int kLogCount = 4;

    // Start-up: the function and the four paths; loading writes nothing.
    void load();
    // The path the page shows for reference log i (0 ... kLogCount - 1).
    QString logPath(int i) const;

public slots:
    void rLuxusRadioBtnClick();
    void rLogEditChange();
    void rLog1BtnClick();

private:
    void saveLogs();

    Station& m_station;
    QRadioButton* rStandartRadioBtn;
    QRadioButton* rLuxusRadioBtn;
    QLineEdit* rLogEdit[kLogCount];
    QToolButton* rLogBtn[kLogCount];
};
