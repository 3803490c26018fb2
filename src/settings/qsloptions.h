#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QRadioButton;
class QWidget;
class TMainForm;

// Options page "QSL": who gets a paper QSL card from the operator.
class TQslOptions : public QObject {
    Q_OBJECT
public:
    TQslOptions(TMainForm& mainForm, QWidget* page);

    QLabel* Label91;
    QRadioButton* qslQsoRadioBtn;
    QRadioButton* qslFirstQsoRadioBtn;
    QCheckBox* qslBandChkBox;
    QCheckBox* qslModeChkBox;
    QCheckBox* qslDayChkBox;
    QCheckBox* qslYearChkBox;

    // Shows the rule stored in the settings; writes nothing.
    void load();

public slots:
    // Any of the six controls clicked: the rule is written and flushed at once.
    void qslQsoRadioBtnClick();

private:
    void enableDetails();

    TMainForm& m_mainForm;
};
