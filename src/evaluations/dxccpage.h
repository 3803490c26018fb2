#pragma once

#include "dxccevaluation.h"
#include "evaluationcommon.h"

#include <QWidget>

class Navigator;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextEdit;
class Station;

// Page "DXCC": the entities of the selected QSOs, worked (green, bold) and confirmed (red,
// bold), once alone and once among all entities of DXCC.ini (the rest black). A Ctrl+click
// on a line searches the entity's QSOs.
class TDxccPage : public QWidget {
    Q_OBJECT
public:
    TDxccPage(Station& station, Navigator& navigator, QWidget* tabSheet);

public slots:
    void dxccStartBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QTextEdit* createBox(const char* name, QWidget* page);
    void layoutPage(QWidget* tabSheet);
    void retranslate();
    void showEntries(QTextEdit* box, const QList<DxccEvaluation::Entry>& entries);
    void dxccAllRichEditMouseUp(QTextEdit* box, const QPoint& position);

    Station& m_station;
    Navigator& m_navigator;
    Evaluation::FilterControls m_filter;
    QPushButton* m_showButton;
    QLabel* m_resultLabel;
    QTabWidget* m_tabs;
    QTextEdit* m_allBox;
    QTextEdit* m_workedBox;
    QList<DxccEvaluation::Entry> m_allEntries;    // as shown, line by line
    QList<DxccEvaluation::Entry> m_workedEntries; // as shown, line by line
    QList<QLabel*> m_filterLabels;
};
