#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;
class Station;

// Options page "QSL": who gets a paper QSL card from the operator.
class TQslOptions : public QObject {
    Q_OBJECT
public:
    TQslOptions(Station& station, QWidget* page);

    // Shows the rule stored in the settings; writes nothing.
    void load();

public slots:
    // Any of the six controls clicked: the rule is written and flushed at once.
    void qslQsoRadioBtnClick();

private:
    void enableDetails();

    Station& m_station;
    QLabel* ruleLabel;
    QRadioButton* qslQsoRadioBtn;
    QRadioButton* qslFirstQsoRadioBtn;
    QCheckBox* qslBandChkBox;
    QCheckBox* qslModeChkBox;
    QCheckBox* qslDayChkBox;
    QCheckBox* qslYearChkBox;
};
