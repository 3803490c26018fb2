#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QTimer;
class StationTexts;

// The about window: black, maximised, a text that scrolls upward until any click.
class TInfoForm : public QDialog {
    Q_OBJECT
public:
    explicit TInfoForm(const StationTexts& texts, QWidget* parent = nullptr);

    QString infoText() const;

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
    QString module(const char* name, const char* version, const char* month) const;
    void restartText();

    const StationTexts& m_texts;
};
