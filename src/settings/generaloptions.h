#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;
class Station;

// Options page "Allgemein": own call and locator, the UTC difference, the QSL card folder.
class TGeneralOptions : public QObject {
    Q_OBJECT
public:
    TGeneralOptions(Station& station, QWidget* page);

    // Start-up: fills the page and sets the working UTC offset.
    void load();

public slots:
    void AllgemeinEditChange();
    void UtcDiffAutoCheckBoxClick();
    void UtcDiffEditExit();

signals:
    void utcOffsetChanged(int hours);

private:
    void showAutomaticDifference();
    // Sets the working offset from the edit; reports a text that is no whole number.
    void applyUtcOffset(bool report);

    Station& m_station;
    QLineEdit* EigCallEdit;
    QLineEdit* EigLocatorEdit;
    QCheckBox* UtcDiffAutoCheckBox;
    QLineEdit* UtcDiffEdit;
    QLineEdit* QslPathEdit;
    QToolButton* QslPathBtn;
    QLabel* QslPathLabel;
};
