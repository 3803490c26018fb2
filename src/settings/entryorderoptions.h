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
    // The field names in the language chosen.
    void applyLanguage();
    // The key of a field (0 ... 11 for a ... l) as its list shows it: 0 none, 1 ... 12 B1 ...
    int keyOfField(int field) const;
    // As the operator choosing it in the field's list: the binding rule applies.
    void setKeyOfField(int field, int key);

public slots:
    // Binding rule, then Buttons and ShowAtStartUp written at once.
    void DateComboBoxChange();

signals:
    void buttonsChanged(); // the captions are to be renewed

protected:
    // Stepping through a closed list with the arrow keys or the wheel only shows the keys it
    // passes; the key finally chosen is taken when the list is left or Return is pressed.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void comboChanged(int field);
    void applyChoice(int chosenField);

    Station& m_station;
    QLabel* orderLabel; // "Reihenfolge"
    // By field letter a ... l: DateComboBox ... QslInComboBox, "---" or "B1" ... "B12".
    std::array<QComboBox*, 12> comboBoxes;
    std::array<QLabel*, 12> fieldNames;
    // By optional field e, f, h, i, j, k, l: DokCheckBox ... QslInCheckBox.
    std::array<QCheckBox*, 7> checkBoxes;
    bool m_stepping = false; // a step key or the wheel is being handled by a list
    int m_pendingField = -1; // the list stepped to a key not taken yet
};
