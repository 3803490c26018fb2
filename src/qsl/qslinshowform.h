#pragma once

#include <QDialog>

// The viewer of scanned QSL cards.
class TQslInShowForm : public QDialog {
    Q_OBJECT
public:
    explicit TQslInShowForm(QWidget* parent = nullptr);
};
