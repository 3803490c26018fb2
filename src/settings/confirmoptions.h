#pragma once

#include <QList>
#include <QObject>
#include <QPair>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QWidget;
class Station;

// Options page "LoTW / eQSL": which confirmations count as confirmed in the evaluations,
// whether the QSL out list leaves out QSOs confirmed electronically, and the TQSL station
// location that signs uploads. Every change is written and flushed at once.
class TConfirmOptions : public QObject {
    Q_OBJECT
public:
    TConfirmOptions(Station& station, QWidget* page);

    // Shows what the settings hold; writes nothing.
    void load();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void save();
    void applyTexts();

    Station& m_station;
    QWidget* m_page;
    QButtonGroup* m_rule;
    QCheckBox* m_skipConfirmed;
    QLineEdit* m_location;
    bool m_loading = false;
    QList<QPair<QWidget*, const char*>> m_texts; // captions by their German text
    QPair<QGroupBox*, const char*> m_boxTitle;
};
