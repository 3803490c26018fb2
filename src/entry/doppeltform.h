#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTableWidget;

// The window that reports a duplicate QSO: the earlier QSO, and whether to go on (1),
// discard the entry (2) or correct it (3).
class TDoppeltForm : public QDialog {
    Q_OBJECT
public:
    enum Result { GoOn = 1, Discard = 2, Correct = 3 };

    explicit TDoppeltForm(QWidget* parent = nullptr);

    // One row per field of the earlier QSO, named as the list's columns.
    void showQso(const QStringList& fields);
    // Shows the window modally; 1, 2 or 3.
    int ask(const QStringList& fields);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FormKeyPress(int key);

    QLabel* m_message;
    QTableWidget* m_qsoTable;
    QPushButton* m_goOnButton;
    QPushButton* m_discardButton;
    QPushButton* m_correctButton;
};
