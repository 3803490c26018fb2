#pragma once

#include <QDialog>

// The editor for long comments.
class TTextForm : public QDialog {
    Q_OBJECT
public:
    explicit TTextForm(QWidget* parent = nullptr);
};
