#pragma once

#include "statusbartemplate.h"

#include <QObject>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QWidget;
class QsoLists;
class Station;
class TReferenceLogOptions;

// Options page "StatusBar": the template of the status bar line and its tokens. Every five
// seconds, and whenever the open log or the list under the mask changes, the line is
// computed and announced; the window shows it.
class TStatusBarOptions : public QObject {
    Q_OBJECT
public:
    TStatusBarOptions(Station& station, const QsoLists& lists,
                      const TReferenceLogOptions& referenceLogs, QWidget* page);

    void load();
    // The page's own texts in the current language.
    void applyLanguage();
    // The current values, taken from the open log's lists and the options, never the file.
    StatusBarTemplate::Values currentValues() const;

public slots:
    void StatusBarEditChange();
    // Computes the line and announces it.
    void StatusBarTimerTimer();
    void StatusBarMemoDblClick(const QPoint& viewportPos);

signals:
    void statusTextChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A change the line may show: computed now, unless there is no template.
    void refresh();

    Station& m_station;
    const QsoLists& m_lists;
    const TReferenceLogOptions& m_referenceLogs;
    QLabel* templateLabel;
    QLineEdit* StatusBarEdit;
    QPlainTextEdit* StatusBarMemo;
    QTimer* StatusBarTimer;
};
