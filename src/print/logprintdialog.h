#pragma once

#include "compactqso.h"
#include "logprintrange.h"
#include "printoutput.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QCheckBox;

// "Drucken" on the list and search pages: which of the QSOs shown (all, a number range, a
// date range), the page turned or not, and where the pages go.
class LogPrintDialog : public QDialog {
    Q_OBJECT
public:
    explicit LogPrintDialog(QWidget* parent = nullptr);

    LogPrintRange::Range range() const;
    bool landscape() const;
    PrintOutput::Target target() const;
    QString pdfPath() const;
    void accept() override;

    // Asks, then prints the QSOs' given fields (QsoField order numbers) under the own call
    // and the log's name. False when cancelled.
    static bool print(QWidget* parent, const QList<CompactQso>& qsos, const QList<int>& fields,
                      const QString& ownCall, const QString& logName);

private:
    QRadioButton* m_all;
    QRadioButton* m_numbers;
    QRadioButton* m_dates;
    QSpinBox* m_first;
    QSpinBox* m_last;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QCheckBox* m_landscape;
    QComboBox* m_target;
    QLineEdit* m_pdf;
};
