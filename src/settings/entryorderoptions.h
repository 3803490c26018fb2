#pragma once

#include <QObject>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;
class TMainForm;

// Options page "Ordnung Eingabe": the function key of each mask field and which optional
// fields the mask shows at start.
class TEntryOrderOptions : public QObject {
    Q_OBJECT
public:
    TEntryOrderOptions(TMainForm& mainForm, QWidget* page);

    QLabel* Label40; // "Reihenfolge"
    QLabel* Label41; // "Ein/Aus Taste/Button"
    QLabel* Label4;  // "bei Start anzeigen"
    // By field letter a ... l: DateComboBox ... QslInComboBox, "---" or "B1" ... "B12".
    std::array<QComboBox*, 12> comboBoxes;
    // By optional field e, f, h, i, j, k, l: DokCheckBox ... QslInCheckBox.
    std::array<QCheckBox*, 7> checkBoxes;

    // Start-up: the tick boxes from ShowAtStartUp and the lists from Buttons; writes nothing.
    void load();

public slots:
    // Binding rule, then Buttons and ShowAtStartUp written at once.
    void DateComboBoxChange();

signals:
    void buttonsChanged(); // the captions are to be renewed

private:
    TMainForm& m_mainForm;
};
