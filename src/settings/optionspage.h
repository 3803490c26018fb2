#pragma once

#include <QWidget>

class QTabWidget;
class QsoLists;
class Station;
class TClockOptions;
class TDuplicateOptions;
class TEntryOrderOptions;
class TGeneralOptions;
class TPresetOptions;
class TQslOptions;
class TRacOptions;
class TReferenceLogOptions;
class TRigOptions;
class TSerialOptions;
class TWsjtxOptions;
class TStatusBarOptions;

// Page "Optionen": one sub-page per group of settings.
class TOptionsPage : public QWidget {
    Q_OBJECT
public:
    TOptionsPage(Station& station, QsoLists& lists, QWidget* parent = nullptr);

    // The sub-page shown, by its position among the tabs (for the page history).
    int currentTab() const;
    void setCurrentTab(int index);

    // The sub-pages, for the window to load them at start-up and to wire their signals.
    TGeneralOptions* generalOptions;
    TEntryOrderOptions* entryOrderOptions;
    TPresetOptions* presetOptions;
    TSerialOptions* serialOptions;
    TDuplicateOptions* duplicateOptions;
    TReferenceLogOptions* referenceLogOptions;
    TRacOptions* racOptions;
    TClockOptions* clockOptions;
    TQslOptions* qslOptions;
    TStatusBarOptions* statusBarOptions;
    TRigOptions* rigOptions;
    TWsjtxOptions* wsjtxOptions;

signals:
    void currentTabChanged(int index);

private:
    QTabWidget* OptionenPageControl;
};
