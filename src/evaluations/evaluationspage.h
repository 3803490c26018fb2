#pragma once

#include <QWidget>

class Navigator;
class QTabWidget;
class Station;

// Page "Auswertungen": the evaluations of the open log, one sub-page each. The QSL sub-page
// is made by the main window and handed over.
class TEvaluationsPage : public QWidget {
    Q_OBJECT
public:
    // The sub-pages in their tab order.
    enum Tab { Qsl, LocatorSquares, Doks, Dxcc, QsoCounts, Contest };

    TEvaluationsPage(Station& station, Navigator& navigator, QWidget* parent = nullptr);

    // Puts the page into the first tab, "QSL".
    void setQslPage(QWidget* page);
    int currentTab() const;
    void setCurrentTab(int tab);

signals:
    void currentTabChanged(int tab);

private:
    QTabWidget* m_tabs;
    QWidget* m_qslSheet;
};
