#include "rigoptions.h"

#include "errorboundary.h"
#include "hamlibrig.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "uitexts.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const int kSpeeds[] = {0, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const char* const kDataModes[] = {"FT8", "FT4", "JT65", "JT9", "JS8", "MSK144", "PSK", "RTTY"};

QComboBox* comboBox(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

void selectData(QComboBox* box, int value) {
    const int index = box->findData(value);
    box->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

TRigOptions::TRigOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station), m_page(page) {
    RigEnabledChkBox = new QCheckBox(page);
    RigEnabledChkBox->setObjectName(QStringLiteral("RigEnabledChkBox"));
    RigModelLabel = WidgetFactory::label("RigModelLabel", QString(), page);
    RigModelComboBox = comboBox("RigModelComboBox", page);
    // Over two hundred models: typing part of a name finds it.
    RigModelComboBox->setEditable(true);
    RigModelComboBox->setInsertPolicy(QComboBox::NoInsert);
    RigModelComboBox->completer()->setFilterMode(Qt::MatchContains);
    RigModelComboBox->completer()->setCompletionMode(QCompleter::PopupCompletion);
    for (const RigModelInfo& info : HamlibRig::models())
        RigModelComboBox->addItem(QStringLiteral("%1 (%2)").arg(info.name).arg(info.model),
                                  info.model);
    RigPortLabel = WidgetFactory::label("RigPortLabel", QString(), page);
    RigPortEdit = new QLineEdit(page);
    RigPortEdit->setObjectName(QStringLiteral("RigPortEdit"));
    RigPortEdit->setPlaceholderText(QStringLiteral("/dev/ttyUSB0, localhost:4532"));
    RigSpeedLabel = WidgetFactory::label("RigSpeedLabel", QString(), page);
    RigSpeedComboBox = comboBox("RigSpeedComboBox", page);
    for (int speed : kSpeeds)
        RigSpeedComboBox->addItem(QString::number(speed), speed);
    RigDataModeLabel = WidgetFactory::label("RigDataModeLabel", QString(), page);
    RigDataModeComboBox = comboBox("RigDataModeComboBox", page);
    RigDataModeComboBox->setEditable(true);
    for (const char* mode : kDataModes)
        RigDataModeComboBox->addItem(QLatin1String(mode));
    RigPortHintLabel = WidgetFactory::label("RigPortHintLabel", QString(), page);
    RigPortHintLabel->setWordWrap(true);

    auto* grid = new QGridLayout(page);
    grid->addWidget(RigEnabledChkBox, 0, 0, 1, 2);
    const QList<QPair<QLabel*, QWidget*>> rows = {{RigModelLabel, RigModelComboBox},
                                                  {RigPortLabel, RigPortEdit},
                                                  {RigSpeedLabel, RigSpeedComboBox},
                                                  {RigDataModeLabel, RigDataModeComboBox}};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(rows[i].first, 2 * i + 1, 0);
        grid->addWidget(rows[i].second, 2 * i + 1, 1);
    }
    grid->addWidget(RigPortHintLabel, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2 * rows.size() + 1, 1);
    applyLanguage();

    connect(RigEnabledChkBox, &QCheckBox::toggled, this, &TRigOptions::save);
    connect(RigModelComboBox, &QComboBox::activated, this, &TRigOptions::save);
    connect(RigSpeedComboBox, &QComboBox::activated, this, &TRigOptions::save);
    // The port takes effect when its editing ends, not with every character typed.
    connect(RigPortEdit, &QLineEdit::editingFinished, this, &TRigOptions::save);
    connect(RigModelComboBox->lineEdit(), &QLineEdit::editingFinished, this, &TRigOptions::save);
    connect(RigDataModeComboBox, &QComboBox::currentTextChanged, this, &TRigOptions::save);
}

void TRigOptions::applyLanguage() {
    RigEnabledChkBox->setText(uiText("Band, Mode und Leistung vom Transceiver lesen (Hamlib)"));
    RigModelLabel->setText(uiText("Modell:"));
    RigPortLabel->setText(uiText("Schnittstelle:"));
    RigPortHintLabel->setText(uiText("Serielles Ger\u00e4t (z.B. /dev/ttyUSB0) oder Rechner:Port "
                                     "eines rigctld (z.B. localhost:4532); leer: die Vorgabe des "
                                     "Modells."));
    RigSpeedLabel->setText(uiText("Geschwindigkeit (Baud):"));
    RigSpeedComboBox->setItemText(0, uiText("die des Modells"));
    RigDataModeLabel->setText(uiText("Mode f\u00fcr Daten (PKTUSB, PKTLSB):"));
}

void TRigOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    const QSignalBlocker blockEnabled(RigEnabledChkBox);
    const QSignalBlocker blockDataMode(RigDataModeComboBox);
    RigEnabledChkBox->setChecked(SettingsKeys::read(ini, SettingsKeys::RigEnabled));
    selectData(RigModelComboBox, SettingsKeys::read(ini, SettingsKeys::RigModel));
    RigPortEdit->setText(SettingsKeys::read(ini, SettingsKeys::RigPort));
    selectData(RigSpeedComboBox, SettingsKeys::read(ini, SettingsKeys::RigSpeed));
    RigDataModeComboBox->setCurrentText(SettingsKeys::read(ini, SettingsKeys::RigDataMode));
    enableDetails();
}

void TRigOptions::enableDetails() {
    for (QWidget* w :
         {static_cast<QWidget*>(RigModelComboBox), static_cast<QWidget*>(RigPortEdit),
          static_cast<QWidget*>(RigSpeedComboBox), static_cast<QWidget*>(RigDataModeComboBox)})
        w->setEnabled(RigEnabledChkBox->isChecked());
}

void TRigOptions::save() {
    enableDetails();
    if (!m_station.initialised())
        return;
    TMemIniFile& ini = m_station.settings();
    // A model name typed that matches no model keeps the model chosen before.
    const int model = RigModelComboBox->findText(RigModelComboBox->currentText());
    if (model >= 0)
        RigModelComboBox->setCurrentIndex(model);
    RigModelComboBox->setEditText(RigModelComboBox->itemText(RigModelComboBox->currentIndex()));
    SettingsKeys::write(ini, SettingsKeys::RigEnabled, RigEnabledChkBox->isChecked());
    SettingsKeys::write(ini, SettingsKeys::RigModel, RigModelComboBox->currentData().toInt());
    SettingsKeys::write(ini, SettingsKeys::RigPort, RigPortEdit->text().trimmed());
    SettingsKeys::write(ini, SettingsKeys::RigSpeed, RigSpeedComboBox->currentData().toInt());
    SettingsKeys::write(ini, SettingsKeys::RigDataMode, RigDataModeComboBox->currentText());
    ErrorBoundary::run(m_page->window(), [this] { m_station.settings().UpdateFile(); });
    emit rigSettingsChanged();
}
