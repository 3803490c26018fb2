#pragma once

#include <QWidget>

class QTabWidget;

// Page "Optionen": one sub-page per group of settings.
class TOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsPage(QWidget* parent = nullptr);

    QTabWidget* OptionenPageControl;
    QWidget* AllgemeinTS;
    QWidget* OrdnungEingabeTS;
    QWidget* VorgabenEingabeTS;
    QWidget* AutoNrTS;
    QWidget* DoppelCheckTS;
    QWidget* ReferenzLogsTS;
    QWidget* CallBookTS;
    QWidget* ClockTS;
    QWidget* QslTS;
    QWidget* StatusBarTS;
};
