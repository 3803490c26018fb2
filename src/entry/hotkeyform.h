#pragma once

#include <QDialog>

class QPlainTextEdit;

// The list of keyboard shortcuts, shown modally; Enter closes it.
class THotKeyForm : public QDialog {
    Q_OBJECT
public:
    explicit THotKeyForm(QWidget* parent = nullptr);

public slots:
    // Fills the memo with the lines and shows the window modally.
    void showShortcuts(const QStringList& lines);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* m_memo;
};
