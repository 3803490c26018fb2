#pragma once

#include <QWidget>

class QLabel;
class QsoGrid;
class QsoGridModel;

// Page "Eingabe": the entry mask above the list of the open log.
class TEntryPage : public QWidget {
    Q_OBJECT
public:
    explicit TEntryPage(QsoGridModel* listModel, QWidget* parent = nullptr);

    QLabel* NumberLabel;
    QLabel* BandLabel;
    QLabel* ModeLabel;
    QLabel* TxPwrLabel;
    QWidget* EingabePanel;
    QsoGrid* Liste2StringGrid;
};
