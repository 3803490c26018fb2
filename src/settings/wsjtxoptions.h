#pragma once

#include <QList>
#include <QObject>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;
class Station;

// Options page "WSJT-X / JTDX": whether QSOs and decodes are taken from those programs,
// where they send (address, port, another named host), which moment of a QSO is logged,
// and the colours Dalu asks WSJT-X to mark calls with.
class TWsjtxOptions : public QObject {
    Q_OBJECT
public:
    TWsjtxOptions(Station& station, QWidget* page);

    void load();
    void applyLanguage();

signals:
    // Written: the receiver listens anew.
    void wsjtxSettingsChanged();

private:
    void save();
    void enableDetails();

    Station& m_station;
    QWidget* m_page;
    bool m_loading = false; // showing the settings writes nothing
    QCheckBox* WsjtxEnabledChkBox;
    QLabel* WsjtxAddressLabel;
    QLineEdit* WsjtxAddressEdit;
    QLabel* WsjtxPortLabel;
    QSpinBox* WsjtxPortSpinBox;
    QLabel* WsjtxHostLabel;
    QLineEdit* WsjtxHostEdit;
    QRadioButton* WsjtxStartRadioBtn;
    QRadioButton* WsjtxEndRadioBtn;
    QCheckBox* WsjtxHighlightChkBox;
    QList<QLabel*> m_colourLabels;
    QList<QLineEdit*> m_colourEdits;
};
