#pragma once

#include <QWidget>

class QTabWidget;
class TDokPage;
class TDxccPage;
class TLocatorPage;
class TMainForm;
class TQsoCountsPage;
class TQslPage;
class TUnderConstructionPanel;

// Page "Auswertungen": the evaluations of the open log, one sub-page each.
class TEvaluationsPage : public QWidget {
    Q_OBJECT
public:
    explicit TEvaluationsPage(TMainForm& mainForm, QWidget* parent = nullptr);

    QTabWidget* AuswertungenPageControl;
    QWidget* TabSheet1; // QSL
    QWidget* LocatorGrossfelderTS;
    QWidget* TabSheet3; // DOK
    QWidget* TabSheet4; // DXCC
    QWidget* AnzahlQsosTS;
    QWidget* TabSheet5; // Contest
    TUnderConstructionPanel* UnderConstructionPanel;
    TLocatorPage* locatorPage;
    TDokPage* dokPage;
    TDxccPage* dxccPage;
    TQsoCountsPage* qsoCountsPage;
    TQslPage* qslPage;
};
