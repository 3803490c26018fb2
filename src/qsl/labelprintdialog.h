#pragma once

#include "printoutput.h"
#include "qsllabels.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;
class TMemIniFile;

// The choices for one run of QSL labels: the sheet (or the custom one with its measures),
// the first free label, the QSOs per label, cards instead of labels, and where the pages go.
class LabelPrintDialog : public QDialog {
    Q_OBJECT
public:
    LabelPrintDialog(const TMemIniFile& settings, QWidget* parent = nullptr);

    QslLabels::Layout layout() const;
    int startCell() const;
    int qsosPerLabel() const;
    bool cards() const;
    QString background() const;
    PrintOutput::Target target() const;
    QString pdfPath() const;
    // Keeps the sheet and the QSOs per label for the next time.
    void save(TMemIniFile& settings) const;

    void accept() override;

private:
    void showLayout();

    QComboBox* m_layout;
    QSpinBox* m_columns;
    QSpinBox* m_rows;
    QDoubleSpinBox* m_measures[6]; // width, height, left, top, gap x, gap y
    QSpinBox* m_start;
    QSpinBox* m_qsos;
    QCheckBox* m_cards;
    QLineEdit* m_background;
    QComboBox* m_target;
    QLineEdit* m_pdf;
};
