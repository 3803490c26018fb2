#pragma once

#include <QWidget>

class QTabWidget;
class TClockOptions;
class TEntryOrderOptions;
class TGeneralOptions;
class TStatusBarOptions;
class TMainForm;
class TPresetOptions;
class TRacOptions;
class TQslOptions;
class TRigOptions;
class TSerialOptions;

// Page "Optionen": one sub-page per group of settings.
class TOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsPage(TMainForm& mainForm, QWidget* parent = nullptr);

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
    QWidget* RigTS;
    TGeneralOptions* generalOptions;
    TPresetOptions* presetOptions;
    TSerialOptions* serialOptions;
    TRacOptions* racOptions;
    TEntryOrderOptions* entryOrderOptions;
    TClockOptions* clockOptions;
    TStatusBarOptions* statusBarOptions;
    TQslOptions* qslOptions;
    TRigOptions* rigOptions;
};
