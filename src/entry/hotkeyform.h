#pragma once

#include <QDialog>

// The list of keyboard shortcuts.
class THotKeyForm : public QDialog {
    Q_OBJECT
public:
    explicit THotKeyForm(QWidget* parent = nullptr);
};
