#pragma once

#include <QObject>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class Station;

// Options page "Transceiver": whether band, mode and power come from the radio, which
// radio (hamlib model, port, speed), and the mask's mode for data on a sideband.
class TRigOptions : public QObject {
    Q_OBJECT
public:
    TRigOptions(Station& station, QWidget* page);

    // Start-up: the page shows the settings; loading writes nothing.
    void load();
    void applyLanguage();

signals:
    // A setting changed and is written: the rig control takes it over.
    void rigSettingsChanged();

private:
    void save();
    void enableDetails();

    Station& m_station;
    QWidget* m_page;
    QCheckBox* RigEnabledChkBox;
    QLabel* RigModelLabel;
    QComboBox* RigModelComboBox; // every hamlib model, the number as item data
    QLabel* RigPortLabel;
    QLineEdit* RigPortEdit;
    QLabel* RigPortHintLabel;
    QLabel* RigSpeedLabel;
    QComboBox* RigSpeedComboBox; // the speed as item data, 0 first: the model's own
    QLabel* RigDataModeLabel;
    QComboBox* RigDataModeComboBox;
};
