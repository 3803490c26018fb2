#pragma once

#include <QDialog>

// The window that reports a duplicate QSO.
class TDoppeltForm : public QDialog {
    Q_OBJECT
public:
    explicit TDoppeltForm(QWidget* parent = nullptr);
};
