#pragma once

#include <QDialog>

// The converter wizard: import, export, repair and append of logs.
class TLogConverterForm : public QDialog {
    Q_OBJECT
public:
    explicit TLogConverterForm(QWidget* parent = nullptr);
};
