#pragma once

#include <QObject>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QWidget;
class Station;

// Options page "Ordnung Eingabe": the function key of each mask field and which optional
// fields the mask shows at start.
class TEntryOrderOptions : public QObject {
    Q_OBJECT
public:
    TEntryOrderOptions(Station& station, QWidget* page);

    // Start-up: the tick boxes from ShowAtStartUp and the lists from Buttons; writes nothing.
    void load();
    // The key of a field (0 ... 11 for a ... l) as its list shows it: 0 none, 1 ... 12 B1 ...
    int keyOfField(int field) const;
    // As the operator choosing it in the field's list: the binding rule applies.
    void setKeyOfField(int field, int key);

public slots:
    // Binding rule, then Buttons and ShowAtStartUp written at once.
    void DateComboBoxChange();

signals:
    void buttonsChanged(); // the captions are to be renewed

private:
    Station& m_station;
    QLabel* orderLabel; // "Reihenfolge"
    // By field letter a ... l: DateComboBox ... QslInComboBox, "---" or "B1" ... "B12".
    std::array<QComboBox*, 12> comboBoxes;
    // By optional field e, f, h, i, j, k, l: DokCheckBox ... QslInCheckBox.
    std::array<QCheckBox*, 7> checkBoxes;
};
