#include "clockform.h"

#include "errorboundary.h"
#include "meminifile.h"
#include "settingskeys.h"

TClockForm::TClockForm(TMemIniFile& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_settings(settings) {
    setObjectName(QStringLiteral("ClockForm"));
    move(SettingsKeys::read(settings, SettingsKeys::ClockLeft),
         SettingsKeys::read(settings, SettingsKeys::ClockTop));
}

TClockForm::~TClockForm() {
    SettingsKeys::write(m_settings, SettingsKeys::ClockLeft, x());
    SettingsKeys::write(m_settings, SettingsKeys::ClockTop, y());
    ErrorBoundary::run(nullptr, [this] { m_settings.UpdateFile(); });
}
