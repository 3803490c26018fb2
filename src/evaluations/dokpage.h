#pragma once

#include "evaluationcommon.h"

#include <QWidget>

class QLabel;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;
class TMainForm;

// Page "DOK": the DOKs of the selected QSOs, only worked (green) and confirmed (red); a
// selected DOK shows its club and district, a Ctrl+click searches its QSOs.
class TDokPage : public QWidget {
    Q_OBJECT
public:
    TDokPage(TMainForm& mainForm, QWidget* tabSheet);

    Evaluation::FilterControls filterControls;
    QPushButton* dokOkBtn;
    QLabel* dokResultLabel;
    QListView* dokGearbeitetListBox;
    QListView* dokBestaetigtListBox;
    QStringListModel* workedModel;
    QStringListModel* confirmedModel;
    QPlainTextEdit* dokInfoMemo;

public slots:
    void dokOkBtnClick();
    void dokGearbeitetListBoxClick(QListView* list);
    void dokGearbeitetListBoxExit(QListView* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListView* createList(const char* name, QStringListModel* model, const QColor& colour);
    void layoutPage(QWidget* tabSheet);
    void dokGearbeitetListBoxMouseUp(QListView* list, const QModelIndex& index);

    TMainForm& m_mainForm;
};
