#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTimer;

// The about window: black, maximised, a text that scrolls upward until any click.
class TInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    static QString infoText();

    QWidget* InfoTopPanel;
    QWidget* InfoMainPanel;
    QWidget* InfoBottomPanel;
    QLabel* Info1Memo;
    QLineEdit* FocusCatcherEdit;
    QTimer* InfoTimer;

public slots:
    void InfoTimerTimer();
    void closeByClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override; // the about text follows the language
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutPanels();
    void restartText();
};
