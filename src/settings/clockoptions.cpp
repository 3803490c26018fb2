#include "clockoptions.h"

#include "errorboundary.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

TClockOptions::TClockOptions(Station& station, QWidget* page) : QObject(page), m_station(station) {
    clockShowChkBtn = new QCheckBox(QStringLiteral("analoge Uhr anzeigen"), page);
    clockShowChkBtn->setObjectName(QStringLiteral("clockShowChkBtn"));
    clockSystemRadioBtn = new QRadioButton(QStringLiteral("Systemzeit"), page);
    clockSystemRadioBtn->setObjectName(QStringLiteral("clockSystemRadioBtn"));
    clockUtcRadioBtn = new QRadioButton(QStringLiteral("UTC"), page);
    clockUtcRadioBtn->setObjectName(QStringLiteral("clockUtcRadioBtn"));
    clockUtcRadioBtn->setChecked(true);
    clockFormatLabel = WidgetFactory::label(
        "clockFormatLabel", QStringLiteral("Format f\u00fcr digitale Anzeige"), page);
    clockFormatEdit = new QLineEdit(QStringLiteral("dddd', der 'dd.mm.yyyy' 'hh:nn:ss"), page);
    clockFormatEdit->setObjectName(QStringLiteral("clockFormatEdit"));
    clockFormatEdit->setMaxLength(SettingsKeys::ClockFormat.maxLength);
    auto* grid = new QGridLayout(page);
    grid->addWidget(clockShowChkBtn, 0, 0, 1, 2);
    grid->addWidget(clockSystemRadioBtn, 1, 0);
    grid->addWidget(clockUtcRadioBtn, 2, 0);
    grid->addWidget(clockFormatLabel, 3, 0, 1, 2);
    grid->addWidget(clockFormatEdit, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    connect(clockShowChkBtn, &QCheckBox::toggled, this, &TClockOptions::clockShowChkBtnClick);
    for (QRadioButton* radio : {clockSystemRadioBtn, clockUtcRadioBtn})
        connect(radio, &QRadioButton::clicked, this, &TClockOptions::clockUtcRadioBtnClick);
    connect(clockFormatEdit, &QLineEdit::textChanged, this, &TClockOptions::clockFormatEditChange);
}

void TClockOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    const bool shown = SettingsKeys::read(ini, SettingsKeys::ClockShow);
    clockShowChkBtn->setChecked(shown);
    enableDetails(shown);
    (SettingsKeys::read(ini, SettingsKeys::ClockUtc) ? clockUtcRadioBtn : clockSystemRadioBtn)
        ->setChecked(true);
    clockUtcRadioBtnClick();
    clockFormatEdit->setText(SettingsKeys::read(ini, SettingsKeys::ClockFormat));
    clockFormatEditChange(); // the clock shows what the page shows, even the default
}

void TClockOptions::enableDetails(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(clockFormatLabel), static_cast<QWidget*>(clockFormatEdit),
          static_cast<QWidget*>(clockSystemRadioBtn), static_cast<QWidget*>(clockUtcRadioBtn)})
        w->setEnabled(enabled);
}

// Loading writes the values it shows into memory only.
void TClockOptions::flush() {
    if (m_station.initialised())
        ErrorBoundary::run(clockShowChkBtn->window(),
                           [this] { m_station.settings().UpdateFile(); });
}

void TClockOptions::clockShowChkBtnClick() {
    if (!m_station.initialised())
        return;
    const bool shown = clockShowChkBtn->isChecked();
    enableDetails(shown);
    emit clockShownChanged(shown);
    SettingsKeys::write(m_station.settings(), SettingsKeys::ClockShow, shown);
    flush();
}

void TClockOptions::clockUtcRadioBtnClick() {
    SettingsKeys::write(m_station.settings(), SettingsKeys::ClockUtc,
                        clockUtcRadioBtn->isChecked());
    flush();
}

void TClockOptions::clockFormatEditChange() {
    SettingsKeys::write(m_station.settings(), SettingsKeys::ClockFormat, clockFormatEdit->text());
    flush();
}
