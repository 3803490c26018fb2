#pragma once

#include "statusbartemplate.h"

#include <QObject>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QWidget;
class TMainForm;

// Options page "StatusBar": the template of the status bar line and its tokens; every five
// seconds the line is computed and shown.
class TStatusBarOptions : public QObject {
    Q_OBJECT
public:
    TStatusBarOptions(TMainForm& mainForm, QWidget* page);

    QLabel* StatusBarLabel;
    QLineEdit* StatusBarEdit;
    QPlainTextEdit* StatusBarMemo;
    QTimer* StatusBarTimer;

    void load();
    // The page's own texts in the current language.
    void applyLanguage();
    // The current values, taken from the open log's lists and the options, never the file.
    StatusBarTemplate::Values currentValues() const;

public slots:
    void StatusBarEditChange();
    void StatusBarTimerTimer();
    void StatusBarMemoDblClick(const QPoint& viewportPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMainForm& m_mainForm;
};
