#include "serialoptions.h"

#include "errorboundary.h"
#include "languagetargets.h"
#include "maskrules.h"
#include "meminifile.h"
#include "settingskeys.h"
#include "station.h"
#include "widgetfactory.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

TSerialOptions::TSerialOptions(Station& station, QWidget* page)
    : QObject(page), m_station(station) {
    QLabel* textLabel = WidgetFactory::label(
        "Label12",
        QStringLiteral("Text, der an RST TX angeh\u00e4ngt wird (z.B. Contest-Nummer 001):"), page);
    ErgRstTxTextEdit = new QLineEdit(page);
    ErgRstTxTextEdit->setObjectName(QStringLiteral("ErgRstTxTextEdit"));
    ErgRstTxTextEdit->setMaximumWidth(160);
    ErgRstTxNummerCheckBox =
        new QCheckBox(QStringLiteral("Nummer nach jedem QSO um 1 erh\u00f6hen"), page);
    ErgRstTxNummerCheckBox->setObjectName(QStringLiteral("ErgRstTxNummerCheckBox"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(textLabel);
    layout->addWidget(ErgRstTxTextEdit);
    layout->addWidget(ErgRstTxNummerCheckBox);
    layout->addStretch(1);
    connect(ErgRstTxTextEdit, &QLineEdit::textChanged, this,
            &TSerialOptions::ErgRstTxTextEditChange);
    connect(ErgRstTxNummerCheckBox, &QCheckBox::toggled, this,
            &TSerialOptions::ErgRstTxNummerCheckBoxClick);
}

void TSerialOptions::load() {
    const TMemIniFile& ini = m_station.settings();
    ErgRstTxTextEdit->setText(SettingsKeys::read(ini, SettingsKeys::ErgRstTxText));
    ErgRstTxNummerCheckBox->setChecked(SettingsKeys::read(ini, SettingsKeys::ErgRstTxNummer));
    emit serialTextChanged(ErgRstTxTextEdit->text());
}

void TSerialOptions::ErgRstTxTextEditChange() {
    emit serialTextChanged(ErgRstTxTextEdit->text());
    if (!m_station.initialised())
        return;
    ErgRstTxNummerCheckBox->setChecked(false);
    SettingsKeys::write(m_station.settings(), SettingsKeys::ErgRstTxText, ErgRstTxTextEdit->text());
    ErrorBoundary::run(ErgRstTxTextEdit->window(), [this] { m_station.settings().UpdateFile(); });
}

void TSerialOptions::ErgRstTxNummerCheckBoxClick() {
    if (ErgRstTxNummerCheckBox->isChecked() && !MaskRules::nextSerial(ErgRstTxTextEdit->text())) {
        const QSignalBlocker block(ErgRstTxNummerCheckBox);
        ErgRstTxNummerCheckBox->setChecked(false);
        QMessageBox::critical(ErgRstTxNummerCheckBox->window(), QStringLiteral("Dalu"),
                              m_station.msg(Msg::SerialNotNumber));
    }
    SettingsKeys::write(m_station.settings(), SettingsKeys::ErgRstTxNummer,
                        ErgRstTxNummerCheckBox->isChecked());
}

void TSerialOptions::setNextNumber(const QString& text) {
    ErgRstTxTextEdit->setText(text);
    ErgRstTxNummerCheckBox->setChecked(true);
}
