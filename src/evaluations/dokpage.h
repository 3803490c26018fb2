#pragma once

#include "evaluationcommon.h"

#include <QWidget>

class Navigator;
class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;
class Station;

// Page "DOK": the DOKs of the selected QSOs, only worked (green) and confirmed (red); a
// selected DOK shows its club and district, a Ctrl+click searches its QSOs.
class TDokPage : public QWidget {
    Q_OBJECT
public:
    TDokPage(Station& station, Navigator& navigator, QWidget* tabSheet);

public slots:
    void dokOkBtnClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListView* createList(const char* name, QStringListModel* model, const QColor& colour);
    void layoutPage(QWidget* tabSheet);
    void dokGearbeitetListBoxClick(QListView* list);
    void dokGearbeitetListBoxExit(QListView* list);
    void dokGearbeitetListBoxMouseUp(QListView* list, const QModelIndex& index);

    Station& m_station;
    Navigator& m_navigator;
    Evaluation::FilterControls m_filter;
    QPushButton* m_showButton;
    QLabel* m_resultLabel;
    QStringListModel* m_workedModel;
    QStringListModel* m_confirmedModel;
    QListView* m_workedList;
    QListView* m_confirmedList;
    QPlainTextEdit* m_infoMemo;
};
